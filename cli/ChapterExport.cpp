#include "ChapterExport.h"

#include "ChapterTitles.h"
#include "CommandFiles.h"
#include "CsvMap.h"
#include "MapRenderer.h"
#include "PngFile.h"
#include "TileBitmaps.h"
#include "TiledJsonMap.h"
#include "TiledTileset.h"
#include "TmxMap.h"

#include <QFileInfo>

#include <array>

namespace cli {

std::variant<ExportedChapter, ExportFault> exportChapter(const CartridgeImage &image, int chapter,
                                                         const QString &out, MapFormat format,
                                                         TileBitmaps &tiles)
{
    const core::ChapterMap &entry = (*image.chapters)[static_cast<std::size_t>(chapter - 1)];
    const auto grid = readChapterGrid(image.RomData, entry);
    if (!grid)
        return ExportFault{image.path, QStringLiteral("chapter %1's map runs past the end of the "
                                                      "image")
                                           .arg(chapter)};
    ExportedChapter exported{grid->width, grid->height, 0, {}};
    if (format != MapFormat::Csv) {
        std::array<bool, 256> missing{};
        for (const std::uint8_t code : grid->codes) {
            if (!tiles.has(code)) {
                ++exported.cellsWithoutBitmap;
                missing[code] = true;
            }
        }
        for (int code = 0; code < 256; ++code)
            if (missing[static_cast<std::size_t>(code)])
                exported.missingCodes.push_back(static_cast<std::uint8_t>(code));
    }

    QByteArray bytes;
    switch (format) {
    case MapFormat::Png:
        bytes = pngBytes(core::renderChapterCells(
            image.RomData, entry, [&tiles](std::uint8_t code) { return tiles.cellImage(code); }));
        break;
    case MapFormat::Csv:
        bytes = writeCsvMap(*grid);
        break;
    case MapFormat::Tmx:
    case MapFormat::Json: {
        const TiledChapter map{chapter, chapterTitle(chapter), entry.DataOffset, *grid,
                               tilesetTiles(*grid, tiles, QFileInfo(out).absolutePath())};
        bytes = format == MapFormat::Tmx ? writeTmxMap(map) : writeTiledJsonMap(map);
        break;
    }
    }
    if (const auto reason = writeOutputFile(out, bytes))
        return ExportFault{out, *reason};
    return exported;
}

} // namespace cli
