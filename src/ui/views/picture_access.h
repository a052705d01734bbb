#pragma once

#include <QString>

namespace quorrel::ui {

// How a box's text changed, as screen readers are told: from `position` on,
// `removed` gave way to `added`. Lines added at the end are an insertion
// alone; a line that changed is replaced whole, from its start.
struct TextChange {
    int position = 0;
    QString removed;
    QString added;
};
TextChange text_change(const QString& before, const QString& now);

// Lets screen readers see every picture box as what it is: a box of text as
// read-only text (its lines of words, the newest last), any other as a
// picture with its name and description. Installing twice does nothing.
void install_picture_access();

} // namespace quorrel::ui
