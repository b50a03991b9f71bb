#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>

namespace app {

// A cartridge image is far smaller; reading anything larger whole would exhaust memory.
constexpr qint64 kMaxImageBytes = 64 * 1024 * 1024;

// Why a file could not be read or written, in words for the user.
struct FileFailure {
    QString message;
};

// Reads the whole file. Refuses a file over kMaxImageBytes.
std::variant<QByteArray, FileFailure> readCartridge(const QString &path);

// Replaces the file's contents with RomData, all or nothing: the bytes go to a temporary
// file in the same folder that is flushed and renamed over the file, keeping its
// permissions. Where the folder cannot be written, the bytes are written in place from
// offset 0 without truncating. Bytes the file holds beyond RomData's length are kept, so
// the file never gets shorter.
std::optional<FileFailure> writeCartridge(const QString &path, const QByteArray &RomData);

} // namespace app
