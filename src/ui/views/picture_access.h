#pragma once

namespace quorrel::ui {

// Lets screen readers see every picture box as what it is: a box of text as
// read-only text (its lines of words, the newest last), any other as a
// picture with its name and description. Installing twice does nothing.
void install_picture_access();

} // namespace quorrel::ui
