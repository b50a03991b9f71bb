#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>

namespace core {

// A cartridge image is far smaller; reading anything larger whole would exhaust memory.
constexpr qint64 kMaxImageBytes = 64 * 1024 * 1024;

// Why a file could not be read or written, in words for the user.
struct FileFailure {
    QString message;
};

// Reads the whole file. Refuses a file over kMaxImageBytes.
std::variant<QByteArray, FileFailure> readCartridge(const QString &path);

// Replaces the file's contents with RomData, all or nothing, through fileOperations():
// the bytes go to a new file in the same folder that reaches the disk and then takes the
// file's place, keeping its permissions. Where the folder takes no new file, the bytes
// are written in place from offset 0 without truncating. Bytes the file holds beyond
// RomData's length are kept, so the file never gets shorter. A read-only file is not
// written. Nothing on success; otherwise the message for the user, naming the file and
// the reason (also when the file vanished meanwhile and was written again in full).
std::optional<FileFailure> writeCartridge(const QString &path, const QByteArray &RomData);

} // namespace core
