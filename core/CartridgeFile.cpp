#include "CartridgeFile.h"

#include "FileOperations.h"
#include "NativeFile.h"

#include <cerrno>

namespace core {

namespace {

SaveFailure untouched(const FileError &error)
{
    return SaveFailure{error, false};
}

SaveFailure partly(const FileError &error)
{
    return SaveFailure{error, true};
}

// All or nothing: a new file beside the old one takes every byte, reaches the disk and
// then takes the old one's place in one step. Until that step the old file is untouched.
// Where no file is at `path`, the same steps write it anew.
std::optional<SaveFailure> replaceWhole(FileOperations &files, const QString &path,
                                        const QByteArray &bytes)
{
    QString temporary;
    int error = 0;
    const std::unique_ptr<WriteHandle> file = files.createBeside(path, temporary, error);
    if (!file)
        return untouched(FileError::system(error));
    auto abandon = [&](const FileError &reason) {
        file->close();
        files.remove(temporary);
        return untouched(reason);
    };
    const qint64 written = file->write(bytes);
    if (written < 0)
        return abandon(FileError::system(file->error()));
    if (written != bytes.size())
        return abandon(FileError::shortWrite(written, bytes.size()));
    if (!file->sync())
        return abandon(FileError::system(file->error()));
    if (!file->close()) {
        files.remove(temporary);
        return untouched(FileError::system(file->error()));
    }
    if (const int failure = files.replace(temporary, path)) {
        files.remove(temporary);
        return untouched(FileError::system(failure));
    }
    return std::nullopt;
}

// For a file that must keep its identity: the bytes go over it from offset 0 without
// truncating it, so it never gets shorter.
std::optional<SaveFailure> writeInPlace(FileOperations &files, const QString &path,
                                        const QByteArray &bytes)
{
    int error = 0;
    const std::unique_ptr<WriteHandle> file = files.openExisting(path, error);
    if (!file)
        return untouched(FileError::system(error));
    const qint64 written = file->write(bytes);
    if (written < 0)
        return partly(FileError::system(file->error()));
    if (written != bytes.size()) {
        file->close();
        return partly(FileError::shortWrite(written, bytes.size()));
    }
    if (!file->sync() || !file->close())
        return partly(FileError::system(file->error()));
    // Bytes written to a file that was removed meanwhile reached no file anyone can open.
    const auto after = files.status(path);
    if (const int *failure = std::get_if<int>(&after))
        return untouched(FileError::system(*failure));
    switch (std::get<PathStatus>(after).kind) {
    case PathStatus::Kind::Missing:
        return untouched(FileError::system(ENOENT));
    case PathStatus::Kind::Folder:
        return untouched(FileError::system(EISDIR));
    case PathStatus::Kind::File:
        break;
    }
    return std::nullopt;
}

} // namespace

std::variant<QByteArray, FileError> readCartridge(const QString &path)
{
    NativeFile file;
    if (const int error = file.open(path, NativeFile::Mode::Read))
        return FileError::system(error);
    qint64 size = 0;
    if (const int error = file.size(size))
        return FileError::system(error);
    if (size > kMaxImageBytes)
        return FileError::tooLarge();
    QByteArray bytes;
    if (const int error = file.read(0, kMaxImageBytes + 1, bytes))
        return FileError::system(error);
    if (bytes.size() > kMaxImageBytes)
        return FileError::tooLarge();
    return bytes;
}

std::optional<SaveFailure> writeCartridge(const QString &path, const QByteArray &RomData)
{
    FileOperations &files = fileOperations();
    const auto target = files.finalTarget(path);
    if (const int *failure = std::get_if<int>(&target))
        return untouched(FileError::system(*failure));
    const QString &file = std::get<QString>(target);
    const auto found = files.status(file);
    if (const int *failure = std::get_if<int>(&found))
        return untouched(FileError::system(*failure));
    const PathStatus status = std::get<PathStatus>(found);
    if (status.kind == PathStatus::Kind::Missing)
        return replaceWhole(files, file, RomData);
    if (status.kind == PathStatus::Kind::Folder)
        return untouched(FileError::system(EISDIR));

    const auto tail = files.readFrom(file, RomData.size());
    if (const int *failure = std::get_if<int>(&tail))
        return untouched(FileError::system(*failure));
    const QByteArray bytes = RomData + std::get<QByteArray>(tail);
    // The new file would take a read-only file's place as if it were writable.
    if (const int failure = files.checkWritable(file))
        return untouched(FileError::system(failure));
    if (status.links > 1 || !files.folderWritable(file))
        return writeInPlace(files, file, bytes);
    return replaceWhole(files, file, bytes);
}

} // namespace core
