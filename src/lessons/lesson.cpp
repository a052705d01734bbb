#include "lessons/lesson.h"

#include <vector>

namespace quorrel::lessons {

void run_pages(Stage& stage, std::initializer_list<Page> pages, std::string_view next)
{
    const std::vector<Page> list(pages);
    for (auto k = static_cast<std::size_t>(stage.start_page(static_cast<int>(list.size()))); k <= list.size(); ++k)
        list[k - 1]();
    if (!next.empty())
        stage.new_Lesson(next);
}

} // namespace quorrel::lessons
