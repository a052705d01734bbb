#include "pages/page_table.h"

#include "pages/catalogue.h"

#include <numeric>

namespace quorrel::pages {

PageTable::PageTable()
{
    for (const LessonInfo& info : catalogue) {
        if (info.paged) {
            codes_.emplace_back(info.code);
            pages_.push_back(info.pages);
        }
    }
}

int PageTable::total_pages() const { return std::accumulate(pages_.begin(), pages_.end(), 0); }

std::optional<int> PageTable::lesson_index(std::string_view code) const
{
    for (int i = 1; i < size(); ++i)
        if (codes_[static_cast<std::size_t>(i)] == code)
            return i;
    return std::nullopt;
}

int PageTable::offset(std::string_view code) const
{
    int passed = 0;
    for (int i = 0; i < size(); ++i) {
        if (codes_[static_cast<std::size_t>(i)] == code)
            return passed;
        passed += pages_[static_cast<std::size_t>(i)];
    }
    return passed;
}

std::optional<PageLocation> PageTable::locate(int global_page) const
{
    if (global_page < 1)
        return std::nullopt;
    int p = global_page;
    for (int i = 0; i < size(); ++i) {
        const int count = pages_[static_cast<std::size_t>(i)];
        if (p <= count)
            return PageLocation{codes_[static_cast<std::size_t>(i)], p};
        p -= count;
    }
    return std::nullopt;
}

} // namespace quorrel::pages
