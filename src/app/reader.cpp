#include "app/reader.h"

#include "text/markup.h"

namespace quorrel::app {

Reader::Reader(ui::Speech& speech, ui::MenuItem& item, const ui::Waits& waits)
    : speech_(speech), item_(item), waits_(waits)
{
    item_.set_enabled(speech_.available());
    item_.set_tooltip(speech_.fault());
}

void Reader::toggle()
{
    item_.toggle();
    words_.clear();
    // The voice is readied only when first wanted: most learners never
    // load it.
    if (item_.checked())
        speech_.start();
    if (!still_available() || !item_.checked())
        speech_.stop();
}

void Reader::hear(std::string_view text)
{
    // Nothing said yet of what came since the last pause is lost by reading
    // it again together with the newcomer.
    if (waits_.pauses() != heard_at_)
        words_.clear();
    heard_at_ = waits_.pauses();
    add_words(text::spoken(text));
    if (!item_.checked() || !still_available())
        return;
    // Even a line with nothing to say moves on from the last one.
    if (words_.empty())
        speech_.stop();
    else
        speech_.say(words_);
    still_available();
}

void Reader::add_words(std::string_view words)
{
    // More than the message box holds is never read out in one breath.
    constexpr std::size_t kept = 4096;
    if (words.empty())
        return;
    if (!words_.empty()) {
        // A new message reads as a new sentence, as a new line does.
        if (std::string_view(".,;:!?").find(words_.back()) == std::string_view::npos)
            words_ += '.';
        words_ += ' ';
    }
    words_ += words;
    // Cut at a blank, and only once twice the kept length has gathered, so
    // that each word is moved a bounded number of times.
    if (words_.size() > 2 * kept) {
        const auto blank = words_.find(' ', words_.size() - kept);
        words_.erase(0, blank == std::string::npos ? words_.size() - kept : blank + 1);
    }
}

void Reader::stop()
{
    words_.clear();
    if (item_.checked() && still_available())
        speech_.stop();
}

bool Reader::still_available()
{
    if (speech_.available())
        return true;
    item_.set_checked(false);
    item_.set_enabled(false);
    item_.set_tooltip(speech_.fault());
    return false;
}

} // namespace quorrel::app
