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
    // The highest slot number: a scene's screen has the three fractions of
    // chapter 3 (slots 3 and 4 only once lesson 3c has made them).
    static constexpr int updown_max = 2;
    static constexpr std::array<std::string_view, 4> op_captions = {"+", "-", "*", "/"}; // option_op(0..3)
    static constexpr std::string_view line_break = "\r\n";

    // `play` runs the script in the main window; it is called after a load.
    Authoring(ScriptFiles& files, ui::Dialogs& dialogs, std::function<void()> play = {});

    // --- writestring ------------------------------------------------------
    const std::string& writestring() const { return script_; }
    void set_writestring(std::string text) { script_ = std::move(text); }
    // The script differs from what was last loaded or saved (or, before
    // either, from the empty box).
    bool modified() const { return script_ != kept_.script; }
    // The script came from a file that was not UTF-8 text and was edited:
    // saving it writes replacement characters for the bytes that were not.
    bool save_replaces_bytes() const;

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
    void cmd_nw_Click(); // a bulleted line: "#nw&", the text of Text1, "&"
    void Frame1_Click(); // Test Condition: an exercise line
    void Frame2_Click(); // Set Fraction: a set-fraction line
    // The script, ended by a line break, replaces the file; true when
    // saved. A script loaded and not edited since is written back byte for
    // byte; an edited one keeps the line breaks of the file it came from.
    // On failure (or a script too large to load again) a message names the
    // file and the reason.
    bool cmd_savefile_Click();
    // Reads the whole file, makes its lines the script (each ended by a line
    // break) and plays it; true when loaded. A file that is not UTF-8 text
    // is loaded with a warning. On failure a message names the file and the
    // reason, and the script stays as it was and nothing plays.
    bool cmd_loadfile_Click();

private:
    // The script as last loaded or saved, and the file's own bytes.
    struct Kept {
        std::string script;
        std::string name;
        std::string bytes;
        std::string line_end{line_break};
        bool utf8 = true;
    };

    void append(std::string_view line);
    // What a save writes.
    std::string file_bytes() const;

    ScriptFiles& files_;
    ui::Dialogs& dialogs_;
    std::function<void()> play_;
    std::string script_;
    std::array<int, updown_count> updowns_{};
    std::optional<int> op_ = 0;
    Kept kept_;
};

// A file's text as script lines: CRLF, LF or a lone CR end a line, each line
// is then ended by CRLF; a byte-order mark is dropped and bytes that are not
// UTF-8 become replacement characters.
std::string script_from_file(std::string_view bytes);
// Whether the bytes are UTF-8 text throughout.
bool is_utf8(std::string_view bytes);
// The line break a file uses first: CRLF, LF or CR; CRLF when it has none.
std::string_view line_end_of(std::string_view bytes);

} // namespace quorrel::scenes
