#include "ChapterExport.h"

#include "ChapterTiles.h"
#include "ChapterTitles.h"
#include "CommandFiles.h"
#include "CsvMap.h"
#include "MapRenderer.h"
#include "PngWriter.h"
#include "TiledJsonMap.h"
#include "TiledTileset.h"
#include "TmxMap.h"

#include <QFileInfo>

namespace cli {

ExportResult exportChapter(fileio::FileOperations &files, const CartridgeImage &image, int chapter,
                           const QString &out, formats::MapFormat format,
                           render::ChapterTiles &tiles, formats::PngWriter &png)
{
    auto planned = planChapterExport(image, chapter, out, format, tiles);
    if (const auto *fault = std::get_if<ExportFault>(&planned))
        return *fault;
    const auto &plan = std::get<ChapterPlan>(planned);
    return writeChapterFile(files, plan, packChapter(image, plan, png));
}

std::variant<ChapterPlan, ExportFault> planChapterExport(const CartridgeImage &image, int chapter,
                                                         const QString &out,
                                                         formats::MapFormat format,
                                                         render::ChapterTiles &tiles)
{
    const core::ChapterMap &entry =
        image.cartridge.Chapters()[static_cast<std::size_t>(chapter - 1)];
    auto grid = core::readChapterGrid(image.cartridge, entry);
    if (!grid)
        return ExportFault{image.path, QStringLiteral("chapter %1's map runs past the end of the "
                                                      "image")
                                           .arg(chapter)};
    ChapterPlan plan;
    plan.chapter = chapter;
    plan.out = out;
    plan.format = format;
    plan.exported = ExportedChapter{grid->width, grid->height, 0, {}};
    if (format != formats::MapFormat::Csv) {
        std::array<bool, 256> missing{};
        for (const std::uint8_t code : grid->codes) {
            if (!tiles.picture(code)) {
                ++plan.exported.cellsWithoutBitmap;
                missing[code] = true;
            }
            if (format == formats::MapFormat::Png && plan.cellImages[code].isNull())
                plan.cellImages[code] = tiles.shown(code)->image();
        }
        for (int code = 0; code < 256; ++code)
            if (missing[static_cast<std::size_t>(code)])
                plan.exported.missingCodes.push_back(static_cast<std::uint8_t>(code));
    }
    if (format == formats::MapFormat::Tmx || format == formats::MapFormat::Json) {
        plan.title = chapterTitle(chapter);
        plan.tileset = formats::tilesetTiles(
            *grid, tiles.folder(),
            [&tiles](std::uint8_t code) -> const QImage & {
                static const QImage none;
                const host::Picture &picture = tiles.picture(code);
                return picture ? picture->image() : none;
            },
            QFileInfo(out).absolutePath());
    }
    plan.grid = std::move(*grid);
    return plan;
}

QByteArray packChapter(const CartridgeImage &image, const ChapterPlan &plan,
                       formats::PngWriter &png)
{
    const core::ChapterMap &entry =
        image.cartridge.Chapters()[static_cast<std::size_t>(plan.chapter - 1)];
    switch (plan.format) {
    case formats::MapFormat::Png:
        return png.bytes(render::renderChapterCells(
            image.cartridge, entry, [&plan](std::uint8_t code) { return plan.cellImages[code]; }));
    case formats::MapFormat::Csv:
        return formats::writeCsvMap(plan.grid);
    case formats::MapFormat::Tmx:
    case formats::MapFormat::Json:
        break;
    }
    const formats::TiledChapter map{plan.chapter, plan.title, entry.DataOffset, plan.grid,
                                    plan.tileset};
    return plan.format == formats::MapFormat::Tmx ? formats::writeTmxMap(map)
                                                  : formats::writeTiledJsonMap(map);
}

ExportResult writeChapterFile(fileio::FileOperations &files, const ChapterPlan &plan,
                              const QByteArray &bytes)
{
    if (const auto reason = writeOutputFile(files, plan.out, bytes))
        return ExportFault{plan.out, *reason};
    return plan.exported;
}

} // namespace cli
