#include "DiskFileCalls.h"
#include "DiskFileOperations.h"
#include "SystemError.h"
#include "UserFileWriter.h"
#include "WindowsFiles.h"

#include <QDir>

#include <cerrno>

#include <io.h>

namespace fileio {

namespace {

// What NTFS and FAT take.
constexpr qint64 kNameLimit = 255;

} // namespace

std::filesystem::path disk::nativePath(const QString &path)
{
    return std::filesystem::path(path.toStdWString());
}

QString disk::qtPath(const std::filesystem::path &path)
{
    return QDir::fromNativeSeparators(QString::fromStdWString(path.native()));
}

int disk::writeAccess(const QString &path)
{
    return ::_waccess(windows::systemPath(path).c_str(), 2) == 0 ? 0 : lastSystemError();
}

std::variant<std::filesystem::path, int> disk::resolvedFolder(const std::filesystem::path &folder)
{
    std::error_code failure;
    std::filesystem::path resolved = std::filesystem::canonical(folder, failure);
    if (failure)
        return errorNumber(failure);
    return resolved;
}

// A new file gets the permissions of the folder it is in, as the one it replaces had.
int disk::matchFile(const NativeFile &, const QString &)
{
    return 0;
}

std::variant<PathStatus, int> DiskFileOperations::status(const FileLocation &file)
{
    const auto found = windows::fileRecord(file.path(), windows::Links::Own);
    if (const int *failure = std::get_if<int>(&found))
        return *failure == ENOENT ? std::variant<PathStatus, int>(PathStatus{}) : *failure;
    const windows::FileRecord &record = std::get<windows::FileRecord>(found);
    PathStatus status{PathStatus::Kind::Special, record.links, windows::identityOf(record)};
    if (record.regular)
        status.kind = PathStatus::Kind::File;
    else if (record.folder)
        status.kind = PathStatus::Kind::Folder;
    return status;
}

qint64 DiskFileOperations::maxNameBytes(const QString &)
{
    return kNameLimit;
}

int DiskFileOperations::replace(const FileLocation &from, const FileLocation &to)
{
    return windows::replaceFile(from.path(), to.path());
}

// Renames reach the disk with the folder's own records there.
int DiskFileOperations::syncFolder(const QString &)
{
    return 0;
}

// Windows has no file-size limit that ends a program.
void outliveFileSizeLimit() {}

} // namespace fileio
