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
    pending_.clear();
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
        pending_.clear();
    heard_at_ = waits_.pauses();
    if (!pending_.empty())
        pending_ += '\n';
    pending_ += text;
    if (!item_.checked() || !still_available())
        return;
    // Even a line with nothing to say moves on from the last one.
    if (const std::string words = text::spoken(pending_); words.empty())
        speech_.stop();
    else
        speech_.say(words);
    still_available();
}

void Reader::stop()
{
    pending_.clear();
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
