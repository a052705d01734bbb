#include "lessons/library.h"

#include "pages/catalogue.h"

#include <array>
#include <cstddef>

namespace quorrel::lessons {

Library::Library(const Stage& stage)
    : chapter1_(stage), chapter2_(stage), chapter3_(stage), chapter4_(stage, chapter3_)
{
}

bool Library::run(std::string_view code)
{
    // The scripts in the catalogue's order: the catalogue alone names them.
    using Run = void (*)(Library&);
    static constexpr std::array<Run, pages::catalogue.size()> scripts{{
        [](Library& l) { l.chapter1_.Lesson1a(); },
        [](Library& l) { l.chapter1_.Lesson1b(); },
        [](Library& l) { l.chapter1_.Lesson1c(); },
        [](Library& l) { l.chapter1_.Lesson1d(); },
        [](Library& l) { l.chapter1_.Lesson1e(); },
        [](Library& l) { l.chapter1_.Lesson1f(); },
        [](Library& l) { l.chapter2_.Lesson2a(); },
        [](Library& l) { l.chapter2_.Lesson2b(); },
        [](Library& l) { l.chapter2_.Lesson2c(); },
        [](Library& l) { l.chapter3_.Lesson3a(); },
        [](Library& l) { l.chapter3_.Lesson3b(); },
        [](Library& l) { l.chapter3_.Lesson3c(); },
        [](Library& l) { l.chapter4_.Lesson4(); },
    }};
    for (std::size_t i = 0; i < pages::catalogue.size(); ++i) {
        if (pages::catalogue[i].code == code) {
            scripts[i](*this);
            return true;
        }
    }
    return false;
}

} // namespace quorrel::lessons
