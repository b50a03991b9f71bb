#include "FuzzEntries.h"

#include "CsvMap.h"
#include "MapGrid.h"
#include "TiledJsonMap.h"
#include "TmxMap.h"

#include <QString>

#include <set>

namespace fuzzing {

namespace {

QByteArray textOf(const std::uint8_t *data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

// A map read from a file has a chapter's size and one code per cell; a refusal says why.
const core::MapGrid *checked(const formats::MapParse &parse)
{
    if (const auto *fault = std::get_if<formats::MapFault>(&parse)) {
        require(!fault->message.isEmpty(), "a refused map says why");
        return nullptr;
    }
    const auto &grid = std::get<core::MapGrid>(parse);
    require(grid.width >= 1 && grid.width <= core::kMaxMapSide && grid.height >= 1 &&
                grid.height <= core::kMaxMapSide,
            "an imported map has a chapter's size");
    require(grid.codes.size() == std::size_t(grid.width) * std::size_t(grid.height),
            "one code per cell");
    return &grid;
}

// The chapter as the tool exports it: a tileset tile for every code the grid uses.
formats::TiledChapter chapterOf(const core::MapGrid &grid)
{
    formats::TiledChapter chapter;
    chapter.chapter = 1;
    chapter.title = QStringLiteral("1章");
    chapter.grid = grid;
    for (const std::uint8_t code : std::set<std::uint8_t>(grid.codes.begin(), grid.codes.end()))
        chapter.tiles.push_back({code, QStringLiteral("MAP/%1.bmp").arg(code), 16, 16});
    return chapter;
}

} // namespace

// The command-line tool's importers over any bytes: a map of a chapter's size or a
// refusal, and whatever map they read, the tool's own export of it reads back the same.
void mapImportCsv(const std::uint8_t *data, std::size_t size)
{
    const formats::MapParse parse = formats::parseCsvMap(textOf(data, size));
    if (const core::MapGrid *grid = checked(parse)) {
        const formats::MapParse again = formats::parseCsvMap(formats::writeCsvMap(*grid));
        require(std::holds_alternative<core::MapGrid>(again) &&
                    std::get<core::MapGrid>(again) == *grid,
                "CSV export reads back");
    }
}

void mapImportTmx(const std::uint8_t *data, std::size_t size)
{
    const formats::MapParse parse = formats::parseTmxMap(textOf(data, size));
    if (const core::MapGrid *grid = checked(parse)) {
        const formats::MapParse again =
            formats::parseTmxMap(formats::writeTmxMap(chapterOf(*grid)));
        require(std::holds_alternative<core::MapGrid>(again) &&
                    std::get<core::MapGrid>(again) == *grid,
                "TMX export reads back");
    }
}

void mapImportJson(const std::uint8_t *data, std::size_t size)
{
    const formats::MapParse parse = formats::parseTiledJsonMap(textOf(data, size));
    if (const core::MapGrid *grid = checked(parse)) {
        const formats::MapParse again =
            formats::parseTiledJsonMap(formats::writeTiledJsonMap(chapterOf(*grid)));
        require(std::holds_alternative<core::MapGrid>(again) &&
                    std::get<core::MapGrid>(again) == *grid,
                "Tiled JSON export reads back");
    }
}

} // namespace fuzzing
