#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <variant>

namespace core {

// One file open for writing.
class WriteHandle {
public:
    virtual ~WriteHandle() = default;
    // How many bytes went out, which may be fewer than given; -1 on an error.
    virtual qint64 write(const QByteArray &bytes) = 0;
    // Pushes everything written so far onto the disk.
    virtual bool sync() = 0;
    virtual bool close() = 0;
    virtual QString errorString() const = 0;
};

// The file-system steps a save is made of. Saving goes through the installed instance, so
// that tests can make any single step fail the way a full disk, a vanished file or a
// failing close would; the default instance works on real files.
class FileOperations {
public:
    virtual ~FileOperations() = default;

    // The file's bytes from `offset` on, empty when it is no longer than that; the reason
    // when it cannot be read.
    virtual std::variant<QByteArray, QString> readFrom(const QString &path, qint64 offset) = 0;
    // Whether a file (not a folder) is at the path.
    virtual bool isFile(const QString &path) = 0;
    // Whether the file may be written: false for a read-only file or file system.
    virtual bool isWritable(const QString &path) = 0;
    // Whether new files can be made in the folder that holds the path.
    virtual bool folderWritable(const QString &path) = 0;
    // A new, empty file in the folder of `path`, under a name no other file has, or null
    // and the reason.
    virtual std::unique_ptr<WriteHandle> createBeside(const QString &path, QString &createdPath,
                                                      QString &error) = 0;
    // The existing file, for writing from offset 0 without truncating it, or null and the
    // reason.
    virtual std::unique_ptr<WriteHandle> openExisting(const QString &path, QString &error) = 0;
    // Puts the file `from` in the place of `to` in one step, with `to`'s permissions.
    virtual bool replace(const QString &from, const QString &to, QString &error) = 0;
    virtual void remove(const QString &path) = 0;
};

// The operations saves go through: the real file system unless a test installed others.
FileOperations &fileOperations();
// Installs `operations` (not owned; null restores the real file system) and returns the
// ones installed before.
FileOperations *setFileOperations(FileOperations *operations);

} // namespace core
