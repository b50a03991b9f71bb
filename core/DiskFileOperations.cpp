#include "DiskFileOperations.h"

#include "CartridgeFile.h"
#include "NativeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <system_error>

#if defined(Q_OS_WIN)
#include <io.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace core {

namespace {

// As many links as the system itself follows before it gives up with ELOOP.
constexpr int kMaxLinkHops = 40;
// Tries at a free name for the new file before giving up.
constexpr int kMaxNameTries = 100;

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
    return QString::fromStdWString(path.native());
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

int writeAccess(const QString &path)
{
#if defined(Q_OS_WIN)
    const int result = ::_waccess(reinterpret_cast<const wchar_t *>(path.utf16()), 2);
#else
    const int result = ::access(QFile::encodeName(path).constData(), W_OK);
#endif
    return result == 0 ? 0 : (errno != 0 ? errno : EACCES);
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
    if (::stat(QFile::encodeName(path).constData(), &existing) != 0)
        return errno == ENOENT ? 0 : errno;
    // The owner first: a change of owner clears the set-user-ID bits that the mode restores.
    if (::fchown(file.descriptor(), existing.st_uid, existing.st_gid) != 0) {
        // Where even the group is refused, the new file stays ours and the save goes on.
        [[maybe_unused]] const int groupKept =
            ::fchown(file.descriptor(), static_cast<uid_t>(-1), existing.st_gid);
    }
    return ::fchmod(file.descriptor(), existing.st_mode & 07777) == 0 ? 0 : errno;
#endif
}

class DiskWriteHandle : public WriteHandle {
public:
    explicit DiskWriteHandle(std::unique_ptr<NativeFile> file) : m_file(std::move(file)) {}

    qint64 write(const QByteArray &bytes) override
    {
        qint64 written = 0;
        m_error = m_file->write(bytes, written);
        return m_error != 0 ? -1 : written;
    }
    bool sync() override { return (m_error = m_file->sync()) == 0; }
    bool close() override { return (m_error = m_file->close()) == 0; }
    int error() const override { return m_error; }

private:
    std::unique_ptr<NativeFile> m_file;
    int m_error = 0;
};

} // namespace

std::variant<QString, int> DiskFileOperations::finalTarget(const QString &path)
{
    std::filesystem::path current = nativePath(path);
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::error_code failure;
        const std::filesystem::file_status found =
            std::filesystem::symlink_status(current, failure);
        if (found.type() == std::filesystem::file_type::not_found)
            return qtPath(current);
        if (failure)
            return errorNumber(failure);
        if (found.type() != std::filesystem::file_type::symlink)
            return qtPath(current);
        const std::filesystem::path target = std::filesystem::read_symlink(current, failure);
        if (failure)
            return errorNumber(failure);
        // A relative link is relative to the folder that holds it.
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    return ELOOP;
}

std::variant<PathStatus, int> DiskFileOperations::status(const QString &path)
{
    const std::filesystem::path native = nativePath(path);
    std::error_code failure;
    const std::filesystem::file_status found = std::filesystem::status(native, failure);
    if (found.type() == std::filesystem::file_type::not_found)
        return PathStatus{PathStatus::Kind::Missing, 0};
    if (failure)
        return errorNumber(failure);
    if (found.type() == std::filesystem::file_type::directory)
        return PathStatus{PathStatus::Kind::Folder, 1};
    const std::uintmax_t links = std::filesystem::hard_link_count(native, failure);
    if (failure)
        return errorNumber(failure);
    return PathStatus{PathStatus::Kind::File, static_cast<qint64>(links)};
}

std::variant<QByteArray, int> DiskFileOperations::readFrom(const QString &path, qint64 offset)
{
    NativeFile file;
    if (const int error = file.open(path, NativeFile::Mode::Read))
        return error;
    QByteArray bytes;
    if (const int error = file.read(offset, kMaxImageBytes + 1, bytes))
        return error;
    if (bytes.size() > kMaxImageBytes)
        return EFBIG;
    return bytes;
}

int DiskFileOperations::checkWritable(const QString &path)
{
    return writeAccess(path);
}

bool DiskFileOperations::folderWritable(const QString &path)
{
    return writeAccess(QFileInfo(path).absolutePath()) == 0;
}

std::unique_ptr<WriteHandle> DiskFileOperations::createBeside(const QString &path,
                                                              QString &createdPath, int &error)
{
    const QFileInfo info(path);
    for (int attempt = 0; attempt < kMaxNameTries; ++attempt) {
        const QString candidate = info.absoluteDir().filePath(
            QStringLiteral(".%1.%2")
                .arg(info.fileName())
                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        auto file = std::make_unique<NativeFile>();
        error = file->open(candidate, NativeFile::Mode::CreateNew);
        if (error == EEXIST)
            continue;
        if (error == 0)
            error = matchFile(*file, path);
        if (error != 0) {
            if (file->descriptor() >= 0) {
                file->close();
                remove(candidate);
            }
            return nullptr;
        }
        createdPath = candidate;
        return std::make_unique<DiskWriteHandle>(std::move(file));
    }
    return nullptr;
}

std::unique_ptr<WriteHandle> DiskFileOperations::openExisting(const QString &path, int &error)
{
    auto file = std::make_unique<NativeFile>();
    error = file->open(path, NativeFile::Mode::Update);
    if (error != 0)
        return nullptr;
    return std::make_unique<DiskWriteHandle>(std::move(file));
}

int DiskFileOperations::replace(const QString &from, const QString &to)
{
    std::error_code failure;
    std::filesystem::rename(nativePath(from), nativePath(to), failure);
    return failure ? errorNumber(failure) : 0;
}

void DiskFileOperations::remove(const QString &path)
{
    std::error_code ignored;
    std::filesystem::remove(nativePath(path), ignored);
}

} // namespace core
