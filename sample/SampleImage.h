#pragma once

#include "ChapterRecipe.h"

#include <QByteArray>

namespace sample {

// The sample image: a 16-byte cartridge header and sixteen 16 KiB program banks.
constexpr qsizetype kHeaderBytes = 16;
constexpr qsizetype kProgramBanks = 16;
constexpr qsizetype kBankBytes = 16 * 1024;
constexpr qsizetype kImageBytes = kHeaderBytes + kProgramBanks * kBankBytes;

// A map record: height - 1, width - 1, two bytes the editor does not read, the tiles.
constexpr qsizetype kRecordHeaderBytes = 4;

constexpr qsizetype recordBytes(const ChapterRecipe &recipe)
{
    return kRecordHeaderBytes + qsizetype{recipe.width} * recipe.height;
}

// Chapter number (1..25) to the row-major tiles of its map.
QByteArray chapterTiles(int chapter);

// The whole image: header, filler bytes, and the 25 map records in their two runs.
// The same bytes on every call.
QByteArray buildSampleImage();

} // namespace sample
