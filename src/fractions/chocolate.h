#pragma once

#include "ui/canvas.h"

#include <QSize>

#include <string>

namespace quorrel::fractions {

// Three chocolate bars shared among eight children: whole, each cut in eight
// with every child's three pieces labelled, or laid end to end and split in
// eight shares.
enum class Chocolate { whole_bars, cut_in_eighths, end_to_end };

// The size a chocolate picture needs; the caller sizes the box before
// drawing, so drawing never changes geometry.
QSize chocolate_size(Chocolate kind);
void draw_chocolate(ui::Canvas& canvas, Chocolate kind);
// What the picture shows, for a screen reader.
std::string chocolate_in_words(Chocolate kind);

} // namespace quorrel::fractions
