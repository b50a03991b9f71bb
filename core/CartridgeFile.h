#pragma once

#include "FileError.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>

namespace core {

// A cartridge image is far smaller; reading anything larger whole would exhaust memory.
constexpr qint64 kMaxImageBytes = 64 * 1024 * 1024;

// Why a save did not complete, and what it left in the file.
struct SaveFailure {
    FileError error;
    // A write in place stopped part way: the file keeps its length, but each byte may be
    // old or new. Otherwise the file holds all its old bytes.
    bool partial = false;
};

// Reads the whole file. Refuses a file over kMaxImageBytes.
std::variant<QByteArray, FileError> readCartridge(const QString &path);

// Replaces the contents of the file at `path` with RomData, all or nothing, through
// fileOperations(). Symbolic links are followed to the file they finally name, and stay
// links. The bytes go to a new file in the same folder that reaches the disk and then takes
// the file's place, keeping its permissions and, where allowed, its owner and group. Where
// the folder takes no new file, or the file has more names than this one (hard links), the
// bytes are written in place from offset 0 without truncating, so every name sees them.
// Bytes the file holds beyond RomData's length are kept, so the file never gets shorter. A
// file that is not there (removed or renamed since it was read) is written anew, whole; a
// read-only file is not written.
std::optional<SaveFailure> writeCartridge(const QString &path, const QByteArray &RomData);

} // namespace core
