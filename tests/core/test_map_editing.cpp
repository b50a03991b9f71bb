#include "Cartridge.h"
#include "CellChanges.h"
#include "MapEditing.h"
#include "MapGrid.h"

#include <gtest/gtest.h>

using namespace core;

namespace {

// A 4 x 3 chapter whose record starts at byte 7 (its tile bytes 11..22), in an image cut
// `missing` bytes short of the map's end.
constexpr ChapterMap kChapter{10, 4, 3};

Cartridge imageOf(const MapGrid &map, int missing = 0)
{
    QByteArray bytes(11, '\0');
    for (const std::uint8_t code : map.codes)
        bytes.append(static_cast<char>(code));
    bytes.chop(missing);
    return Cartridge(bytes);
}

// The map as the image holds it with the edit stored; a cell without a byte reads 0.
MapGrid edited(const Cartridge &image, const CellChanges &changes)
{
    Cartridge copy = image;
    for (const ChangedCell &cell : changes.changed(image, kChapter))
        copy.setCellByte(cell.byte, cell.after);
    MapGrid map{kChapter.Width, kChapter.Height, {}};
    for (std::int32_t row = 1; row <= kChapter.Height; ++row)
        for (std::int32_t column = 1; column <= kChapter.Width; ++column)
            map.codes.push_back(copy.codeAt(kChapter, {column, row}).value_or(0));
    return map;
}

const MapGrid kMap{4,
                   3,
                   {1, 1, 2, 2, //
                    1, 2, 2, 1, //
                    1, 1, 1, 1}};

} // namespace

// A cell's byte is DataOffset + Width x (row - 1) + column, on the map and inside the image
// only, and a record is inside when its last tile byte is.
TEST(Cartridge, FindsCellsAndRecordsOnlyInsideTheImage)
{
    const struct {
        int missing;
        Cell cell;
        std::optional<qsizetype> byte;
        bool recordInside;
    } cases[] = {
        {0, {1, 1}, 11, true},           {0, {4, 3}, 22, true},
        {0, {0, 1}, std::nullopt, true}, {0, {5, 1}, std::nullopt, true},
        {0, {1, 4}, std::nullopt, true}, {1, {4, 3}, std::nullopt, false},
        {1, {3, 3}, 21, false},
    };
    for (const auto &c : cases) {
        const Cartridge image = imageOf(kMap, c.missing);
        EXPECT_EQ(image.cellByte(kChapter, c.cell), c.byte) << c.cell.column << "," << c.cell.row;
        EXPECT_EQ(image.recordInside(kChapter), c.recordInside) << c.missing;
        EXPECT_EQ(image.recordBytes(kChapter).size(), 16 - c.missing);
    }
    Cartridge image = imageOf(kMap, 1);
    EXPECT_FALSE(image.setCode(kChapter, {4, 3}, 9));
    EXPECT_EQ(image.RomData().size(), 22);
}

// The cells a pointer passes between two events: both ends, no gaps, no cell twice.
TEST(MapEditing, CellsOnALineHaveNoGaps)
{
    const struct {
        Cell from, to;
        std::size_t count;
    } cases[] = {
        {{3, 3}, {3, 3}, 1}, {{1, 1}, {6, 1}, 6}, {{6, 1}, {1, 1}, 6},
        {{1, 1}, {4, 4}, 4}, {{1, 5}, {3, 1}, 5}, {{2, 2}, {9, 5}, 8},
    };
    for (const auto &c : cases) {
        const std::vector<Cell> cells = cellsOnLine(c.from, c.to);
        ASSERT_EQ(cells.size(), c.count) << c.to.column << "," << c.to.row;
        EXPECT_EQ(cells.front(), c.from);
        EXPECT_EQ(cells.back(), c.to);
        for (std::size_t i = 1; i < cells.size(); ++i) {
            EXPECT_LE(std::abs(cells[i].column - cells[i - 1].column), 1);
            EXPECT_LE(std::abs(cells[i].row - cells[i - 1].row), 1);
            EXPECT_NE(cells[i], cells[i - 1]);
        }
    }
}

// A fill takes the 4-connected cells of the start's code, the stamp repeated from the start;
// a start off the map or without a byte fills nothing.
TEST(MapEditing, FloodFillTakesTheConnectedCellsOfTheStartsCode)
{
    const MapGrid dots = MapGrid::single(9);
    const MapGrid pair{2, 1, {7, 8}};
    const struct {
        const char *name;
        MapGrid stamp;
        Cell start;
        int missing;
        std::vector<std::uint8_t> after;
    } cases[] = {
        {"ones", dots, {1, 1}, 0, {9, 9, 2, 2, 9, 2, 2, 9, 9, 9, 9, 9}},
        {"twos", dots, {3, 2}, 0, {1, 1, 9, 9, 1, 9, 9, 1, 1, 1, 1, 1}},
        {"pair from the start", pair, {2, 1}, 0, {8, 7, 2, 2, 8, 2, 2, 7, 8, 7, 8, 7}},
        {"off the map", dots, {0, 1}, 0, kMap.codes},
        {"start without a byte", dots, {4, 3}, 1, {1, 1, 2, 2, 1, 2, 2, 1, 1, 1, 1, 0}},
        {"cells without a byte", dots, {1, 1}, 2, {9, 9, 2, 2, 9, 2, 2, 1, 9, 9, 0, 0}},
    };
    for (const auto &c : cases) {
        const Cartridge image = imageOf(kMap, c.missing);
        CellChanges changes;
        floodFill(c.stamp, image, kChapter, c.start, changes);
        EXPECT_EQ(edited(image, changes).codes, c.after) << c.name;
    }
}

// A capture keeps the rectangle's cells on the map whose bytes lie inside the image.
TEST(MapEditing, CaptureKeepsTheCellsThatHaveBytes)
{
    const struct {
        const char *name;
        QRect rectangle;
        int missing;
        std::optional<MapGrid> stamp;
    } cases[] = {
        {"inside", QRect(2, 1, 2, 2), 0, MapGrid{2, 2, {1, 2, 2, 2}}},
        {"over the edge", QRect(3, 2, 5, 5), 0, MapGrid{2, 2, {2, 1, 1, 1}}},
        {"last row cut", QRect(1, 2, 4, 2), 1, MapGrid{4, 1, {1, 2, 2, 1}}},
        {"one row cut", QRect(2, 3, 3, 1), 1, MapGrid{2, 1, {1, 1}}},
        {"off the map", QRect(5, 1, 2, 2), 0, std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(captureStamp(imageOf(kMap, c.missing), kChapter, c.rectangle), c.stamp) << c.name;
}
