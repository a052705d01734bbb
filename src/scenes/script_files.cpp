#include "scenes/script_files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace quorrel::scenes {

std::variant<std::string, ScriptFiles::Failure> DiskScriptFiles::read(const std::string& name)
{
    const QString path = QString::fromStdString(name);
    if (QFileInfo(path).isDir())
        return Failure{"it is a folder"};
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
    QSaveFile file(QString::fromStdString(name));
    if (!file.open(QIODevice::WriteOnly))
        return Failure{file.errorString().toStdString()};
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        const std::string reason = file.errorString().toStdString();
        file.cancelWriting();
        return Failure{reason};
    }
    if (!file.commit())
        return Failure{file.errorString().toStdString()};
    return std::nullopt;
}

} // namespace quorrel::scenes
