#pragma once

#include "exercises/conditions.h"
#include "lessons/stage.h"
#include "ui/color.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace quorrel::lessons {

using Page = std::function<void()>;

// The forms an exercise's answer takes, as the lessons state them.
using exercises::Equivalent;
using exercises::ExactForm;
using exercises::Expanded;
using exercises::Operation;
using exercises::Part;
using exercises::PartIs;
using exercises::ReducedArithmetic;
using exercises::ReducedBy;
using exercises::ReducedForm;
using exercises::Reminder;
using exercises::Restate;
using exercises::SameNumerals;
using exercises::ShowsExactly;
using fractions::SlotPart;

// Runs a lesson's pages from the one the learner asked for, then hands over
// to the course's next lesson.
void run_pages(Pages& pages, std::initializer_list<Page> list);

// "n/d", as lesson text writes a fraction.
std::string numeral(int num, int den);

// Joins pieces of lesson text into one line.
std::string join(std::initializer_list<std::string_view> pieces);

inline int right_edge(const QRect& r) { return r.left() + r.width(); }
inline int bottom_edge(const QRect& r) { return r.top() + r.height(); }

// A colour as the markup's "ForeColor__" token takes it.
std::string fore_color(ui::Color color);

} // namespace quorrel::lessons
