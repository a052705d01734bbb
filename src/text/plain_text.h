#pragma once

#include <string>
#include <string_view>

namespace quorrel::text {

// Marked-up lesson text as words alone, for a screen reader: formatting
// tokens ("Bullet__", "FontSize__22") dropped, line breaks and runs of
// blanks as single blanks, nothing at either end. Fractions stay "3/4".
std::string plain_text(std::string_view marked);

} // namespace quorrel::text
