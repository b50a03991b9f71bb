#pragma once

#include "SyntheticImage.h"
#include "TileNaming.h"

#include <QDir>
#include <QFile>
#include <QImage>

namespace bench {

// A bitmap for every tile code (16 x 16, 24 bits, as the sample's tiles), each with a
// pattern of its own, in `folder`.
inline bool writeTiles(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return false;
    for (int code = 0; code < 256; ++code) {
        QImage tile(16, 16, QImage::Format_RGB32);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                tile.setPixel(x, y, qRgb(code, (x * 16) ^ code, (y * 16) ^ (255 - code)));
        if (!tile.save(QDir(folder).filePath(core::tileFileName(std::uint8_t(code))), "BMP"))
            return false;
    }
    return true;
}

// An image whose first chapter is 32 x 32, second 256 x 256, third 48 x 36 (the largest
// of the game's own) and fourth 33 x 31 (the most the view shows without scroll bars), the
// others 8 x 8. Every cell byte names an existing tile, so every
// cell loads a file.
inline QByteArray benchImage()
{
    std::array<std::pair<int, int>, core::kChapterCount> sizes{};
    sizes.fill({8, 8});
    sizes[0] = {32, 32};
    sizes[1] = {256, 256};
    sizes[2] = {48, 36};
    sizes[3] = {33, 31};
    return testing_support::syntheticImage(sizes);
}

} // namespace bench
