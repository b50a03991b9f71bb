#include "UserFileWriter.h"

#include "FileBackup.h"
#include "SideFile.h"

#include <algorithm>
#include <cerrno>

namespace fileio {

namespace {

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

// Whether the file still holds what the caller read of it. A file removed since is written
// anew, as nothing of another program's is lost with it.
std::optional<FileError> differsFromRead(FileOperations &files, const FileLocation &target,
                                         const FileContent *readBefore)
{
    if (!readBefore)
        return std::nullopt;
    const auto found = files.status(target);
    if (const int *failure = std::get_if<int>(&found))
        return FileError::system(*failure);
    if (std::get<PathStatus>(found).kind == PathStatus::Kind::Missing)
        return std::nullopt;
    if (!readBefore->exists)
        return FileError::contentChanged();
    const auto now = files.readFrom(target, 0);
    if (const int *failure = std::get_if<int>(&now))
        return FileError::system(*failure);
    if (std::get<QByteArray>(now) != readBefore->bytes)
        return FileError::contentChanged();
    return std::nullopt;
}

// A new file beside the target takes every byte, reaches the disk and then takes the
// target's place in one step. Until that step the target is untouched.
std::optional<SaveFailure> replaceWhole(FileOperations &files, const FileLocation &target,
                                        const QByteArray &bytes, const PathStatus &before,
                                        const FileContent *readBefore)
{
    const std::optional<FileIdentity> state =
        before.kind == PathStatus::Kind::File ? std::optional(before.id) : std::nullopt;
    const auto written =
        writeSideFile(files, target.folder, target, state, SideFileRecord::Purpose::Temporary,
                      NewFileAccess::SameAsTarget, bytes);
    if (const FileError *failure = std::get_if<FileError>(&written))
        return untouched(*failure);
    const SideFile &temporary = std::get<SideFile>(written);
    auto abandon = [&](const FileError &reason) {
        temporary.remove(files);
        return untouched(reason);
    };
    const auto now = files.status(target);
    if (const int *failure = std::get_if<int>(&now))
        return abandon(FileError::system(*failure));
    if (const auto changed = changedSince(before, std::get<PathStatus>(now)))
        return abandon(*changed);
    if (const auto changed = differsFromRead(files, target, readBefore))
        return abandon(*changed);
    if (const int failure = files.replace(temporary.file, target))
        return abandon(FileError::system(failure));
    // The record names a file that is gone now; a stop before it goes leaves it to the next
    // write.
    const int synced = files.syncFolder(target.folder);
    files.remove(temporary.record);
    if (synced != 0)
        return SaveFailure{FileError::system(synced), SaveFailure::Left::NewBytes, {}};
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

// The backup that guards a write in place of `whole`: a new one of the old bytes, or the one
// an interrupted write left where this write puts its bytes back. Any other pending backup
// refuses the write, as it still holds bytes nothing else does.
std::variant<FileBackup, SaveFailure> guardOf(FileOperations &files, const FileLocation &target,
                                              const FileIdentity &state, const QByteArray &old,
                                              const QByteArray &whole)
{
    if (const auto pending = pendingBackup(files, target)) {
        const auto kept = files.readFrom(pending->file, 0);
        if (const auto *bytes = std::get_if<QByteArray>(&kept); bytes && *bytes == whole)
            return FileBackup::existing(*pending);
        return SaveFailure{FileError::pendingBackup(), SaveFailure::Left::OldBytes,
                           pending->file.path()};
    }
    auto made = FileBackup::make(files, target, state, old);
    if (const FileError *failure = std::get_if<FileError>(&made))
        return untouched(*failure);
    return std::get<FileBackup>(std::move(made));
}

// For a file that must keep its identity: written over itself, its old bytes kept in a
// backup until the new ones are on the disk.
std::optional<SaveFailure> writeInPlace(FileOperations &files, const FileLocation &target,
                                        const QByteArray &bytes, WriteLength length,
                                        const PathStatus &before, const FileContent *readBefore)
{
    int error = 0;
    const std::unique_ptr<WriteHandle> file = files.openExisting(target, error);
    if (!file)
        return untouched(FileError::system(error));
    auto refuse = [&](const FileError &reason) {
        file->close();
        return untouched(reason);
    };
    // The file opened must be the one looked at, and still be at the path: bytes written to
    // a file removed meanwhile would reach no file anyone can open.
    const auto now = files.status(target);
    if (const int *failure = std::get_if<int>(&now))
        return refuse(FileError::system(*failure));
    const PathStatus &status = std::get<PathStatus>(now);
    std::optional<FileError> moved = status.kind == PathStatus::Kind::Missing
                                         ? FileError::system(ENOENT)
                                         : changedSince(before, status);
    if (!moved && file->id() != before.id)
        moved = FileError::changedMeanwhile();
    if (moved)
        return refuse(*moved);

    QByteArray old;
    if (const int failure = file->readAll(old))
        return refuse(FileError::system(failure));
    if (readBefore && (!readBefore->exists || old != readBefore->bytes))
        return refuse(FileError::contentChanged());
    const QByteArray whole =
        length == WriteLength::KeepBytesBeyond ? bytes + old.mid(bytes.size()) : bytes;
    if (whole == old) {
        if (const int failure = file->close())
            return untouched(FileError::system(failure));
        return std::nullopt;
    }

    auto guard = guardOf(files, target, status.id, old, whole);
    if (const SaveFailure *failure = std::get_if<SaveFailure>(&guard)) {
        file->close();
        return *failure;
    }
    const FileBackup &kept = std::get<FileBackup>(guard);
    // A same-length write needs no new space; a longer one makes sure of its room first, so
    // that it is refused before the file is touched.
    if (whole.size() > old.size())
        if (const int failure = file->reserve(whole.size())) {
            // Where the system could only reserve by growing the file, it may have grown.
            file->truncate(old.size());
            kept.discard(files);
            return refuse(FileError::system(failure));
        }
    // The last look before the file is touched: what another program wrote while the backup
    // was made stays.
    if (readBefore) {
        QByteArray latest;
        if (const int failure = file->readAll(latest); failure != 0 || latest != old) {
            file->truncate(old.size());
            kept.discard(files);
            return refuse(failure != 0 ? FileError::system(failure) : FileError::contentChanged());
        }
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

std::optional<SaveFailure> writeUserFile(FileOperations &files, const QString &path,
                                         const QByteArray &bytes, WriteLength length,
                                         const FileContent *readBefore)
{
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
        removeLeftoverSideFiles(files, target);
        return replaceWhole(files, target, bytes, status, readBefore);
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
    removeLeftoverSideFiles(files, target);
    if (status.links > 1 || !files.folderWritable(target.folder))
        return writeInPlace(files, target, bytes, length, status, readBefore);
    if (length == WriteLength::Exact)
        return replaceWhole(files, target, bytes, status, readBefore);
    const auto beyond = files.readFrom(target, bytes.size());
    if (const int *failure = std::get_if<int>(&beyond))
        return untouched(FileError::system(*failure));
    return replaceWhole(files, target, bytes + std::get<QByteArray>(beyond), status, readBefore);
}

} // namespace fileio
