#include "CommandFiles.h"

#include "FileFailureReason.h"
#include "UserFileWriter.h"

#include <QFile>
#include <QFileInfo>

namespace cli {

std::optional<QString> writeOutputFile(core::FileOperations &files, const QString &path,
                                       const QByteArray &bytes)
{
    if (const auto failure = core::writeUserFile(files, path, bytes, core::WriteLength::Exact))
        return saveFailureReason(*failure);
    return std::nullopt;
}

std::optional<QString> readInputFile(const QString &path, qint64 limit, const QString &tooLarge,
                                     QByteArray &bytes)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("no such file");
    if (!info.isFile())
        return QStringLiteral("not a file");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read: %1").arg(file.errorString());
    bytes = file.read(limit + 1);
    if (file.error() != QFile::NoError)
        return QStringLiteral("cannot read: %1").arg(file.errorString());
    if (bytes.size() > limit)
        return QStringLiteral("larger than %1 MiB, %2").arg(limit / (1024 * 1024)).arg(tooLarge);
    return std::nullopt;
}

bool sameFile(const QString &a, const QString &b)
{
    const QFileInfo x(a);
    const QFileInfo y(b);
    return x.exists() && y.exists() ? x.canonicalFilePath() == y.canonicalFilePath()
                                    : x.absoluteFilePath() == y.absoluteFilePath();
}

} // namespace cli
