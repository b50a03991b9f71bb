#include "CartridgeImage.h"

#include "CartridgeFile.h"
#include "CommandFiles.h"
#include "FileFailureReason.h"

namespace cli {

bool CartridgeImage::hasInesHeader() const
{
    return cartridge.RomData().startsWith("NES\x1A");
}

std::variant<CartridgeImage, Refusal> openCartridge(const QString &path)
{
    if (const auto refusal = namedFileRefusal(path))
        return Refusal{*refusal};
    auto read = core::readCartridge(path);
    if (const auto *failure = std::get_if<fileio::FileError>(&read))
        return Refusal{readFailureReason(*failure)};
    return CartridgeImage{path, core::Cartridge(std::get<QByteArray>(std::move(read)))};
}

Refusal shortImageRefusal(const CartridgeImage &image)
{
    return Refusal{QStringLiteral("image too short for the chapter directory (%1 bytes; the "
                                  "chapter records run past its end)")
                       .arg(image.cartridge.RomData().size())};
}

std::optional<int> chapterArgument(const QString &text)
{
    bool ok = false;
    const int chapter = text.toInt(&ok);
    if (!ok || chapter < 1 || chapter > core::kChapterCount)
        return std::nullopt;
    return chapter;
}

} // namespace cli
