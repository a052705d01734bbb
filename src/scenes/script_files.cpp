#include "scenes/script_files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <cerrno>
#include <cstring>

namespace quorrel::scenes {

namespace {

// Reading a FIFO or a device would block the program or never end.
std::optional<ScriptFiles::Failure> not_a_file(const QFileInfo& info)
{
    if (info.isDir())
        return ScriptFiles::Failure{"it is a folder"};
    if (info.exists() && !info.isFile())
        return ScriptFiles::Failure{"it is not an ordinary file"};
    return std::nullopt;
}

// Qt names some failures only "Unknown error"; the system's own word, or a
// full disk, says more.
std::string write_failure(const QFileDevice& file, const QString& path, qint64 size)
{
    const int error = errno;
    const QStorageInfo storage(QFileInfo(path).absolutePath());
    if (error == ENOSPC || (storage.isValid() && storage.bytesAvailable() < size))
        return "the disk is full";
    std::string reason = file.errorString().toStdString();
    if (reason.empty() || reason == "Unknown error")
        reason = error != 0 ? std::strerror(error) : "the file could not be written";
    return reason;
}

} // namespace

std::variant<std::string, ScriptFiles::Failure> DiskScriptFiles::read(const std::string& name)
{
    const QString path = QString::fromStdString(name);
    if (auto failure = not_a_file(QFileInfo(path)))
        return *failure;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{file.errorString().toStdString()};
    if (file.size() > max_bytes)
        return Failure{"it is larger than 4 MiB"};
    // One byte beyond the limit tells a file that grew while being read.
    const QByteArray bytes = file.read(max_bytes + 1);
    if (file.error() != QFileDevice::NoError)
        return Failure{file.errorString().toStdString()};
    if (bytes.size() > max_bytes)
        return Failure{"it is larger than 4 MiB"};
    return bytes.toStdString();
}

std::optional<ScriptFiles::Failure> DiskScriptFiles::write(const std::string& name, std::string_view bytes)
{
    const QString path = QString::fromStdString(name);
    if (auto failure = not_a_file(QFileInfo(path)))
        return failure;
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return Failure{file.errorString().toStdString()};
    const auto size = static_cast<qint64>(bytes.size());
    errno = 0;
    if (file.write(bytes.data(), size) != size || !file.flush()) {
        const std::string reason = write_failure(file, path, size);
        file.cancelWriting();
        return Failure{reason};
    }
    errno = 0;
    if (!file.commit())
        return Failure{write_failure(file, path, size)};
    return std::nullopt;
}

} // namespace quorrel::scenes
