#include "CommandFiles.h"

#include "FileFailureReason.h"
#include "RegularFile.h"
#include "UserFileWriter.h"

#include <QFileInfo>

namespace cli {

std::optional<QString> writeOutputFile(fileio::FileOperations &files, const QString &path,
                                       const QByteArray &bytes)
{
    if (const auto failure = fileio::writeUserFile(files, path, bytes, fileio::WriteLength::Exact))
        return saveFailureReason(*failure);
    return std::nullopt;
}

std::optional<QString> readInputFile(const QString &path, qint64 limit, const QString &tooLarge,
                                     QByteArray &bytes)
{
    if (const auto refusal = namedFileRefusal(path))
        return refusal;
    fileio::NativeFile file;
    if (const auto refused = fileio::openRegularFile(file, path))
        return readFailureReason(*refused);
    if (const int error = file.read(0, limit + 1, bytes))
        return readFailureReason(fileio::FileError::system(error));
    if (bytes.size() > limit)
        return QStringLiteral("larger than %1 MiB, %2").arg(limit / (1024 * 1024)).arg(tooLarge);
    return std::nullopt;
}

std::optional<QString> namedFileRefusal(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("no such file");
    if (info.isDir())
        return QStringLiteral("not a file");
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
