#pragma once

#include "app/tutor.h"
#include "lessons/stage.h"
#include "support/fakes.h"
#include "ui/platform.h"

#include <QTest>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace quorrel::testing {

// A whole tutor without a window, run by a scripted learner: the learner's
// policy is asked to act whenever the tutor waits for input, and sees what
// the tutor wrote. A lesson of many pages runs in milliseconds.
class Harness {
public:
    // Course events go to `recorder` when given.
    explicit Harness(std::uint64_t seed = 1, int width = 1280, int height = 1000,
                     progress::Recorder* recorder = nullptr);
    Harness(const Harness&) = delete;
    Harness& operator=(const Harness&) = delete;

    app::Tutor& tutor() { return *tutor_; }
    // What the learner sees and where the course stands.
    const app::Probe& probe() const { return tutor_->probe(); }
    // A control of the window by name, to act on as the learner does; the
    // test fails when there is none of that type.
    template <typename T = ui::Control>
    T& control(const std::string& name)
    {
        auto* found = dynamic_cast<T*>(tutor_->window().find(name));
        if (!found)
            qFatal("no control %s", name.c_str());
        return *found;
    }
    ui::MenuItem& menu(const std::string& name);
    // The numerals slot `slot` holds now (0/1 for a slot not made).
    int num(int slot) const;
    int den(int slot) const;

    // A lesson of a test, played on the lesson roles as the course's are.
    using Script = std::function<void(const lessons::Stage&)>;
    // The lesson roles, as the last lesson of a test had them: a test sets
    // up its screen through them as a lesson does.
    const lessons::Stage& stage() const;

    // The learner's turn; it must do something that ends the wait (a click,
    // a menu choice that starts a lesson, "Exit") or it will be asked again.
    void set_learner(std::function<void(Harness&)> policy) { policy_ = std::move(policy); }
    // Ends the run once the learner has been asked this often without
    // finishing (a stuck script fails a test instead of hanging it).
    int turn_limit = 20000;

    // Runs `body` until it returns or the program is asked to end; true when
    // it ended by "Exit" (or the turn limit).
    bool run(const std::function<void()>& body);
    // Start-up, as the program runs it: true when it ended by "Exit", false
    // when the lessons ran out and the tutor went idle.
    bool start();
    // Runs the lessons started so far (menu, paging, strip) and everything
    // they lead to, until the tutor goes idle or "Exit"; true on "Exit".
    bool settle();
    // Runs `script` instead of the lesson `code` of the course.
    void add_lesson(const std::string& code, Script script);
    // Starts lesson `code` as its menu item does (the item alone, not the
    // menus above it).
    void start_lesson(const std::string& code);
    // Plays `script` as lesson 1a until the tutor goes idle or "Exit"; true
    // on "Exit".
    bool play(Script script);

    // Learner actions, through the same handlers the window uses.
    void click_text();
    void click_go_on();
    void press_stop();
    // Clicks the button of that name.
    void press(const std::string& button);
    void choose(const std::string& menu_item);
    void click_page_strip(double x);
    // Steps the slider one arrow click at a time, as a learner would; the
    // tutor may widen its range or snap it back as it goes. False when the
    // slider never got there.
    bool click_slider_to(ui::Slider& slider, int value);
    // Sets a slot's fraction through its sliders, bottom first.
    bool set_fraction(int slot, int n, int d);
    void type_into(ui::TextBox& box, const std::string& text);

    // The newest line of the message box's history (what the tutor is
    // waiting on), and every such line in order since the run began.
    std::string last_line() const;
    const std::vector<std::string>& transcript() const { return transcript_; }
    bool wrote(const std::string& fragment) const;
    bool limit_reached() const { return limit_reached_; }

    FakeClock clock{86399.9}; // just before midnight: pauses must not care
    ScriptedPump pump{clock};
    RecordingDialogs dialogs;
    FakeSpeech speech;

private:
    void learner_turn();

    std::unique_ptr<app::Tutor> tutor_;
    std::map<std::string, Script, std::less<>> lessons_;
    const lessons::Stage* stage_ = nullptr;
    std::function<void(Harness&)> policy_;
    std::vector<std::string> transcript_;
    bool limit_reached_ = false;
};

// Splits message-box history into its lines, without their six-blank indent
// and the bullet token.
std::vector<std::string> history_lines(const std::string& history);

} // namespace quorrel::testing
