#include "CartridgeFile.h"

#include "FileOperations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace core {

namespace {

QString readFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("无法读取文件“%1”：%2。\n已打开的ROM和修改都保持不变。")
        .arg(QFileInfo(path).fileName(), reason);
}

QString writeFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("无法保存文件“%1”：%2。\n文件保持原样，修改仍在内存中，可以再次保存。")
        .arg(QDir::toNativeSeparators(path), reason);
}

// Where a write in place stopped part way, the file keeps its length but its bytes can be
// a mix of the old and the new.
QString partialWriteFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("无法保存文件“%1”：%2。\n文件的长度不变，但可能只写入了一部分；修改仍在"
                          "内存中，可以再次保存。")
        .arg(QDir::toNativeSeparators(path), reason);
}

QString shortWrite(qint64 written, qsizetype total)
{
    return QStringLiteral("只写入了 %1 / %2 字节，磁盘可能已满").arg(written).arg(total);
}

// All or nothing: a new file beside the old one takes every byte, reaches the disk and
// then takes the old one's place in one step. Until that step the old file is untouched.
std::optional<FileFailure> replaceWhole(FileOperations &files, const QString &path,
                                        const QByteArray &bytes)
{
    QString temporary;
    QString error;
    const std::unique_ptr<WriteHandle> file = files.createBeside(path, temporary, error);
    if (!file)
        return FileFailure{writeFailure(path, error)};
    auto abandon = [&](const QString &reason) {
        file->close();
        files.remove(temporary);
        return FileFailure{writeFailure(path, reason)};
    };
    const qint64 written = file->write(bytes);
    if (written < 0)
        return abandon(file->errorString());
    if (written != bytes.size())
        return abandon(shortWrite(written, bytes.size()));
    if (!file->sync())
        return abandon(file->errorString());
    if (!file->close()) {
        files.remove(temporary);
        return FileFailure{writeFailure(path, file->errorString())};
    }
    const bool stillThere = files.isFile(path);
    if (!files.replace(temporary, path, error)) {
        files.remove(temporary);
        return FileFailure{writeFailure(path, error)};
    }
    // The image is on disk in full, but under a name someone else had just removed: say so
    // rather than report a plain success.
    if (!stillThere)
        return FileFailure{
            QStringLiteral(
                "保存文件“%1”时，原文件已被删除：已重新写入完整的ROM。\n修改仍在内存中。")
                .arg(QDir::toNativeSeparators(path))};
    return std::nullopt;
}

// For a folder that takes no new file: the bytes go over the file from offset 0 without
// truncating it, so it never gets shorter.
std::optional<FileFailure> writeInPlace(FileOperations &files, const QString &path,
                                        const QByteArray &bytes)
{
    QString error;
    const std::unique_ptr<WriteHandle> file = files.openExisting(path, error);
    if (!file)
        return FileFailure{writeFailure(path, error)};
    const qint64 written = file->write(bytes);
    if (written < 0)
        return FileFailure{partialWriteFailure(path, file->errorString())};
    if (written != bytes.size()) {
        file->close();
        return FileFailure{partialWriteFailure(path, shortWrite(written, bytes.size()))};
    }
    if (!file->sync() || !file->close())
        return FileFailure{partialWriteFailure(path, file->errorString())};
    // Bytes written to a file that was removed meanwhile reached no file anyone can open.
    if (!files.isFile(path))
        return FileFailure{
            QStringLiteral("无法保存文件“%1”：文件在保存时被删除或被替换。\n修改仍在内存中。")
                .arg(QDir::toNativeSeparators(path))};
    return std::nullopt;
}

} // namespace

std::variant<QByteArray, FileFailure> readCartridge(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileFailure{readFailure(path, file.errorString())};
    if (file.size() > kMaxImageBytes)
        return FileFailure{readFailure(path, QStringLiteral("文件大于64 MB，不是卡带镜像"))};
    QByteArray bytes = file.read(kMaxImageBytes + 1);
    if (file.error() != QFile::NoError)
        return FileFailure{readFailure(path, file.errorString())};
    if (bytes.size() > kMaxImageBytes)
        return FileFailure{readFailure(path, QStringLiteral("文件大于64 MB，不是卡带镜像"))};
    return bytes;
}

std::optional<FileFailure> writeCartridge(const QString &path, const QByteArray &RomData)
{
    FileOperations &files = fileOperations();
    const auto tail = files.readFrom(path, RomData.size());
    if (const auto *reason = std::get_if<QString>(&tail))
        return FileFailure{writeFailure(path, *reason)};
    const QByteArray bytes = RomData + std::get<QByteArray>(tail);
    if (!files.isWritable(path))
        return FileFailure{writeFailure(path, QStringLiteral("文件是只读的"))};
    if (!files.folderWritable(path))
        return writeInPlace(files, path, bytes);
    return replaceWhole(files, path, bytes);
}

} // namespace core
