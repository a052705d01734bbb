#pragma once

#include "app/lessonform.h"
#include "fractions/slots.h"
#include "lessons/stage.h"

namespace quorrel::app {

// The main window around the fractions as lessons see it: its single
// controls, the parts of the slots, the arrow and the window's own drawing.
class LessonScreen final : public lessons::Screen {
public:
    LessonScreen(LessonForm& form, fractions::Slots& slots) : form_(form), slots_(slots) {}
    LessonScreen(const LessonScreen&) = delete;
    LessonScreen& operator=(const LessonScreen&) = delete;

    void reset_screen() override;
    QSize size() const override { return {form_.form().width(), form_.form().height()}; }
    void hide_controls() override { form_.hide_controls(); }
    QRect rect(lessons::Control control) const override;
    void place(lessons::Control control, const QRect& to) override;
    void show(lessons::Control control) override;
    void hide(lessons::Control control) override { control_of(control).hide(); }

    QRect rect(int slot, fractions::SlotPart part) const override;
    void move_part(int slot, fractions::SlotPart part, const QRect& to) override;
    void show_chocolate(int slot, fractions::Chocolate kind) override;

    void move_arrow(double x, double y) override { form_.move_arrow(x, y); }
    void turn_arrow(double angle) override { form_.turn_arrow(angle); }
    void show_arrow() override { form_.show_arrow(); }

    void clear_drawing() override { form_.canvas().clear(); }
    void demonstrate_product(long long a, long long b, long long c, long long d,
                             demos::Narrator& narrator) override;

private:
    ui::Control& control_of(lessons::Control which) const;
    ui::Control* part_of(int slot, fractions::SlotPart which) const;

    LessonForm& form_;
    fractions::Slots& slots_;
};

} // namespace quorrel::app
