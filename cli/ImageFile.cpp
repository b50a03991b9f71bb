#include "ImageFile.h"

#include "FileFailureReason.h"
#include "PendingBackup.h"
#include "UserFileWriter.h"

#include <QDir>

namespace cli {

// A patch may shorten the image, so the file takes exactly the new bytes; the editor's save,
// which keeps what lies beyond, is for map edits of the same length.
std::optional<QString> replaceImageFile(fileio::FileOperations &files, const QString &path,
                                        const QByteArray &read, const QByteArray &bytes)
{
    if (const auto refusal = pendingBackupRefusal(files, path))
        return refusal;
    const fileio::FileContent readBefore{true, read};
    if (const auto failure =
            fileio::writeUserFile(files, path, bytes, fileio::WriteLength::Exact, &readBefore))
        return saveFailureReason(*failure);
    return std::nullopt;
}

std::optional<QString> pendingBackupRefusal(fileio::FileOperations &files, const QString &path)
{
    if (const auto backup = fileio::pendingBackupOf(files, path))
        return QStringLiteral("an interrupted write left the image's old bytes in %1; "
                              "'tarvos-cli restore %2' puts them back")
            .arg(QDir::toNativeSeparators(*backup), path);
    return std::nullopt;
}

} // namespace cli
