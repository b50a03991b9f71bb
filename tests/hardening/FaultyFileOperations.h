#pragma once

#include "FileOperations.h"

#include <QDir>

#include <cerrno>
#include <memory>

namespace testing_support {

// The faults a save can meet, each at the step where it strikes.
enum class Fault {
    UnreadableFile,      // the file can no longer be read
    ReadOnly,            // the file is read-only
    RemovedAfterOpening, // someone removes the file once the save has opened its output
    ReplacedByFolder,    // ... or puts a folder in its place
    DiskFull,            // the write stops part way with "no space left"
    ShortWrite,          // the write takes only part of the bytes, without an error
    FailingSync,         // the bytes do not reach the disk
    FailingClose,        // closing the output reports an error
    FailingReplace,      // the new file cannot take the old one's place
};

// The real file system with one fault injected. `inPlace` makes the folder refuse new
// files, so that the save writes over the file itself (or, where no file is left to write
// over, fails).
class FaultyFileOperations : public core::FileOperations {
public:
    FaultyFileOperations(core::FileOperations &real, Fault fault, bool inPlace)
        : m_real(real), m_fault(fault), m_inPlace(inPlace)
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
            return ENOSPC;
        case Fault::FailingSync:
        case Fault::FailingClose:
            return EIO;
        case Fault::FailingReplace:
            return EBUSY;
        case Fault::RemovedAfterOpening:
        case Fault::ReplacedByFolder:
        case Fault::ShortWrite:
            break;
        }
        return 0;
    }

    std::variant<QString, int> finalTarget(const QString &path) override
    {
        return m_real.finalTarget(path);
    }
    std::variant<core::PathStatus, int> status(const QString &path) override
    {
        return m_real.status(path);
    }
    std::variant<QByteArray, int> readFrom(const QString &path, qint64 offset) override
    {
        if (m_fault == Fault::UnreadableFile)
            return errorOf(m_fault);
        return m_real.readFrom(path, offset);
    }
    int checkWritable(const QString &path) override
    {
        return m_fault == Fault::ReadOnly ? errorOf(m_fault) : m_real.checkWritable(path);
    }
    bool folderWritable(const QString &path) override
    {
        return !m_inPlace && m_real.folderWritable(path);
    }
    std::unique_ptr<core::WriteHandle> createBeside(const QString &path, QString &createdPath,
                                                    int &error) override
    {
        if (m_inPlace) {
            error = EACCES;
            return nullptr;
        }
        return wrap(path, m_real.createBeside(path, createdPath, error));
    }
    std::unique_ptr<core::WriteHandle> openExisting(const QString &path, int &error) override
    {
        if (m_fault == Fault::ReadOnly) {
            error = errorOf(m_fault);
            return nullptr;
        }
        return wrap(path, m_real.openExisting(path, error));
    }
    int replace(const QString &from, const QString &to) override
    {
        return m_fault == Fault::FailingReplace ? errorOf(m_fault) : m_real.replace(from, to);
    }
    void remove(const QString &path) override { m_real.remove(path); }

private:
    class FaultyHandle : public core::WriteHandle {
    public:
        FaultyHandle(std::unique_ptr<core::WriteHandle> real, Fault fault)
            : m_handle(std::move(real)), m_fault(fault)
        {
        }
        qint64 write(const QByteArray &bytes) override
        {
            if (m_fault != Fault::DiskFull && m_fault != Fault::ShortWrite)
                return m_handle->write(bytes);
            const qint64 written = m_handle->write(bytes.left(bytes.size() / 2));
            return m_fault == Fault::DiskFull ? -1 : written;
        }
        bool sync() override { return m_fault != Fault::FailingSync && m_handle->sync(); }
        bool close() override { return m_handle->close() && m_fault != Fault::FailingClose; }
        int error() const override
        {
            const int code = errorOf(m_fault);
            return code != 0 ? code : m_handle->error();
        }

    private:
        std::unique_ptr<core::WriteHandle> m_handle;
        Fault m_fault;
    };

    std::unique_ptr<core::WriteHandle> wrap(const QString &path,
                                           std::unique_ptr<core::WriteHandle> handle)
    {
        if (!handle)
            return nullptr;
        if (m_fault == Fault::RemovedAfterOpening || m_fault == Fault::ReplacedByFolder) {
            m_real.remove(path);
            if (m_fault == Fault::ReplacedByFolder)
                QDir().mkpath(path);
        }
        return std::make_unique<FaultyHandle>(std::move(handle), m_fault);
    }

    core::FileOperations &m_real;
    Fault m_fault;
    bool m_inPlace;
};

// Installs file operations for the length of a scope.
class ScopedFileOperations {
public:
    explicit ScopedFileOperations(core::FileOperations *operations)
        : m_previous(core::setFileOperations(operations))
    {
    }
    ~ScopedFileOperations() { core::setFileOperations(m_previous); }
    ScopedFileOperations(const ScopedFileOperations &) = delete;
    ScopedFileOperations &operator=(const ScopedFileOperations &) = delete;

private:
    core::FileOperations *m_previous;
};

} // namespace testing_support
