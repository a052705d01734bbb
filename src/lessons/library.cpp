#include "lessons/library.h"

#include <algorithm>
#include <array>

namespace quorrel::lessons {

struct Library::Entry {
    std::string_view code;
    void (*script)(Library&);
};

const Library::Entry* Library::find(std::string_view code)
{
    static constexpr std::array<Entry, 13> scripts{{
        {"1a", [](Library& l) { l.chapter1_.Lesson1a(); }},
        {"1b", [](Library& l) { l.chapter1_.Lesson1b(); }},
        {"1c", [](Library& l) { l.chapter1_.Lesson1c(); }},
        {"1d", [](Library& l) { l.chapter1_.Lesson1d(); }},
        {"1e", [](Library& l) { l.chapter1_.Lesson1e(); }},
        {"1f", [](Library& l) { l.chapter1_.Lesson1f(); }},
        {"2a", [](Library& l) { l.chapter2_.Lesson2a(); }},
        {"2b", [](Library& l) { l.chapter2_.Lesson2b(); }},
        {"2c", [](Library& l) { l.chapter2_.Lesson2c(); }},
        {"3a", [](Library& l) { l.chapter3_.Lesson3a(); }},
        {"3b", [](Library& l) { l.chapter3_.Lesson3b(); }},
        {"3c", [](Library& l) { l.chapter3_.Lesson3c(); }},
        {"4", [](Library& l) { l.chapter4_.Lesson4(); }},
    }};
    const auto* found = std::find_if(scripts.begin(), scripts.end(), [code](const Entry& e) { return e.code == code; });
    return found == scripts.end() ? nullptr : found;
}

Library::Library(Stage& stage) : chapter1_(stage), chapter2_(stage), chapter3_(stage), chapter4_(stage) {}

bool Library::run(std::string_view code)
{
    const Entry* entry = find(code);
    if (!entry)
        return false;
    entry->script(*this);
    return true;
}

void Library::Lesson2_setup() { chapter2_.Lesson2_setup(); }

void Library::Lesson3_setup() { chapter3_.Lesson3_setup(); }

} // namespace quorrel::lessons
