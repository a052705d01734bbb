#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace quorrel::pages {

// One lesson of the course: its code, the chapter whose submenu offers it,
// its menu caption, the title written above its pages, how many pages it
// has, and the lesson it hands over to at its end (none when empty).
// Lessons that are `paged` are stepped through by NextPage and PrevPage and
// numbered on the page strip, in the order of this table.
struct LessonInfo {
    std::string_view code;
    int chapter;
    std::string_view menu_caption;
    std::string_view title;
    int pages;
    bool paged;
    std::string_view next;
};

// The course, in the order its lessons are taught.
inline constexpr std::array<LessonInfo, 13> catalogue{{
    {"1a", 1, "1a: Understanding Fractions", "Lesson 1a: Writing fractions", 5, true, "1b"},
    {"1b", 1, "1b: Setting Fraction Pictures", "Lesson 1b: Setting up fraction pictures", 3, true, "1c"},
    {"1c", 1, "1c: Improper Fractions", "Lesson 1c: Improper fractions", 2, true, "1d"},
    {"1d", 1, "1d: Practice Setting Fraction Pictures", "Lesson 1d: Practice setting up fraction pictures", 1, true, "1e"},
    {"1e", 1, "1e: Naming Fractions as Mixed Numbers", "Lesson 1e: Writing fractions as mixed numbers", 3, true, "2a"},
    {"1f", 1, "1f: Interpreting Fractions as Division", "Lesson 1f: Interpreting fractions as divison", 2, false, "2a"},
    {"2a", 2, "2a: Expanding fractions", "Lesson 2a: Expanding fractions", 4, true, "2b"},
    {"2b", 2, "2b: Reducing Fractions", "Lesson 2b: Reducing fractions", 6, true, "2c"},
    {"2c", 2, "2c: Rewriting fractions practice", "Lesson 2c: Rewriting fractions practice", 5, true, "3a"},
    {"3a", 3, "3a: Basic arithmetic", "Lesson 3a: Adding and subtracting fractions.", 3, true, "3b"},
    {"3b", 3, "3b: Fraction Multiplication", "Lesson 3b: Multiplying and dividing fractions.", 2, true, "3c"},
    {"3c", 3, "3c: Arithmetic Drill", "Lesson 3c: Fraction arithmetic practice.", 3, true, ""},
    {"4", 4, "Lesson 4: More arithmetic practice", "Lesson 4:  More arithmetic practice.", 1, false, ""},
}};

constexpr std::optional<LessonInfo> find_lesson(std::string_view code)
{
    for (const LessonInfo& info : catalogue)
        if (info.code == code)
            return info;
    return std::nullopt;
}

// The title of a lesson ("Lesson 1b: Setting up fraction pictures"), or
// empty for a code the course does not have.
constexpr std::string_view lesson_name(std::string_view code)
{
    const auto info = find_lesson(code);
    return info ? info->title : std::string_view();
}

} // namespace quorrel::pages
