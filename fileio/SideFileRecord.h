#pragma once

#include "FileIdentity.h"
#include "FileOperations.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>
#include <vector>

namespace fileio {

// What makes a file that the program writes beside a user's file (or in the shared backup
// folder) ours: a small record, written and synced in the same folder before the file itself
// is made. It names the file written for (its full path and its state then), the side file,
// the side file's length and the SHA-256 of its bytes, and what the side file is for. A file
// is ours only while such a record names it and its bytes are the recorded ones; a file that
// merely has one of our names is the user's.
//
// A record is UTF-8 text that any build reads back the same: a first line naming the format
// and its version, then one "key value" line each, paths percent-encoded, and a last line
// "end", so that a record cut short is no record.
struct SideFileRecord {
    enum class Purpose {
        Temporary, // the new bytes of a write, until they take the file's place in a rename
        Backup,    // the file's old bytes, while the file is written over itself
    };

    Purpose purpose = Purpose::Temporary;
    FileLocation image;                     // the file written for
    std::optional<FileIdentity> imageState; // its state when the write began; none: no file
    QString sideName;                       // the side file's name, in the record's own folder
    qint64 length = 0;
    QByteArray sha256;

    // The record of a side file that is to hold `bytes`.
    static SideFileRecord of(Purpose purpose, const FileLocation &image,
                             const std::optional<FileIdentity> &imageState, const QString &sideName,
                             const QByteArray &bytes);
    QByteArray encode() const;
    // The record that `text` holds; nothing where it holds none (cut short, of another
    // version, or any other file).
    static std::optional<SideFileRecord> decode(const QByteArray &text);
    // Whether `bytes` are exactly the side file's recorded bytes.
    bool matches(const QByteArray &bytes) const;
    // Whether the file it was made for is the one in `state` now, however its bytes changed;
    // true where it was made for no file.
    bool madeFor(const FileIdentity &state) const;
};

// A record of ours on the disk.
struct StoredRecord {
    FileLocation location;
    SideFileRecord record;
    std::int64_t writtenSeconds = 0; // when it was written, in seconds since 1970
};

// Tries at a free random name before giving up.
constexpr int kMaxNameTries = 100;

// Eight random hexadecimal digits, that tell apart the files one name gives rise to.
QString randomNameTag();

// Writes `record` into `folder` under a name of records that no file has yet, and makes sure
// it is on the disk. Its place, or the error with nothing left behind.
std::variant<FileLocation, int> writeRecord(FileOperations &files, const QString &folder,
                                            const SideFileRecord &record);
// Every record of ours in `folder`.
std::vector<StoredRecord> recordsIn(FileOperations &files, const QString &folder);

} // namespace fileio
