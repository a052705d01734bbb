#include "scenes/authoring.h"

#include "ui/platform.h"

#include <QString>

#include <algorithm>

namespace quorrel::scenes {

Authoring::Authoring(ScriptFiles& files, ui::Dialogs& dialogs, std::function<void()> play)
    : files_(files), dialogs_(dialogs), play_(std::move(play))
{
}

int Authoring::updown(int i) const
{
    return i >= 0 && i < updown_count ? updowns_[static_cast<std::size_t>(i)] : 0;
}

void Authoring::set_updown(int i, int value)
{
    if (i >= 0 && i < updown_count)
        updowns_[static_cast<std::size_t>(i)] = std::clamp(value, 0, updown_max);
}

std::string Authoring::updown_label(int i) const { return "Frac " + std::to_string(updown(i)); }

void Authoring::select_op(std::optional<int> index)
{
    if (index && (*index < 0 || *index >= static_cast<int>(op_captions.size())))
        return;
    op_ = index;
}

void Authoring::append(std::string_view line)
{
    script_.append(line_break);
    script_.append(line);
}

void Authoring::cmd_wait_Click() { append("#wait&"); }

void Authoring::cmd_write_Click() { append("#write&" + Text1); }

void Authoring::Frame1_Click()
{
    const std::string op = op_ ? std::string(op_captions[static_cast<std::size_t>(*op_)]) : std::string();
    append("#exercise&condition " + std::to_string(updown(0)) + " " + std::to_string(updown(1)) + " " + op + " " +
           std::to_string(updown(2)) + "&" + tbox_request);
}

void Authoring::Frame2_Click() { append("#setfraction&" + std::to_string(updown(3)) + "&" + fraction); }

bool Authoring::cmd_savefile_Click()
{
    const std::string bytes = script_ + std::string(line_break);
    if (const auto failure = files_.write(tbox_filename, bytes)) {
        dialogs_.message_box("Could not save the script to \"" + tbox_filename + "\": " + failure->reason);
        return false;
    }
    return true;
}

bool Authoring::cmd_loadfile_Click()
{
    auto result = files_.read(tbox_filename);
    if (const auto* failure = std::get_if<ScriptFiles::Failure>(&result)) {
        dialogs_.message_box("Could not load the script from \"" + tbox_filename + "\": " + failure->reason);
        return false;
    }
    script_ = script_from_file(std::get<std::string>(result));
    if (play_)
        play_();
    return true;
}

std::string script_from_file(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    const std::string text =
        QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).toStdString();
    std::string script;
    script.reserve(text.size() + text.size() / 8);
    std::string_view rest = text;
    while (!rest.empty()) {
        const auto end = rest.find_first_of("\r\n");
        script.append(rest.substr(0, end));
        script.append(Authoring::line_break);
        if (end == std::string_view::npos)
            break;
        const bool crlf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
        rest.remove_prefix(end + (crlf ? 2 : 1));
    }
    return script;
}

} // namespace quorrel::scenes
