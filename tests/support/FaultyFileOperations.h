#pragma once

#include "FileOperations.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <memory>

namespace testing_support {

// The faults a write can meet, each at the step where it strikes.
enum class Fault {
    None,
    UnreadableFile,      // the file can no longer be read
    ReadOnly,            // the file is read-only
    RemovedAfterOpening, // someone removes the file once the write has opened its output
    ReplacedByFolder,    // ... or puts a folder in its place
    ReplacedByOther,     // ... or another file
    DiskFull,            // the write stops at `stopAt` (half way by default), no space left
    ShortWrite,          // the write takes only half of the bytes, without an error
    NoRoomToGrow,        // reserving room for a longer file finds the disk full
    FailingSync,         // the bytes do not reach the disk, however often asked
    FailingClose,        // closing the output reports an error
    FailingReplace,      // the new file cannot take the old one's place
    FailingFolderSync,   // the folder's names do not reach the disk
};

// The real file system with one fault injected, and a record of the steps taken. `inPlace`
// makes the file's folder refuse new files, so that the write goes over the file itself (or,
// where no file is left to write over, fails); its backup then goes to `backups`.
class FaultyFileOperations : public fileio::FileOperations {
public:
    FaultyFileOperations(fileio::FileOperations &real, Fault fault, bool inPlace,
                         QString backups = QDir::tempPath(), qint64 stopAt = -1)
        : m_real(real), m_fault(fault), m_inPlace(inPlace), m_backups(std::move(backups)),
          m_stopAt(stopAt)
    {
    }

    // The error number each fault reports, 0 where the fault reports none.
    static int errorOf(Fault fault)
    {
        switch (fault) {
        case Fault::UnreadableFile:
        case Fault::ReadOnly:
            return EACCES;
        case Fault::DiskFull:
        case Fault::NoRoomToGrow:
            return ENOSPC;
        case Fault::FailingSync:
        case Fault::FailingClose:
        case Fault::FailingFolderSync:
            return EIO;
        case Fault::FailingReplace:
            return EBUSY;
        default:
            break;
        }
        return 0;
    }

    // Each step by name and the path it worked on, in order.
    QStringList steps;

    std::variant<fileio::FileLocation, int> locate(const QString &path) override
    {
        steps << QStringLiteral("locate ") + path;
        return m_real.locate(path);
    }
    std::variant<fileio::PathStatus, int> status(const fileio::FileLocation &file) override
    {
        return m_real.status(file);
    }
    std::variant<QByteArray, int> readFrom(const fileio::FileLocation &file, qint64 offset) override
    {
        if (m_fault == Fault::UnreadableFile)
            return errorOf(m_fault);
        return m_real.readFrom(file, offset);
    }
    int checkWritable(const fileio::FileLocation &file) override
    {
        return m_fault == Fault::ReadOnly ? errorOf(m_fault) : m_real.checkWritable(file);
    }
    bool folderWritable(const QString &folder) override
    {
        return !(m_inPlace && isFileFolder(folder)) && m_real.folderWritable(folder);
    }
    qint64 maxNameBytes(const QString &folder) override { return m_real.maxNameBytes(folder); }
    QString backupFolder() override { return m_backups; }
    std::unique_ptr<fileio::WriteHandle> create(const fileio::FileLocation &created,
                                                fileio::NewFileAccess access,
                                                const fileio::FileLocation &target,
                                                int &error) override
    {
        m_target = target;
        if (m_inPlace && created.folder == target.folder) {
            error = EACCES;
            return nullptr;
        }
        steps << QStringLiteral("create ") + created.path();
        auto handle = m_real.create(created, access, target, error);
        // A backup meets no fault: the faults strike the write it guards.
        return access == fileio::NewFileAccess::Private ? std::move(handle)
                                                        : wrap(target, std::move(handle));
    }
    std::unique_ptr<fileio::WriteHandle> openExisting(const fileio::FileLocation &file,
                                                      int &error) override
    {
        m_target = file;
        if (m_fault == Fault::ReadOnly) {
            error = errorOf(m_fault);
            return nullptr;
        }
        steps << QStringLiteral("open ") + file.path();
        return wrap(file, m_real.openExisting(file, error));
    }
    int replace(const fileio::FileLocation &from, const fileio::FileLocation &to) override
    {
        steps << QStringLiteral("replace ") + to.path();
        return m_fault == Fault::FailingReplace ? errorOf(m_fault) : m_real.replace(from, to);
    }
    int syncFolder(const QString &folder) override
    {
        steps << QStringLiteral("sync folder ") + folder;
        return m_fault == Fault::FailingFolderSync ? errorOf(m_fault) : m_real.syncFolder(folder);
    }
    void remove(const fileio::FileLocation &file) override { m_real.remove(file); }

private:
    class FaultyHandle : public fileio::WriteHandle {
    public:
        FaultyHandle(std::unique_ptr<fileio::WriteHandle> real, Fault fault, qint64 stopAt)
            : m_handle(std::move(real)), m_fault(fault), m_stopAt(stopAt)
        {
        }
        int write(qint64 offset, const QByteArray &bytes, qint64 &written) override
        {
            // The first write meets the fault; putting old bytes back over what it wrote
            // needs no new room.
            const bool strikes =
                (m_fault == Fault::DiskFull || m_fault == Fault::ShortWrite) && !m_struck;
            if (!strikes)
                return m_handle->write(offset, bytes, written);
            m_struck = true;
            const qint64 stop = m_stopAt >= 0 ? m_stopAt : bytes.size() / 2;
            const int error = m_handle->write(offset, bytes.left(stop), written);
            return error != 0 ? error : errorOf(m_fault);
        }
        int readAll(QByteArray &bytes) override
        {
            return m_fault == Fault::UnreadableFile ? errorOf(m_fault) : m_handle->readAll(bytes);
        }
        int reserve(qint64 size) override
        {
            return m_fault == Fault::NoRoomToGrow ? errorOf(m_fault) : m_handle->reserve(size);
        }
        int truncate(qint64 size) override { return m_handle->truncate(size); }
        int sync() override
        {
            return m_fault == Fault::FailingSync ? errorOf(m_fault) : m_handle->sync();
        }
        int close() override
        {
            const int error = m_handle->close();
            return error != 0 || m_fault != Fault::FailingClose ? error : errorOf(m_fault);
        }
        fileio::FileIdentity id() const override { return m_handle->id(); }

    private:
        std::unique_ptr<fileio::WriteHandle> m_handle;
        Fault m_fault;
        qint64 m_stopAt;
        bool m_struck = false;
    };

    bool isFileFolder(const QString &folder) const
    {
        return m_target.folder.isEmpty() || folder == m_target.folder;
    }

    std::unique_ptr<fileio::WriteHandle> wrap(const fileio::FileLocation &target,
                                              std::unique_ptr<fileio::WriteHandle> handle)
    {
        if (!handle)
            return nullptr;
        switch (m_fault) {
        case Fault::RemovedAfterOpening:
            m_real.remove(target);
            break;
        case Fault::ReplacedByFolder:
            m_real.remove(target);
            QDir().mkpath(target.path());
            break;
        case Fault::ReplacedByOther: {
            m_real.remove(target);
            QFile other(target.path());
            if (other.open(QIODevice::WriteOnly))
                other.write("another program's file");
            break;
        }
        default:
            break;
        }
        return std::make_unique<FaultyHandle>(std::move(handle), m_fault, m_stopAt);
    }

    fileio::FileOperations &m_real;
    Fault m_fault;
    bool m_inPlace;
    QString m_backups;
    qint64 m_stopAt;
    fileio::FileLocation m_target;
};

} // namespace testing_support
