#include "UserFileWriter.h"

#include "FileBackup.h"
#include "FileOperations.h"
#include "SideFile.h"

#include <algorithm>
#include <cerrno>
#include <csignal>

namespace core {

namespace {

// A write past the file-size limit (`ulimit -f`) ends the program by default, half way
// through; ignored, the signal leaves the write failing with EFBIG, which is handled like any
// other failure: the old bytes stay or are put back.
void outliveFileSizeLimit()
{
#if defined(SIGXFSZ)
    [[maybe_unused]] static const bool ignored = std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
#endif
}

SaveFailure untouched(const FileError &error)
{
    return SaveFailure{error, SaveFailure::Left::OldBytes, {}};
}

// Whether the path still names the file a write began with: a new file may take the place
// of one removed meanwhile, never of one another program put there.
std::optional<FileError> changedSince(const PathStatus &before, const PathStatus &now)
{
    switch (now.kind) {
    case PathStatus::Kind::Missing:
        return std::nullopt;
    case PathStatus::Kind::Folder:
        return FileError::system(EISDIR);
    case PathStatus::Kind::Special:
        return FileError::notRegularFile();
    case PathStatus::Kind::File:
        break;
    }
    if (before.kind == PathStatus::Kind::File && now.id == before.id)
        return std::nullopt;
    return FileError::changedMeanwhile();
}

// A new file beside the target takes every byte, reaches the disk and then takes the
// target's place in one step. Until that step the target is untouched.
std::optional<SaveFailure> replaceWhole(FileOperations &files, const FileLocation &target,
                                        const QByteArray &bytes, const PathStatus &before)
{
    FileLocation temporary;
    int error = 0;
    const std::unique_ptr<WriteHandle> file = createSideFile(
        files, target.folder, target, QString(), NewFileAccess::SameAsTarget, temporary, error);
    if (!file)
        return untouched(FileError::system(error));
    auto abandon = [&](const FileError &reason) {
        file->close();
        files.remove(temporary);
        return untouched(reason);
    };
    qint64 written = 0;
    if (const int failure = file->write(0, bytes, written))
        return abandon(FileError::system(failure));
    if (written != bytes.size())
        return abandon(FileError::shortWrite(written, bytes.size()));
    if (const int failure = file->sync())
        return abandon(FileError::system(failure));
    if (const int failure = file->close())
        return abandon(FileError::system(failure));
    const auto now = files.status(target);
    if (const int *failure = std::get_if<int>(&now))
        return abandon(FileError::system(*failure));
    if (const auto changed = changedSince(before, std::get<PathStatus>(now)))
        return abandon(*changed);
    if (const int failure = files.replace(temporary, target))
        return abandon(FileError::system(failure));
    if (const int failure = files.syncFolder(target.folder))
        return SaveFailure{FileError::system(failure), SaveFailure::Left::NewBytes, {}};
    return std::nullopt;
}

// Puts the old bytes back after a write in place failed with `reason`. The write changed at
// most the first `reached` bytes, and the length where it got as far as truncating.
std::optional<SaveFailure> restore(WriteHandle &file, FileOperations &files,
                                   const FileBackup &backup, const QByteArray &old, qint64 reached,
                                   const FileError &reason)
{
    qint64 written = 0;
    const QByteArray changed = old.left(std::min<qint64>(reached, old.size()));
    int failure = file.write(0, changed, written);
    if (failure == 0 && written != changed.size())
        failure = ENOSPC;
    if (failure == 0)
        failure = file.truncate(old.size());
    if (failure == 0)
        failure = file.sync();
    file.close();
    if (failure != 0)
        return SaveFailure{reason, SaveFailure::Left::OldBytesInBackup, backup.path()};
    backup.discard(files);
    return SaveFailure{reason, SaveFailure::Left::RestoredOldBytes, {}};
}

// For a file that must keep its identity: written over itself, its old bytes kept in a
// backup until the new ones are on the disk.
std::optional<SaveFailure> writeInPlace(FileOperations &files, const FileLocation &target,
                                        const QByteArray &bytes, WriteLength length,
                                        const PathStatus &before)
{
    int error = 0;
    const std::unique_ptr<WriteHandle> file = files.openExisting(target, error);
    if (!file)
        return untouched(FileError::system(error));
    // The file opened must be the one looked at, and still be at the path: bytes written to
    // a file removed meanwhile would reach no file anyone can open.
    const auto now = files.status(target);
    if (const int *failure = std::get_if<int>(&now)) {
        file->close();
        return untouched(FileError::system(*failure));
    }
    const PathStatus &status = std::get<PathStatus>(now);
    std::optional<FileError> moved = status.kind == PathStatus::Kind::Missing
                                         ? FileError::system(ENOENT)
                                         : changedSince(before, status);
    if (!moved && file->id() != before.id)
        moved = FileError::changedMeanwhile();
    if (moved) {
        file->close();
        return untouched(*moved);
    }

    QByteArray old;
    if (const int failure = file->readAll(old)) {
        file->close();
        return untouched(FileError::system(failure));
    }
    const QByteArray whole =
        length == WriteLength::KeepBytesBeyond ? bytes + old.mid(bytes.size()) : bytes;
    if (whole == old) {
        if (const int failure = file->close())
            return untouched(FileError::system(failure));
        return std::nullopt;
    }

    const auto backup = FileBackup::make(files, target, old);
    if (const FileError *failure = std::get_if<FileError>(&backup)) {
        file->close();
        return untouched(*failure);
    }
    const FileBackup &kept = std::get<FileBackup>(backup);
    // A same-length write needs no new space; a longer one makes sure of its room first, so
    // that it is refused before the file is touched.
    if (whole.size() > old.size())
        if (const int failure = file->reserve(whole.size())) {
            // Where the system could only reserve by growing the file, it may have grown.
            file->truncate(old.size());
            file->close();
            kept.discard(files);
            return untouched(FileError::system(failure));
        }
    qint64 written = 0;
    if (const int failure = file->write(0, whole, written))
        return restore(*file, files, kept, old, written, FileError::system(failure));
    if (written != whole.size())
        return restore(*file, files, kept, old, written,
                       FileError::shortWrite(written, whole.size()));
    // From here on the old bytes beyond the new length may be gone too.
    if (whole.size() < old.size())
        if (const int failure = file->truncate(whole.size()))
            return restore(*file, files, kept, old, old.size(), FileError::system(failure));
    if (const int failure = file->sync())
        return restore(*file, files, kept, old, old.size(), FileError::system(failure));
    // The new bytes are on the disk: a close that fails now takes none of them away.
    const int closed = file->close();
    kept.discard(files);
    if (closed != 0)
        return SaveFailure{FileError::system(closed), SaveFailure::Left::NewBytes, {}};
    return std::nullopt;
}

} // namespace

std::optional<SaveFailure> writeUserFile(const QString &path, const QByteArray &bytes,
                                         WriteLength length)
{
    outliveFileSizeLimit();
    FileOperations &files = fileOperations();
    const auto located = files.locate(path);
    if (const int *failure = std::get_if<int>(&located))
        return untouched(FileError::system(*failure));
    const FileLocation &target = std::get<FileLocation>(located);
    const auto found = files.status(target);
    if (const int *failure = std::get_if<int>(&found))
        return untouched(FileError::system(*failure));
    const PathStatus &status = std::get<PathStatus>(found);
    switch (status.kind) {
    case PathStatus::Kind::Missing:
        return replaceWhole(files, target, bytes, status);
    case PathStatus::Kind::Folder:
        return untouched(FileError::system(EISDIR));
    case PathStatus::Kind::Special:
        return untouched(FileError::notRegularFile());
    case PathStatus::Kind::File:
        break;
    }
    // A new file would take a read-only file's place as if it were writable.
    if (const int failure = files.checkWritable(target))
        return untouched(FileError::system(failure));
    if (status.links > 1 || !files.folderWritable(target.folder))
        return writeInPlace(files, target, bytes, length, status);
    if (length == WriteLength::Exact)
        return replaceWhole(files, target, bytes, status);
    const auto beyond = files.readFrom(target, bytes.size());
    if (const int *failure = std::get_if<int>(&beyond))
        return untouched(FileError::system(*failure));
    return replaceWhole(files, target, bytes + std::get<QByteArray>(beyond), status);
}

} // namespace core
