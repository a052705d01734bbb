#include "pages/page_table.h"

#include <charconv>
#include <numeric>
#include <sstream>

namespace quorrel::pages {

namespace {

constexpr std::string_view lesson_codes = "1a 1b 1c 1d 1e 2a 2b 2c 3a 3b 3c";
constexpr std::string_view lesson_pages = "5 3 2 1 3 4 6 5 3 2 3";

std::vector<std::string> words(std::string_view text)
{
    std::vector<std::string> out;
    std::istringstream in{std::string(text)};
    for (std::string word; in >> word;)
        out.push_back(word);
    return out;
}

} // namespace

PageTable::PageTable() : codes_(words(lesson_codes))
{
    for (const std::string& count : words(lesson_pages)) {
        int value = 0;
        std::from_chars(count.data(), count.data() + count.size(), value);
        pages_.push_back(value);
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
