#include "lessons/library.h"

#include "lessons/chapter1.h"

namespace quorrel::lessons {

namespace {

class Chapters final : public Library {
public:
    explicit Chapters(app::Tutor& tutor) : chapter1_(tutor) {}

private:
    Chapter1 chapter1_;
};

} // namespace

std::unique_ptr<Library> make_library(app::Tutor& tutor) { return std::make_unique<Chapters>(tutor); }

} // namespace quorrel::lessons
