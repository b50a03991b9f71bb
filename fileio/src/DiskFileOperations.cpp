#include "DiskFileOperations.h"

#include "DiskFileCalls.h"
#include "NativeFile.h"

#include <QStandardPaths>

#include <cerrno>
#include <system_error>

namespace fileio {

namespace {

// As many links as the system itself follows before it gives up with ELOOP.
constexpr int kMaxLinkHops = 40;

class DiskWriteHandle : public WriteHandle {
public:
    explicit DiskWriteHandle(std::unique_ptr<NativeFile> file) : m_file(std::move(file))
    {
        // An identity the system would not tell matches no file it names.
        m_id = m_file->identity().value_or(
            FileIdentity{~std::uint64_t{0}, ~std::uint64_t{0}, -1, -1, -1, -1, -1, false});
    }

    int write(qint64 offset, const QByteArray &bytes, qint64 &written) override
    {
        return m_file->writeAt(offset, bytes, written);
    }
    int readAll(QByteArray &bytes) override
    {
        const int error = m_file->read(0, kMaxFileBytes + 1, bytes);
        return error == 0 && bytes.size() > kMaxFileBytes ? EFBIG : error;
    }
    int reserve(qint64 size) override { return m_file->reserve(size); }
    int truncate(qint64 size) override { return m_file->truncate(size); }
    int sync() override { return m_file->sync(); }
    int close() override { return m_file->close(); }
    FileIdentity id() const override { return m_id; }

private:
    std::unique_ptr<NativeFile> m_file;
    FileIdentity m_id;
};

} // namespace

int disk::errorNumber(const std::error_code &failure)
{
    const std::error_condition condition = failure.default_error_condition();
    return condition.category() == std::generic_category() ? condition.value() : failure.value();
}

std::variant<FileLocation, int> DiskFileOperations::locate(const QString &path)
{
    if (path.isEmpty())
        return ENOENT;
    std::filesystem::path current = disk::nativePath(path);
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        const std::filesystem::path name = current.filename();
        if (name.empty() || name == "." || name == "..")
            return EISDIR;
        const auto folder = disk::resolvedFolder(
            current.has_parent_path() ? current.parent_path() : std::filesystem::path("."));
        if (const int *failure = std::get_if<int>(&folder))
            return *failure;
        const std::filesystem::path &resolved = std::get<std::filesystem::path>(folder);
        const std::filesystem::path full = resolved / name;
        std::error_code failure;
        const std::filesystem::file_status found = std::filesystem::symlink_status(full, failure);
        if (found.type() != std::filesystem::file_type::symlink) {
            if (failure && found.type() != std::filesystem::file_type::not_found)
                return disk::errorNumber(failure);
            return FileLocation{disk::qtPath(resolved), disk::qtPath(name)};
        }
        const std::filesystem::path target = std::filesystem::read_symlink(full, failure);
        if (failure)
            return disk::errorNumber(failure);
        // A relative link is relative to the folder that holds it.
        current = target.is_absolute() ? target : resolved / target;
    }
    return ELOOP;
}

std::variant<QByteArray, int> DiskFileOperations::readFrom(const FileLocation &file, qint64 offset)
{
    NativeFile opened;
    if (const int error = opened.open(file.path(), NativeFile::Mode::Read))
        return error;
    QByteArray bytes;
    if (const int error = opened.read(offset, kMaxFileBytes + 1, bytes))
        return error;
    if (bytes.size() > kMaxFileBytes)
        return EFBIG;
    return bytes;
}

int DiskFileOperations::checkWritable(const FileLocation &file)
{
    return disk::writeAccess(file.path());
}

bool DiskFileOperations::folderWritable(const QString &folder)
{
    return disk::writeAccess(folder) == 0;
}

QString DiskFileOperations::backupFolder()
{
    // The user's own data folder: on the disk, where the temporary folder is often kept in
    // memory and would not outlive the power loss a backup is there for.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/tarvos/backups");
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
        error = disk::matchFile(*file, target.path());
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

void DiskFileOperations::remove(const FileLocation &file)
{
    std::error_code ignored;
    std::filesystem::remove(disk::nativePath(file.path()), ignored);
}

} // namespace fileio
