#include "lessons/lesson.h"

#include <vector>

namespace quorrel::lessons {

void run_pages(Pages& pages, std::initializer_list<Page> list)
{
    const std::vector<Page> scripts(list);
    const auto count = static_cast<int>(scripts.size());
    for (int k = pages.first_page(); k <= count; ++k)
        scripts[static_cast<std::size_t>(k - 1)]();
    pages.hand_over();
}

std::string numeral(int num, int den) { return std::to_string(num) + "/" + std::to_string(den); }

std::string join(std::initializer_list<std::string_view> pieces)
{
    std::string out;
    for (std::string_view piece : pieces)
        out += piece;
    return out;
}

std::string fore_color(ui::Color color) { return "ForeColor__" + std::to_string(color.packed()); }

} // namespace quorrel::lessons
