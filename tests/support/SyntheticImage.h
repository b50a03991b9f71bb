#pragma once

#include "ChapterMap.h"

#include <QByteArray>

#include <array>
#include <utility>

namespace testing_support {

// A cartridge image with the 25 chapters of the given sizes (width, height); tile bytes
// count up from the chapter number so that every cell's byte is known.
inline QByteArray syntheticImage(const std::array<std::pair<int, int>, core::kChapterCount> &sizes)
{
    QByteArray rom(core::kRunBOffset, '\x55');
    auto writeRun = [&](qsizetype start, int first, int last) {
        qsizetype p = start;
        for (int k = first; k <= last; ++k) {
            const auto [width, height] = sizes[static_cast<std::size_t>(k)];
            const qsizetype end = p + 4 + qsizetype{width} * height;
            if (rom.size() < end)
                rom.resize(end, '\0');
            rom[p] = static_cast<char>(height - 1);
            rom[p + 1] = static_cast<char>(width - 1);
            rom[p + 2] = '\xAB';
            rom[p + 3] = '\xCD';
            for (qsizetype i = 0; i < qsizetype{width} * height; ++i)
                rom[p + 4 + i] = static_cast<char>((k + 1 + i) & 0xFF);
            p = end;
        }
    };
    writeRun(core::kRunAOffset, 0, core::kRunAChapters - 1);
    writeRun(core::kRunBOffset, core::kRunAChapters, core::kChapterCount - 1);
    rom.append(QByteArray(300, '\x77'));
    return rom;
}

// 16 x 32 for the first chapter, small maps elsewhere.
inline QByteArray standardSyntheticImage()
{
    std::array<std::pair<int, int>, core::kChapterCount> sizes{};
    sizes.fill({8, 6});
    sizes[0] = {16, 32};
    sizes[1] = {1, 5};
    sizes[13] = {32, 32};
    return syntheticImage(sizes);
}

} // namespace testing_support
