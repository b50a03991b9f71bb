#pragma once

#include "CartridgeImage.h"
#include "FileOperations.h"
#include "MapFormat.h"
#include "MapGrid.h"
#include "TiledMap.h"

#include <QImage>
#include <QString>

#include <array>
#include <cstdint>
#include <variant>
#include <vector>

namespace formats {
class PngWriter;
}

namespace render {
class ChapterTiles;
}

namespace cli {

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

using ExportResult = std::variant<ExportedChapter, ExportFault>;

// A chapter read from the image with its tiles looked up: all that writing it needs
// besides the image itself.
struct ChapterPlan {
    int chapter = 0;
    QString out;
    formats::MapFormat format = formats::MapFormat::Png;
    ExportedChapter exported;
    core::MapGrid grid;
    // PNG: what each code of the chapter draws, its bitmap or the missing-tile sign.
    std::array<QImage, 256> cellImages;
    // TMX and JSON.
    QString title;
    std::vector<formats::TilesetTile> tileset;
};

// Writes chapter 1..25 of `image` to `out` in `format`: a picture drawn by the editor's
// renderer with a sign for each missing bitmap, CSV codes, or a Tiled map whose tileset
// points at the tile bitmaps. Pictures are written with `png`.
ExportResult exportChapter(fileio::FileOperations &files, const CartridgeImage &image, int chapter,
                           const QString &out, formats::MapFormat format,
                           render::ChapterTiles &tiles, formats::PngWriter &png);

// The steps of exportChapter. Planning loads bitmaps into `tiles`, so one thread plans at
// a time. Packing (drawing, encoding) reads only the plan and the image, so several plans
// can be packed on threads of their own at once, each thread with its own PngWriter; the
// file is written last.
std::variant<ChapterPlan, ExportFault> planChapterExport(const CartridgeImage &image, int chapter,
                                                         const QString &out,
                                                         formats::MapFormat format,
                                                         render::ChapterTiles &tiles);
QByteArray packChapter(const CartridgeImage &image, const ChapterPlan &plan,
                       formats::PngWriter &png);
ExportResult writeChapterFile(fileio::FileOperations &files, const ChapterPlan &plan,
                              const QByteArray &bytes);

} // namespace cli
