#pragma once

#include "lessons/stage.h"
#include "ui/color.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace quorrel::lessons {

using Page = std::function<void()>;

// Runs a lesson's pages from the one the learner asked for (page 1 unless
// the stage says otherwise), then hands over to lesson `next` (none when
// empty).
void run_pages(Stage& stage, std::initializer_list<Page> pages, std::string_view next);

// Joins pieces of lesson text into one line.
std::string join(std::initializer_list<std::string_view> pieces);

inline int right_edge(const QRect& r) { return r.left() + r.width(); }
inline int bottom_edge(const QRect& r) { return r.top() + r.height(); }

// A colour as the markup's "ForeColor__" token takes it.
std::string fore_color(ui::Color color);

} // namespace quorrel::lessons
