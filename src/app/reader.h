#pragma once

#include "ui/controls.h"
#include "ui/platform.h"
#include "ui/waits.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quorrel::app {

// "Read aloud": speaks each new message as it appears. The learner moving on
// (a click, a pause, a new page) cuts short what is still being spoken;
// messages written at once, like a title and its first line, are read as one.
class Reader {
public:
    // `item` is offered until `speech` fails to start or breaks down; then
    // it is greyed out and says why.
    Reader(ui::Speech& speech, ui::MenuItem& item, const ui::Waits& waits);
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    // The menu item chosen: reading starts with the next message, or stops.
    void toggle();
    // A message new to the learner, marked up.
    void hear(std::string_view text);
    // A new page or lesson: nothing of the last one is read on.
    void stop();
    // The messages since the learner last moved on, in words, whether or
    // not they are being read aloud; only the last few screens' worth of a
    // long run without a pause.
    const std::string& newest() const { return words_; }

private:
    // The engine has failed meanwhile: the item is withdrawn.
    bool still_available();
    // Each message is put into words once, as it comes: a long run of them
    // without a pause costs no more than its length.
    void add_words(std::string_view words);

    ui::Speech& speech_;
    ui::MenuItem& item_;
    const ui::Waits& waits_;
    std::string words_; // the messages since the learner last moved on
    std::uint64_t heard_at_ = 0;
};

} // namespace quorrel::app
