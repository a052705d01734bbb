#include "lessons/lesson.h"

#include <vector>

namespace quorrel::lessons {

void run_pages(Stage& stage, std::initializer_list<Page> pages, std::string_view next)
{
    const std::vector<Page> list(pages);
    const auto count = static_cast<int>(list.size());
    for (int k = stage.start_page(count); k <= count; ++k)
        list[static_cast<std::size_t>(k - 1)]();
    if (!next.empty())
        stage.new_Lesson(next);
}

std::string join(std::initializer_list<std::string_view> pieces)
{
    std::string out;
    for (std::string_view piece : pieces)
        out += piece;
    return out;
}

std::string fore_color(ui::Color color) { return "ForeColor__" + std::to_string(color.packed()); }

} // namespace quorrel::lessons
