#include "WindowsFiles.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

#include <io.h>
#include <windows.h>

namespace fileio::windows {

namespace {

// The system's clock counts from 1601, the C library's from 1970.
constexpr qint64 kTicksTo1970 = 116444736000000000;
constexpr qint64 kTicksPerSecond = 10000000;
// The longest path the system's calls take without the long-path prefix.
constexpr qsizetype kShortPathLimit = 259;

qint64 ticks(const FILETIME &time)
{
    return static_cast<qint64>((quint64{time.dwHighDateTime} << 32) | time.dwLowDateTime);
}

std::optional<FileRecord> recordOf(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(handle, &information))
        return std::nullopt;
    FileRecord record;
    record.volume = information.dwVolumeSerialNumber;
    record.index = (quint64{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
    record.size =
        static_cast<qint64>((quint64{information.nFileSizeHigh} << 32) | information.nFileSizeLow);
    record.lastWrite = ticks(information.ftLastWriteTime);
    record.links = information.nNumberOfLinks;
    record.folder = (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    record.regular = !record.folder && ::GetFileType(handle) == FILE_TYPE_DISK;
    // The change time also moves when the file is renamed over or gets another name,
    // which the time of the last write does not.
    FILE_BASIC_INFO basic{};
    record.lastChange = ::GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic)
                            ? basic.ChangeTime.QuadPart
                            : record.lastWrite;
    return record;
}

} // namespace

std::optional<FileRecord> fileRecord(int descriptor)
{
    if (descriptor < 0)
        return std::nullopt;
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(descriptor));
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    return recordOf(handle);
}

std::variant<FileRecord, int> fileRecord(const QString &path, Links links)
{
    // A folder opens only with backup semantics. Reading the attributes needs no access the file
    // could refuse, and shares everything, so that a file another program holds is looked at all
    // the same.
    const HANDLE handle = ::CreateFileW(
        systemPath(path).c_str(), FILE_READ_ATTRIBUTES,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_FLAG_BACKUP_SEMANTICS | (links == Links::Own ? FILE_FLAG_OPEN_REPARSE_POINT : 0),
        nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return lastErrorNumber();
    const std::optional<FileRecord> record = recordOf(handle);
    const int error = record ? 0 : lastErrorNumber();
    ::CloseHandle(handle);
    if (!record)
        return error;
    return *record;
}

std::wstring systemPath(const QString &path)
{
    const QString absolute = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    if (absolute.size() <= kShortPathLimit || absolute.startsWith(QLatin1String("\\\\?\\")))
        return absolute.toStdWString();
    // A share (\\server\share) takes its own form of the prefix.
    if (absolute.startsWith(QLatin1String("\\\\")))
        return (QStringLiteral("\\\\?\\UNC\\") + absolute.mid(2)).toStdWString();
    return (QStringLiteral("\\\\?\\") + absolute).toStdWString();
}

int replaceFile(const QString &from, const QString &to)
{
    const std::wstring target = systemPath(to);
    // No copy across volumes: that would not be one step.
    if (::MoveFileExW(systemPath(from).c_str(), target.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    const int error = lastErrorNumber();
    if (error != EACCES)
        return error;
    // The system refuses a file another program holds open as if access were denied; a
    // look at the file tells the two apart.
    const HANDLE probe = ::CreateFileW(
        target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        ::CloseHandle(probe);
        return EACCES;
    }
    return lastErrorNumber() == EBUSY ? EBUSY : EACCES;
}

int lastErrorNumber()
{
    switch (::GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
        return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return EBUSY;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_DIRECTORY:
        return ENOTDIR;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_NOT_SAME_DEVICE:
        return EXDEV;
    case ERROR_CANT_RESOLVE_FILENAME:
        return ELOOP;
    default:
        return EIO;
    }
}

void unixTime(qint64 systemTime, std::int64_t &seconds, std::int64_t &nanoseconds)
{
    const qint64 since1970 = systemTime - kTicksTo1970;
    seconds = since1970 / kTicksPerSecond;
    nanoseconds = (since1970 % kTicksPerSecond) * 100;
    if (nanoseconds < 0) {
        seconds -= 1;
        nanoseconds += 1000000000;
    }
}

} // namespace fileio::windows
