#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorrel::pages {

// Where a course-wide page number lands: a lesson and a page within it.
struct PageLocation {
    std::string lesson;
    int page = 1;
    friend bool operator==(const PageLocation&, const PageLocation&) = default;
};

// The lessons that are paged through in order and their page counts. Pages
// are numbered through the whole course; lessons 1f and 4 stand outside the
// table and are reached only from their menu items.
class PageTable {
public:
    PageTable();

    int size() const { return static_cast<int>(codes_.size()); }
    const std::string& code(int index) const { return codes_.at(static_cast<std::size_t>(index)); }
    int pages(int index) const { return pages_.at(static_cast<std::size_t>(index)); }
    int total_pages() const;

    // Position of `code` in the table, searched from the second entry on, so
    // the first lesson is never found; empty when not found. Paging relies on
    // this: an unknown lesson pages like the first one.
    std::optional<int> lesson_index(std::string_view code) const;
    // Pages before `code` in the table; every page when it is not there.
    int offset(std::string_view code) const;
    int global_page(std::string_view code, int page) const { return offset(code) + page; }
    // The lesson and page of a course-wide page number, if the table has it.
    std::optional<PageLocation> locate(int global_page) const;

private:
    std::vector<std::string> codes_;
    std::vector<int> pages_;
};

} // namespace quorrel::pages
