#pragma once

#include "scenes/script_files.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quorrel::ui {
class Dialogs;
}

namespace quorrel::scenes {

// The authoring window `interface` without its widgets: every button appends
// one command line (a line break, then the line) to the script `writestring`;
// the script is saved to and loaded from the file named in `tbox_filename`,
// and a loaded script is played at once.
class Authoring {
public:
    static constexpr int updown_count = 4;           // UpDown_f(0..3)
    static constexpr int updown_max = 10;            // the highest slot number
    static constexpr std::array<std::string_view, 4> op_captions = {"+", "-", "*", "/"}; // option_op(0..3)
    static constexpr std::string_view line_break = "\r\n";

    // `play` runs the script in the main window; it is called after a load.
    Authoring(ScriptFiles& files, ui::Dialogs& dialogs, std::function<void()> play = {});

    // --- writestring ------------------------------------------------------
    const std::string& writestring() const { return script_; }
    void set_writestring(std::string text) { script_ = std::move(text); }

    // --- The fields the buttons read ------------------------------------
    std::string Text1;
    std::string tbox_request = "req";
    std::string fraction = "1/1"; // tbox_f(4)
    std::string tbox_filename = "default_file";

    int updown(int i) const;
    // Clamped to 0 .. updown_max; an index outside 0..3 is ignored.
    void set_updown(int i, int value);
    // tbox_f(i): "Frac " and the up-down's value.
    std::string updown_label(int i) const;

    // The selected operation button, 0 to 3, or none.
    std::optional<int> selected_op() const { return op_; }
    void select_op(std::optional<int> index);

    // --- Buttons ----------------------------------------------------------
    void cmd_wait_Click();
    void cmd_write_Click();
    void Frame1_Click(); // Test Condition: an exercise line
    void Frame2_Click(); // Set Fraction: a set-fraction line
    // The script and a line break replace the file; true when saved. On
    // failure a message names the file and the reason.
    bool cmd_savefile_Click();
    // Reads the whole file, makes its lines the script (each ended by a line
    // break) and plays it; true when loaded. On failure a message names the
    // file and the reason, and the script stays as it was and nothing plays.
    bool cmd_loadfile_Click();

private:
    void append(std::string_view line);

    ScriptFiles& files_;
    ui::Dialogs& dialogs_;
    std::function<void()> play_;
    std::string script_;
    std::array<int, updown_count> updowns_{};
    std::optional<int> op_ = 0;
};

// A file's text as script lines: CRLF, LF or a lone CR end a line, each line
// is then ended by CRLF; a byte-order mark is dropped and bytes that are not
// UTF-8 become replacement characters.
std::string script_from_file(std::string_view bytes);

} // namespace quorrel::scenes
