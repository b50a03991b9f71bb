#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>
#include <optional>

namespace core {

// One chapter map's place and size in the cartridge image.
struct ChapterMap {
    std::int32_t DataOffset = 0; // file offset of the record's first byte, plus 3
    std::int32_t Width = 0;      // cells per row, 1..256
    std::int32_t Height = 0;     // rows, 1..256

    std::int32_t cellCount() const { return Width * Height; }
    friend bool operator==(const ChapterMap &, const ChapterMap &) = default;
};

constexpr int kChapterCount = 25;
using ChapterDirectory = std::array<ChapterMap, kChapterCount>;

// The two runs of consecutive map records: chapters 1..13 and 14..25.
constexpr std::int32_t kRunAOffset = 32810;  // 0x802A
constexpr std::int32_t kRunBOffset = 147496; // 0x24028
constexpr int kRunAChapters = 13;

// Reads the 25 map records. Nothing when the image is too short: the chain of records
// reaches a header byte beyond its end (up to the second byte of chapter 25's record).
std::optional<ChapterDirectory> ReadMapDirectory(const QByteArray &RomData);

// Index in the image of cell (c, r), both counted from 1, when the cell lies inside the
// map and its byte inside the image; nothing otherwise.
std::optional<qsizetype> cellByteIndex(const ChapterMap &entry, std::int32_t c, std::int32_t r,
                                       qsizetype romLength);

// Index of cell number n (1..Width x Height, row-major) when its byte lies inside the image.
std::optional<qsizetype> cellNumberIndex(const ChapterMap &entry, std::int32_t n,
                                         qsizetype romLength);

} // namespace core
