#pragma once

#include <memory>

namespace quorrel::app {
class Tutor;
}

namespace quorrel::lessons {

// The course's lesson scripts, registered with the tutor's course on
// construction and living as long as the tutor.
class Library {
public:
    virtual ~Library() = default;
};

std::unique_ptr<Library> make_library(app::Tutor& tutor);

} // namespace quorrel::lessons
