#include "DiskFileOperations.h"

#include "CartridgeFile.h"
#include "NativeFile.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#if defined(Q_OS_WIN)
#include "WindowsFiles.h"

#include <io.h>
#else
#include <unistd.h>
#endif

namespace core {

namespace {

// As many links as the system itself follows before it gives up with ELOOP.
constexpr int kMaxLinkHops = 40;
// What file systems that tell no limit take.
constexpr qint64 kCommonNameLimit = 255;

std::filesystem::path nativePath(const QString &path)
{
#if defined(Q_OS_WIN)
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

QString qtPath(const std::filesystem::path &path)
{
#if defined(Q_OS_WIN)
    return QDir::fromNativeSeparators(QString::fromStdWString(path.native()));
#else
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

// The library reports some platforms' errors in their own numbering; where an error number
// of the C library says the same, that is the one the messages know.
int errorNumber(const std::error_code &failure)
{
    const std::error_condition condition = failure.default_error_condition();
    return condition.category() == std::generic_category() ? condition.value() : failure.value();
}

int lastError()
{
    return errno != 0 ? errno : EIO;
}

int writeAccess(const QString &path)
{
#if defined(Q_OS_WIN)
    const int result = ::_waccess(windows::systemPath(path).c_str(), 2);
#else
    const int result = ::access(QFile::encodeName(path).constData(), W_OK);
#endif
    return result == 0 ? 0 : lastError();
}

// The folder as the system reaches it: a link in it, and ".." after a link, go where the
// system goes, which tidying the text would not.
std::variant<std::filesystem::path, int> resolvedFolder(const std::filesystem::path &folder)
{
#if defined(Q_OS_WIN)
    std::error_code failure;
    std::filesystem::path resolved = std::filesystem::canonical(folder, failure);
    if (failure)
        return errorNumber(failure);
    return resolved;
#else
    char *resolved = ::realpath(folder.c_str(), nullptr);
    if (!resolved)
        return lastError();
    std::filesystem::path result(resolved);
    std::free(resolved);
    return result;
#endif
}

// The new file takes the place of the one at `path`, so it takes its owner, group and
// permissions too. Only an administrator may give a file to another owner, and a group
// only to a member: where the system refuses, the new file keeps what it may.
int matchFile(const NativeFile &file, const QString &path)
{
#if defined(Q_OS_WIN)
    Q_UNUSED(file);
    Q_UNUSED(path);
    return 0;
#else
    struct stat existing;
    if (::lstat(QFile::encodeName(path).constData(), &existing) != 0)
        return errno == ENOENT ? 0 : errno;
    // The owner first: a change of owner clears the set-user-ID bits that the mode restores.
    if (::fchown(file.descriptor(), existing.st_uid, existing.st_gid) != 0) {
        // Where even the group is refused, the new file stays ours and the write goes on.
        [[maybe_unused]] const int groupKept =
            ::fchown(file.descriptor(), static_cast<uid_t>(-1), existing.st_gid);
    }
    return ::fchmod(file.descriptor(), existing.st_mode & 07777) == 0 ? 0 : errno;
#endif
}

class DiskWriteHandle : public WriteHandle {
public:
    explicit DiskWriteHandle(std::unique_ptr<NativeFile> file) : m_file(std::move(file))
    {
        // An identity the system would not tell matches no file it names.
        if (m_file->identify(m_id.device, m_id.inode, m_id.changedSeconds,
                             m_id.changedNanoseconds) != 0)
            m_id = FileId{~quint64{0}, ~quint64{0}, -1, -1};
    }

    int write(qint64 offset, const QByteArray &bytes, qint64 &written) override
    {
        return m_file->writeAt(offset, bytes, written);
    }
    int readAll(QByteArray &bytes) override
    {
        const int error = m_file->read(0, kMaxImageBytes + 1, bytes);
        return error == 0 && bytes.size() > kMaxImageBytes ? EFBIG : error;
    }
    int reserve(qint64 size) override { return m_file->reserve(size); }
    int truncate(qint64 size) override { return m_file->truncate(size); }
    int sync() override { return m_file->sync(); }
    int close() override { return m_file->close(); }
    FileId id() const override { return m_id; }

private:
    std::unique_ptr<NativeFile> m_file;
    FileId m_id;
};

} // namespace

std::variant<FileLocation, int> DiskFileOperations::locate(const QString &path)
{
    if (path.isEmpty())
        return ENOENT;
    std::filesystem::path current = nativePath(path);
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        const std::filesystem::path name = current.filename();
        if (name.empty() || name == "." || name == "..")
            return EISDIR;
        const auto folder = resolvedFolder(current.has_parent_path() ? current.parent_path()
                                                                     : std::filesystem::path("."));
        if (const int *failure = std::get_if<int>(&folder))
            return *failure;
        const std::filesystem::path &resolved = std::get<std::filesystem::path>(folder);
        const std::filesystem::path full = resolved / name;
        std::error_code failure;
        const std::filesystem::file_status found = std::filesystem::symlink_status(full, failure);
        if (found.type() != std::filesystem::file_type::symlink) {
            if (failure && found.type() != std::filesystem::file_type::not_found)
                return errorNumber(failure);
            return FileLocation{qtPath(resolved), qtPath(name)};
        }
        const std::filesystem::path target = std::filesystem::read_symlink(full, failure);
        if (failure)
            return errorNumber(failure);
        // A relative link is relative to the folder that holds it.
        current = target.is_absolute() ? target : resolved / target;
    }
    return ELOOP;
}

std::variant<PathStatus, int> DiskFileOperations::status(const FileLocation &file)
{
#if defined(Q_OS_WIN)
    const auto found = windows::fileRecord(file.path(), windows::Links::Own);
    if (const int *failure = std::get_if<int>(&found))
        return *failure == ENOENT ? std::variant<PathStatus, int>(PathStatus{}) : *failure;
    const windows::FileRecord &record = std::get<windows::FileRecord>(found);
    PathStatus status{PathStatus::Kind::Special, record.links, {record.volume, record.index, 0, 0}};
    windows::unixTime(record.lastChange, status.id.changedSeconds, status.id.changedNanoseconds);
    if (record.regular)
        status.kind = PathStatus::Kind::File;
    else if (record.folder)
        status.kind = PathStatus::Kind::Folder;
    return status;
#else
    struct stat found;
    if (::lstat(QFile::encodeName(file.path()).constData(), &found) != 0)
        return errno == ENOENT ? std::variant<PathStatus, int>(PathStatus{}) : lastError();
    PathStatus status{PathStatus::Kind::Special,
                      static_cast<qint64>(found.st_nlink),
                      {static_cast<quint64>(found.st_dev), static_cast<quint64>(found.st_ino),
                       qint64{found.st_ctim.tv_sec}, qint64{found.st_ctim.tv_nsec}}};
    if (S_ISREG(found.st_mode))
        status.kind = PathStatus::Kind::File;
    else if (S_ISDIR(found.st_mode))
        status.kind = PathStatus::Kind::Folder;
    return status;
#endif
}

std::variant<QByteArray, int> DiskFileOperations::readFrom(const FileLocation &file, qint64 offset)
{
    NativeFile opened;
    if (const int error = opened.open(file.path(), NativeFile::Mode::Read))
        return error;
    QByteArray bytes;
    if (const int error = opened.read(offset, kMaxImageBytes + 1, bytes))
        return error;
    if (bytes.size() > kMaxImageBytes)
        return EFBIG;
    return bytes;
}

int DiskFileOperations::checkWritable(const FileLocation &file)
{
    return writeAccess(file.path());
}

bool DiskFileOperations::folderWritable(const QString &folder)
{
    return writeAccess(folder) == 0;
}

qint64 DiskFileOperations::maxNameBytes(const QString &folder)
{
#if defined(Q_OS_WIN)
    Q_UNUSED(folder);
    return kCommonNameLimit;
#else
    const long limit = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    return limit > 0 ? qint64{limit} : kCommonNameLimit;
#endif
}

QString DiskFileOperations::temporaryFolder()
{
    return QDir::tempPath();
}

std::unique_ptr<WriteHandle> DiskFileOperations::create(const FileLocation &created,
                                                        NewFileAccess access,
                                                        const FileLocation &target, int &error)
{
    auto file = std::make_unique<NativeFile>();
    error = file->open(created.path(), access == NewFileAccess::Private
                                           ? NativeFile::Mode::CreatePrivate
                                           : NativeFile::Mode::CreateNew);
    if (error != 0)
        return nullptr;
    if (access == NewFileAccess::SameAsTarget)
        error = matchFile(*file, target.path());
    if (error != 0) {
        file->close();
        remove(created);
        return nullptr;
    }
    return std::make_unique<DiskWriteHandle>(std::move(file));
}

std::unique_ptr<WriteHandle> DiskFileOperations::openExisting(const FileLocation &file, int &error)
{
    auto opened = std::make_unique<NativeFile>();
    error = opened->open(file.path(), NativeFile::Mode::Update);
    if (error != 0)
        return nullptr;
    return std::make_unique<DiskWriteHandle>(std::move(opened));
}

int DiskFileOperations::replace(const FileLocation &from, const FileLocation &to)
{
#if defined(Q_OS_WIN)
    return windows::replaceFile(from.path(), to.path());
#else
    std::error_code failure;
    std::filesystem::rename(nativePath(from.path()), nativePath(to.path()), failure);
    return failure ? errorNumber(failure) : 0;
#endif
}

int DiskFileOperations::syncFolder(const QString &folder)
{
#if defined(Q_OS_WIN)
    // Renames reach the disk with the folder's own records there.
    Q_UNUSED(folder);
    return 0;
#else
    int descriptor = -1;
    do {
        descriptor =
            ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0)
        return lastError();
    // A file system that keeps no folder records of its own to push says EINVAL.
    const int error = ::fsync(descriptor) == 0 || errno == EINVAL ? 0 : lastError();
    ::close(descriptor);
    return error;
#endif
}

void DiskFileOperations::remove(const FileLocation &file)
{
    std::error_code ignored;
    std::filesystem::remove(nativePath(file.path()), ignored);
}

} // namespace core
