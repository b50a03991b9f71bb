#include "FileOperations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#if defined(Q_OS_WIN)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace core {

namespace {

std::filesystem::path nativePath(const QString &path)
{
#if defined(Q_OS_WIN)
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

class DiskWriteHandle : public WriteHandle {
public:
    explicit DiskWriteHandle(std::unique_ptr<QFile> file) : m_file(std::move(file)) {}

    qint64 write(const QByteArray &bytes) override { return m_file->write(bytes); }

    bool sync() override
    {
        if (!m_file->flush())
            return false;
            // flush() only hands the bytes to the system; a crash could still lose them.
#if defined(Q_OS_WIN)
        const bool synced = ::_commit(m_file->handle()) == 0;
#else
        const bool synced = ::fsync(m_file->handle()) == 0;
#endif
        if (!synced)
            m_syncError = QString::fromLocal8Bit(std::strerror(errno));
        return synced;
    }

    bool close() override
    {
        m_file->unsetError();
        m_file->close();
        return m_file->error() == QFileDevice::NoError;
    }

    QString errorString() const override
    {
        return m_syncError.isEmpty() ? m_file->errorString() : m_syncError;
    }

private:
    std::unique_ptr<QFile> m_file;
    QString m_syncError;
};

class DiskFileOperations : public FileOperations {
public:
    std::variant<QByteArray, QString> readFrom(const QString &path, qint64 offset) override
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return file.errorString();
        if (file.size() <= offset)
            return QByteArray();
        if (!file.seek(offset))
            return file.errorString();
        QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return file.errorString();
        return bytes;
    }

    bool isFile(const QString &path) override { return QFileInfo(path).isFile(); }

    bool isWritable(const QString &path) override { return QFileInfo(path).isWritable(); }

    bool folderWritable(const QString &path) override
    {
        return QFileInfo(QFileInfo(path).absolutePath()).isWritable();
    }

    std::unique_ptr<WriteHandle> createBeside(const QString &path, QString &createdPath,
                                              QString &error) override
    {
        const QFileInfo info(path);
        auto file = std::make_unique<QTemporaryFile>(
            info.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX").arg(info.fileName())));
        file->setAutoRemove(false);
        if (!file->open()) {
            error = file->errorString();
            return nullptr;
        }
        createdPath = file->fileName();
        return std::make_unique<DiskWriteHandle>(std::move(file));
    }

    std::unique_ptr<WriteHandle> openExisting(const QString &path, QString &error) override
    {
        auto file = std::make_unique<QFile>(path);
        if (!file->open(QIODevice::ReadWrite)) {
            error = file->errorString();
            return nullptr;
        }
        return std::make_unique<DiskWriteHandle>(std::move(file));
    }

    bool replace(const QString &from, const QString &to, QString &error) override
    {
        if (QFileInfo(to).isFile() && !QFile::setPermissions(from, QFile::permissions(to))) {
            error = QStringLiteral("无法设置权限");
            return false;
        }
        std::error_code failure;
        std::filesystem::rename(nativePath(from), nativePath(to), failure);
        if (failure) {
            error = QString::fromLocal8Bit(failure.message());
            return false;
        }
        return true;
    }

    void remove(const QString &path) override { QFile::remove(path); }
};

DiskFileOperations &disk()
{
    static DiskFileOperations operations;
    return operations;
}

FileOperations *&installed()
{
    static FileOperations *operations = nullptr;
    return operations;
}

} // namespace

FileOperations &fileOperations()
{
    return installed() ? *installed() : disk();
}

FileOperations *setFileOperations(FileOperations *operations)
{
    FileOperations *previous = &fileOperations();
    installed() = operations;
    return previous;
}

} // namespace core
