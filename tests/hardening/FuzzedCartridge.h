#pragma once

#include "FuzzInput.h"

#include "ChapterMap.h"

#include <QByteArray>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace fuzzing {

// One past the farthest byte a chain of 25 records of 256 x 256 cells can reach.
constexpr std::int64_t kLongestChain = core::kRunBOffset + 12 * (4 + 256 * 256);

// A cartridge image shaped by fuzz input: any length up to past the longest chain, any
// filler, and fuzzed header bytes written along the chain of map records wherever it
// runs. The length is taken absolutely or near the last header byte or the last tile,
// so that the edges where the image ends are reached often.
inline QByteArray fuzzedCartridge(FuzzInput &in)
{
    const std::uint8_t lengthMode = in.byte() % 3;
    const std::uint32_t lengthWord = in.u32();
    QByteArray rom;
    std::array<std::uint8_t, 2 * core::kChapterCount> header{};
    const char filler = static_cast<char>(in.byte());
    for (auto &b : header)
        b = in.byte();

    std::array<std::int64_t, core::kChapterCount> starts{};
    std::int64_t p = core::kRunAOffset;
    std::int64_t lastTile = 0;
    for (int k = 0; k < core::kChapterCount; ++k) {
        if (k == core::kRunAChapters)
            p = core::kRunBOffset;
        const auto i = static_cast<std::size_t>(k);
        starts[i] = p;
        p += 4 + std::int64_t{header[2 * i] + 1} * (header[2 * i + 1] + 1);
        lastTile = std::max(lastTile, p);
    }
    const std::int64_t lastHeader = starts.back() + 2;
    const auto nudge = static_cast<std::int8_t>(lengthWord & 0xFF);
    std::int64_t length = 0;
    switch (lengthMode) {
    case 0:
        length = lengthWord % (kLongestChain + 1);
        break;
    case 1:
        length = lastHeader + nudge;
        break;
    default:
        length = lastTile + nudge;
        break;
    }
    length = std::clamp<std::int64_t>(length, 0, kLongestChain);

    rom = QByteArray(static_cast<qsizetype>(length), filler);
    for (std::size_t k = 0; k < starts.size(); ++k)
        for (std::size_t j = 0; j < 2; ++j)
            if (starts[k] + std::int64_t(j) < length)
                rom[static_cast<qsizetype>(starts[k]) + qsizetype(j)] =
                    static_cast<char>(header[2 * k + j]);
    return rom;
}

// The chapter directory read again, plainly, as the other half of a differential check.
inline std::optional<core::ChapterDirectory> referenceDirectory(const QByteArray &rom)
{
    core::ChapterDirectory chapters{};
    std::int64_t p = core::kRunAOffset;
    for (int k = 0; k < core::kChapterCount; ++k) {
        if (k == core::kRunAChapters)
            p = core::kRunBOffset;
        if (p + 2 > rom.size())
            return std::nullopt;
        auto &entry = chapters[static_cast<std::size_t>(k)];
        entry.Height = static_cast<std::uint8_t>(rom.at(static_cast<qsizetype>(p))) + 1;
        entry.Width = static_cast<std::uint8_t>(rom.at(static_cast<qsizetype>(p + 1))) + 1;
        entry.DataOffset = static_cast<std::int32_t>(p + 3);
        p += 4 + std::int64_t{entry.Width} * entry.Height;
    }
    return chapters;
}

// Cell (c, r)'s byte by the addressing rule, when the cell is on the map and the byte in
// an image of `length` bytes.
inline std::optional<std::int64_t> referenceCellIndex(const core::ChapterMap &entry, std::int64_t c,
                                                      std::int64_t r, std::int64_t length)
{
    if (c < 1 || c > entry.Width || r < 1 || r > entry.Height)
        return std::nullopt;
    const std::int64_t index = std::int64_t{entry.DataOffset} + entry.Width * (r - 1) + c;
    if (index < 0 || index >= length)
        return std::nullopt;
    return index;
}

} // namespace fuzzing
