#pragma once

#include "Cell.h"

#include <QByteArray>

#include <array>
#include <cstdint>
#include <optional>

namespace core {

// No map record describes a longer side: its header byte holds the side less one.
constexpr std::int32_t kMaxMapSide = 256;

// One chapter map's place and size in the cartridge image, and the arithmetic of its record:
// where its header and its tile bytes lie.
struct ChapterMap {
    std::int32_t DataOffset = 0; // file offset of the record's first byte, plus 3
    std::int32_t Width = 0;      // cells per row, 1..256
    std::int32_t Height = 0;     // rows, 1..256

    // Width x Height; 0 for an entry that no map record can describe (the all-zero
    // directory before any image was read, or a side outside 1..256).
    std::int32_t cellCount() const;
    // Whether the cell lies on the map: 1 <= column <= Width and 1 <= row <= Height.
    bool contains(Cell cell) const;
    // Cell number n (1..cellCount()) of the row-major walk; a number outside the walk gives a
    // cell off the map. Only for an entry with cells.
    Cell cellNumbered(std::int32_t n) const;
    // The file offset of a cell's tile byte, DataOffset + Width x (row - 1) + column, for a
    // cell on the map; nothing off it.
    std::optional<qint64> cellOffset(Cell cell) const;
    // The file offset of the record's first header byte.
    qint64 recordOffset() const { return qint64{DataOffset} - 3; }
    // One past the record's last tile byte.
    qint64 recordEnd() const { return qint64{DataOffset} + 1 + qint64{Width} * Height; }
    // Whether the whole record, header and tile bytes, lies in an image of `length` bytes.
    bool recordWithin(qint64 length) const { return recordOffset() >= 0 && recordEnd() <= length; }

    friend bool operator==(const ChapterMap &, const ChapterMap &) = default;
};

constexpr int kChapterCount = 25;
// The chapter of an edit whose cells lie in more than one chapter: each of its bytes is the
// cell of the first chapter that holds it.
constexpr int kSeveralChapters = -2;
using ChapterDirectory = std::array<ChapterMap, kChapterCount>;

// The two runs of consecutive map records: chapters 1..13 and 14..25.
constexpr std::int32_t kRunAOffset = 32810;  // 0x802A
constexpr std::int32_t kRunBOffset = 147496; // 0x24028
constexpr int kRunAChapters = 13;

// Reads the 25 map records. Nothing when the image is too short: the chain of records
// reaches a header byte beyond its end (up to the second byte of chapter 25's record).
std::optional<ChapterDirectory> ReadMapDirectory(const QByteArray &RomData);

} // namespace core
