#pragma once

#include "CartridgeImage.h"
#include "MapFormat.h"

#include <QString>

#include <cstdint>
#include <variant>
#include <vector>

namespace cli {

class TileBitmaps;

struct ExportFault {
    QString file;
    QString reason;
};

struct ExportedChapter {
    int width = 0;
    int height = 0;
    int cellsWithoutBitmap = 0;             // PNG, TMX and JSON only
    std::vector<std::uint8_t> missingCodes; // ascending
};

// Writes chapter 1..25 of `image` to `out` in `format`: a picture drawn by the editor's
// renderer with a sign for each missing bitmap, CSV codes, or a Tiled map whose tileset
// points at the tile bitmaps.
std::variant<ExportedChapter, ExportFault> exportChapter(const CartridgeImage &image, int chapter,
                                                         const QString &out, MapFormat format,
                                                         TileBitmaps &tiles);

} // namespace cli
