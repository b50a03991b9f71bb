#pragma once

#include "FileIdentity.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <variant>

namespace fileio {

// Every step below that can fail reports the platform's error number (errno), never a
// text, so that each front end can say it in its own language.

// The most a write reads of a file whole (to compare it with what the caller read, or to keep
// its old bytes): anything larger would exhaust memory, and its reads fail with EFBIG.
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

// A name in a folder, the folder given as the system reaches it: absolute, with every
// symbolic link and "..", resolved by the system itself.
struct FileLocation {
    QString folder;
    QString name;
    QString path() const;
};

// One regular file open for reading and writing.
class WriteHandle {
public:
    virtual ~WriteHandle() = default;
    // Writes `bytes` from `offset` on. `written` tells how many went out, also when the
    // step failed; fewer than given with no error means the system took no more.
    virtual int write(qint64 offset, const QByteArray &bytes, qint64 &written) = 0;
    // The file's bytes from offset 0 to its end.
    virtual int readAll(QByteArray &bytes) = 0;
    // Makes sure the disk holds room for `size` bytes without changing the file, so that a
    // write up to that length cannot run out of space half way.
    virtual int reserve(qint64 size) = 0;
    virtual int truncate(qint64 size) = 0;
    // Pushes everything written so far onto the disk.
    virtual int sync() = 0;
    virtual int close() = 0;
    // Which file is open, and in which state; an identity the system would not tell is one
    // that matches no file.
    virtual FileIdentity id() const = 0;
};

// What a name is, links not followed.
struct PathStatus {
    enum class Kind {
        Missing,
        File,
        Folder,
        Special, // a pipe, socket or device: never written
    };
    Kind kind = Kind::Missing;
    // How many names the file has; a file with more than one must be changed in place.
    qint64 links = 0;
    FileIdentity id;
};

// Who may read a file a write creates.
enum class NewFileAccess {
    Ordinary,     // the permissions every new file gets
    Private,      // the owner alone: a backup of the user's bytes
    SameAsTarget, // the target's permissions and, as far as the system lets this program
                  // give them, its owner and group
};

// The file-system steps a write is made of. Every write is given the instance it goes
// through, so that tests can make any single step fail the way a full disk, a vanished file
// or a failing close would; diskFileOperations() works on real files.
class FileOperations {
public:
    virtual ~FileOperations() = default;

    // The folder and name that `path` finally names: symbolic links, and chains of them,
    // followed to their end by the system. That name need not exist.
    virtual std::variant<FileLocation, int> locate(const QString &path) = 0;
    virtual std::variant<PathStatus, int> status(const FileLocation &file) = 0;
    // The file's bytes from `offset` on, empty when it is no longer than that.
    virtual std::variant<QByteArray, int> readFrom(const FileLocation &file, qint64 offset) = 0;
    // 0 when the file may be written; otherwise why not (a read-only file or file system).
    virtual int checkWritable(const FileLocation &file) = 0;
    // Whether new files can be made in the folder.
    virtual bool folderWritable(const QString &folder) = 0;
    // The longest name, in bytes, the folder takes.
    virtual qint64 maxNameBytes(const QString &folder) = 0;
    // The folder for backups where a file's own folder takes none: one on the disk that
    // every program of ours finds, never a folder kept in memory. It need not exist yet.
    virtual QString backupFolder() = 0;
    // A new, empty file under `created`, which must not exist yet, or null and the error.
    virtual std::unique_ptr<WriteHandle> create(const FileLocation &created, NewFileAccess access,
                                                const FileLocation &target, int &error) = 0;
    // The existing regular file, for reading and writing, or null and the error; never
    // follows a link and never waits for a pipe's other end.
    virtual std::unique_ptr<WriteHandle> openExisting(const FileLocation &file, int &error) = 0;
    // Puts the file `from` in the place of `to` in one step; 0 or the error.
    virtual int replace(const FileLocation &from, const FileLocation &to) = 0;
    // Pushes the folder's list of names onto the disk, so that a rename or a new name in it
    // survives a power loss.
    virtual int syncFolder(const QString &folder) = 0;
    virtual void remove(const FileLocation &file) = 0;
};

// The real file system's operations, shared by everything that writes.
FileOperations &diskFileOperations();

} // namespace fileio
