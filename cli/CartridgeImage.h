#pragma once

#include "Cartridge.h"

#include <QString>

#include <optional>
#include <variant>

namespace cli {

// Why an input was refused: the one line the tool prints after the file's name.
struct Refusal {
    QString reason;
};

// A cartridge image read whole from a file, with its chapter directory when the image is
// long enough.
struct CartridgeImage {
    QString path;
    core::Cartridge cartridge;

    // Whether the file starts with the iNES signature "NES" 0x1A.
    bool hasInesHeader() const;
};

std::variant<CartridgeImage, Refusal> openCartridge(const QString &path);

// The reason a command that needs the chapter directory refuses an image without one.
Refusal shortImageRefusal(const CartridgeImage &image);

// A chapter number argument, 1..25.
std::optional<int> chapterArgument(const QString &text);

} // namespace cli
