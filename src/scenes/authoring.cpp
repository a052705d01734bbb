#include "scenes/authoring.h"

#include "ui/platform.h"

#include <QString>
#include <QStringDecoder>

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

void Authoring::cmd_nw_Click() { append("#nw&" + Text1 + "&"); }

void Authoring::Frame1_Click()
{
    const std::string op = op_ ? std::string(op_captions[static_cast<std::size_t>(*op_)]) : std::string();
    append("#exercise&condition " + std::to_string(updown(0)) + " " + std::to_string(updown(1)) + " " + op + " " +
           std::to_string(updown(2)) + "&" + tbox_request);
}

void Authoring::Frame2_Click() { append("#setfraction&" + std::to_string(updown(3)) + "&" + fraction); }

bool Authoring::save_replaces_bytes() const
{
    return !kept_.utf8 && modified();
}

std::string Authoring::file_bytes() const
{
    if (!modified() && !kept_.name.empty())
        return kept_.bytes;
    std::string bytes;
    bytes.reserve(script_.size() + line_break.size());
    std::string_view rest = script_;
    for (auto at = rest.find(line_break); at != std::string_view::npos; at = rest.find(line_break)) {
        bytes.append(rest.substr(0, at));
        bytes.append(kept_.line_end);
        rest.remove_prefix(at + line_break.size());
    }
    bytes.append(rest);
    // A loaded script already ends each line; one more would add an empty line.
    if (!script_.ends_with(line_break))
        bytes.append(kept_.line_end);
    return bytes;
}

bool Authoring::cmd_savefile_Click()
{
    const std::string bytes = file_bytes();
    const std::string failed = "Could not save the script to \"" + tbox_filename + "\": ";
    if (bytes.size() > static_cast<std::size_t>(DiskScriptFiles::max_bytes)) {
        dialogs_.message_box(failed + "it would be larger than 4 MiB, and Load File refuses such files");
        return false;
    }
    if (const auto failure = files_.write(tbox_filename, bytes)) {
        dialogs_.message_box(failed + failure->reason);
        return false;
    }
    kept_ = {script_, tbox_filename, bytes, kept_.line_end, is_utf8(bytes)};
    return true;
}

bool Authoring::cmd_loadfile_Click()
{
    auto result = files_.read(tbox_filename);
    if (const auto* failure = std::get_if<ScriptFiles::Failure>(&result)) {
        dialogs_.message_box("Could not load the script from \"" + tbox_filename + "\": " + failure->reason);
        return false;
    }
    std::string& bytes = std::get<std::string>(result);
    script_ = script_from_file(bytes);
    const bool utf8 = is_utf8(bytes);
    const std::string_view line_end = line_end_of(bytes);
    kept_ = {script_, tbox_filename, std::move(bytes), std::string(line_end), utf8};
    if (!utf8)
        dialogs_.message_box("\"" + tbox_filename +
                             "\" is not UTF-8 text: the bytes that are not show as \"\xEF\xBF\xBD\". Saving the "
                             "script unedited keeps them as they were; saving it edited replaces them.");
    if (play_)
        play_();
    return true;
}

bool is_utf8(std::string_view bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return !decoder.hasError();
}

std::string_view line_end_of(std::string_view bytes)
{
    const auto at = bytes.find_first_of("\r\n");
    if (at == std::string_view::npos || bytes.substr(at).starts_with("\r\n"))
        return Authoring::line_break;
    return bytes[at] == '\n' ? "\n" : "\r";
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
