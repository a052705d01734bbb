#pragma once

#include "app/tutor.h"
#include "ui/views/form_view.h"

#include <QObject>

namespace quorrel::app {

// The learner's keys in the main window, whatever widget there has the
// focus (the form, a slider, a button):
//   Space, Return   go on, as a click in the message box; a numeral box
//                   keeps Return, which applies the number typed
//   H               "here": leaves an exercise and reads on, while the
//                   link shows
//   Page Down/Up    NextPage / PrevPage
//   Escape          Stop, while a drill shows its Stop button
//   Ctrl+Q          Exit
//   Tab, Shift+Tab  the next or previous slider or numeral box shown
// A held key counts once: its auto-repeated presses do nothing, whether or
// not the window system marks them as repeats. Like the
// clicks they stand for, the keys only mark what the running lesson's wait
// acts on; nothing runs a lesson inside the key press.
class LearnerKeys final : public QObject {
public:
    // Watches the whole application (install it with installEventFilter on
    // the application) but acts only on presses inside `window`.
    LearnerKeys(QWidget& window, ui::FormView& view, Tutor& tutor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // True when the press was the learner's key and is used up.
    bool press(const QKeyEvent& key);
    // A press that only continues a key held down.
    bool repeated(const QKeyEvent& key) const;

    QWidget& window_;
    ui::FormView& view_;
    Tutor& tutor_;
    // The last release of a key in the window: its key and time stamp.
    int released_key_ = 0;
    quint64 released_at_ = 0;
};

} // namespace quorrel::app
