#pragma once

#include "ui/form.h"

#include <array>

namespace quorrel::app {

// The main window's fixed control set and menus. Fraction slots add their
// own controls to the same form (fractions/slots.h).
class LessonForm {
public:
    static constexpr const char* caption = "Quorrel";
    // The least inside that shows every page of every lesson whole (the
    // demonstration's bottom circle ends at row 661, lesson 4's buttons at
    // 660; the pictures follow the width); a smaller window shows the form
    // laid out at least this large, scaled down.
    static constexpr int design_width = 1024;
    static constexpr int design_height = 670;

    LessonForm(int width, int height);
    LessonForm(const LessonForm&) = delete;
    LessonForm& operator=(const LessonForm&) = delete;

    ui::Form& form() { return form_; }
    const ui::Form& form() const { return form_; }
    ui::Canvas& canvas() { return form_.canvas(); }

    // Hides every control but the page strip (and the menus, which are not
    // controls here), then shows the title bar.
    void hide_controls();

    // The pointer arrow: three lines whose shape is kept as it moves and is
    // always turned from its start-up shape.
    void move_arrow(double x, double y);
    void turn_arrow(double angle);
    void save_arrow_shape();
    // The screen reset hides the arrow with every other control.
    void show_arrow();
    const std::array<ui::LineControl*, 3>& arrow() const { return arrow_; }

    // The lesson items by code ("1a" ... "4"), each under its chapter.
    ui::MenuItem* lesson_item(const std::string& code);

private:
    // The tutor that owns the window wires and lays out its controls, and
    // the screen role places them for the lessons; nothing else reaches them.
    friend class Tutor;
    friend class LessonScreen;

    // The keys of the menus and buttons, and what a screen reader says of
    // each control.
    void set_mnemonics();
    void describe_controls();
    // A drill's Stop, centred under the message box at the foot of the window.
    void place_stop();

    ui::Form form_;
    ui::PictureBox& pbox_title;
    ui::PictureBox& pbox_pages;
    ui::PictureBox& pbox_text;
    ui::PictureBox& pbox_go_on;
    ui::TextBox& tbox_message;
    ui::Button& cmd_stop;
    ui::Button& cmd_newprob;
    ui::Button& cmd_checksum;
    ui::Button& cmd_checkproduct;
    ui::Button& cmd_checkquotient;
    ui::Button& cmd_checkreduced;

    ui::MenuItem& mnu_Lessons;
    ui::MenuItem& mnu_1;
    ui::MenuItem& mnu_2;
    ui::MenuItem& mnu_3;
    ui::MenuItem& mnu_4;
    ui::MenuItem& mnu_goto;
    ui::MenuItem& mnu_modes;
    ui::MenuItem& mnu_auto;
    ui::MenuItem& mnu_waitt;
    ui::MenuItem& mnu_circle0;
    ui::MenuItem& mnu_mixed0;
    ui::MenuItem& mnu_circle1;
    ui::MenuItem& mnu_mixed1;
    ui::MenuItem& mnu_circle2;
    ui::MenuItem& mnu_mixed2;
    ui::MenuItem& mnu_read;
    ui::MenuItem& mnu_view;
    ui::MenuItem& mnu_larger;
    ui::MenuItem& mnu_smaller;
    ui::MenuItem& mnu_normalsize;
    ui::MenuItem& mnu_contrast;
    // Filled by whoever keeps the learners; the items here work without one.
    ui::MenuItem& mnu_learner;
    ui::MenuItem& mnu_next;
    ui::MenuItem& mnu_prev;
    ui::MenuItem& mnu_exit;
    ui::MenuItem& mnu_test;
    ui::MenuItem& mnu_playback;
    // The picture-mode items of slots 0 to 2.
    const std::array<ui::MenuItem*, 3> mnu_circle{&mnu_circle0, &mnu_circle1, &mnu_circle2};
    const std::array<ui::MenuItem*, 3> mnu_mixed{&mnu_mixed0, &mnu_mixed1, &mnu_mixed2};

    std::array<ui::LineControl*, 3> arrow_{};
    struct Shape {
        double x1, y1, x2, y2;
    };
    std::array<Shape, 3> arrow_shape_{};
};

} // namespace quorrel::app
