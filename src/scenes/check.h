#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorrel::scenes {

// A line of a script that will do nothing when played, or not what its
// author meant: the command is skipped, changes nothing, or never holds.
struct Finding {
    int line = 0;       // counted from 1, as the editor shows them
    std::string text;   // the line as written
    std::string problem;

    friend bool operator==(const Finding&, const Finding&) = default;
};

// Every such command of `script`, in order, for the screen a scene plays on
// (slots 0 to 2). Playing is unchanged: it still skips them. Linear in the
// length of the text.
std::vector<Finding> check_script(std::string_view script);

} // namespace quorrel::scenes
