#pragma once

#include "app/course.h"
#include "exercises/conditions.h"
#include "exercises/exercise.h"
#include "exercises/practice.h"
#include "fractions/slots.h"
#include "pages/page_bar.h"
#include "text/writer.h"
#include "ui/form.h"
#include "ui/waits.h"

#include <cstdint>
#include <set>
#include <string>

namespace quorrel::app {

// What the learner has before them and where the course stands, read without
// changing anything: for tests, checks and the soak learner.
class Probe {
public:
    struct Parts {
        const ui::Form& window;
        const fractions::Slots& slots;
        const text::Writer& writer;
        const Course& course;
        const pages::PageBar& page_bar;
        const exercises::ExerciseRunner& exercises;
        const exercises::Practice& practice;
        const ui::Waits& waits;
    };
    explicit Probe(Parts parts) : p_(parts) {}

    // Every control and menu of the window, by name.
    const ui::Form& window() const { return p_.window; }
    // A control of the window by name; nullptr when there is none of that type.
    template <typename T = ui::Control>
    const T* find(const std::string& name) const
    {
        return dynamic_cast<const T*>(p_.window.find(name));
    }
    // The control of an array by its index ("inbox", 3 is "inbox(3)").
    template <typename T = ui::Control>
    const T* find(const std::string& name, int index) const
    {
        return find<T>(name + "(" + std::to_string(index) + ")");
    }
    const ui::MenuItem* menu(const std::string& name) const { return p_.window.menu_bar().find(name); }
    // The fraction slots: values, picture modes, controls.
    const fractions::Slots& slots() const { return p_.slots; }
    // The page's text so far, marked up, as the message box redraws it.
    const std::string& message_history() const { return p_.writer.message_history(); }

    const std::string& lesson() const { return p_.course.current_lesson(); }
    int page() const { return p_.course.current_page(); }
    // The title bar's lesson title and page label, as drawn.
    const std::string& title_shown() const { return p_.page_bar.shown_title(); }
    const std::string& page_label() const { return p_.page_bar.shown_label(); }
    // The pages the strip marks finished, course-wide.
    const std::set<int>& page_finished() const { return p_.page_bar.finished(); }

    // The exercise waiting for an answer, if any.
    const exercises::Condition* asked() const { return p_.exercises.current_condition(); }
    // "Stop" was pressed during the drill in progress.
    bool stop_marked() const { return p_.exercises.quit_marked(); }
    // The practice screen's problem and the answer as last checked.
    const exercises::Practice& practice() const { return p_.practice; }

    bool in_lesson() const { return p_.waits.in_lesson(); }
    bool quitting() const { return p_.waits.quitting(); }
    bool click_pending() const { return p_.waits.click_pending(); }
    // 0 while every lesson has started from the same stack frame.
    std::uintptr_t start_depth_spread() const { return p_.course.start_depth_spread(); }

private:
    Parts p_;
};

} // namespace quorrel::app
