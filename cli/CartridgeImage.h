#pragma once

#include "ChapterMap.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>

namespace cli {

// Why an input was refused: the one line the tool prints after the file's name.
struct Refusal {
    QString reason;
};

// A cartridge image read whole, with its chapter directory when the image is long enough.
struct CartridgeImage {
    QString path;
    QByteArray RomData;
    std::optional<core::ChapterDirectory> chapters;

    // Whether the file starts with the iNES signature "NES" 0x1A.
    bool hasInesHeader() const;
    // Whether chapter `entry`'s whole record, header and tile bytes, lies inside the image.
    bool holdsRecord(const core::ChapterMap &entry) const;
};

std::variant<CartridgeImage, Refusal> openCartridge(const QString &path);

// The reason a command that needs the chapter directory refuses an image without one.
Refusal shortImageRefusal(const CartridgeImage &image);

// A chapter number argument, 1..25.
std::optional<int> chapterArgument(const QString &text);

// The file offset of a chapter's record: its first header byte.
inline qint64 recordOffset(const core::ChapterMap &entry)
{
    return qint64{entry.DataOffset} - 3;
}

} // namespace cli
