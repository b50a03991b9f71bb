#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <variant>

namespace core {

// Every step below that can fail reports the platform's error number (errno), never a
// text, so that each front end can say it in its own language.

// One file open for writing.
class WriteHandle {
public:
    virtual ~WriteHandle() = default;
    // How many bytes went out, which may be fewer than given; -1 on an error.
    virtual qint64 write(const QByteArray &bytes) = 0;
    // Pushes everything written so far onto the disk.
    virtual bool sync() = 0;
    virtual bool close() = 0;
    // The error number of the step that failed last.
    virtual int error() const = 0;
};

// What a path names, links not followed.
struct PathStatus {
    enum class Kind { Missing, File, Folder };
    Kind kind = Kind::Missing;
    // How many names the file has; a file with more than one must be changed in place.
    qint64 links = 0;
};

// The file-system steps a save is made of. Saving goes through the installed instance, so
// that tests can make any single step fail the way a full disk, a vanished file or a
// failing close would; the default instance works on real files.
class FileOperations {
public:
    virtual ~FileOperations() = default;

    // The path of the file that `path` finally names: symbolic links, and chains of them,
    // followed to their end. That file need not exist.
    virtual std::variant<QString, int> finalTarget(const QString &path) = 0;
    // What is at the path; a path that names nothing, or whose folder is gone, is Missing.
    virtual std::variant<PathStatus, int> status(const QString &path) = 0;
    // The file's bytes from `offset` on, empty when it is no longer than that.
    virtual std::variant<QByteArray, int> readFrom(const QString &path, qint64 offset) = 0;
    // 0 when the file may be written; otherwise why not (a read-only file or file system).
    virtual int checkWritable(const QString &path) = 0;
    // Whether new files can be made in the folder that holds the path.
    virtual bool folderWritable(const QString &path) = 0;
    // A new, empty file in the folder of `path`, under a name no other file has, or null and
    // the error. Where a file is at `path`, the new one gets its permissions and, as far as
    // the system lets this program give them, its owner and group; otherwise it gets the
    // permissions every new file gets.
    virtual std::unique_ptr<WriteHandle> createBeside(const QString &path, QString &createdPath,
                                                      int &error) = 0;
    // The existing file, for writing from offset 0 without truncating it, or null and the
    // error.
    virtual std::unique_ptr<WriteHandle> openExisting(const QString &path, int &error) = 0;
    // Puts the file `from` in the place of `to` in one step; 0 or the error.
    virtual int replace(const QString &from, const QString &to) = 0;
    virtual void remove(const QString &path) = 0;
};

// The operations saves go through: the real file system unless a test installed others.
FileOperations &fileOperations();
// Installs `operations` (not owned; null restores the real file system) and returns the
// ones installed before.
FileOperations *setFileOperations(FileOperations *operations);

} // namespace core
