#include "SampleImage.h"

#include "SampleRandom.h"
#include "TerrainPainter.h"
#include "TileChooser.h"

#include <algorithm>

namespace sample {

namespace {

constexpr std::uint64_t kFillerSeed = 0x7A5B0C1D2E3F4051ULL;
constexpr std::uint64_t kChapterSeed = 0x51A3E0F7C2D49B68ULL;

constexpr qsizetype runBytes(std::size_t first, std::size_t end)
{
    qsizetype bytes = 0;
    for (std::size_t k = first; k < end; ++k)
        bytes += recordBytes(kChapterRecipes[k]);
    return bytes;
}

constexpr bool sizesFitHeaderBytes()
{
    return std::all_of(kChapterRecipes.begin(), kChapterRecipes.end(), [](const auto &recipe) {
        return recipe.width >= 1 && recipe.width <= 256 && recipe.height >= 1 &&
               recipe.height <= 256;
    });
}

constexpr std::size_t kRunA = core::kRunAChapters;
static_assert(sizesFitHeaderBytes(), "a map side is stored as one byte, minus one");
static_assert(core::kRunAOffset + runBytes(0, kRunA) <= core::kRunBOffset,
              "run A must end before run B starts");
static_assert(core::kRunBOffset + runBytes(kRunA, core::kChapterCount) <= kImageBytes,
              "run B must end inside the image");

void writeHeader(QByteArray &image)
{
    QByteArray header("NES\x1A", 4);
    header.append(static_cast<char>(kProgramBanks));
    header.append('\0');   // no character ROM: the board carries character RAM
    header.append('\x12'); // mapper 1, battery-backed RAM
    header.append(kHeaderBytes - header.size(), '\0');
    std::copy(header.begin(), header.end(), image.begin());
}

// Writes chapter's record at offset and returns the offset just past it.
qsizetype writeRecord(QByteArray &image, qsizetype offset, int chapter)
{
    const ChapterRecipe &recipe = kChapterRecipes[static_cast<std::size_t>(chapter - 1)];
    const QByteArray tiles = chapterTiles(chapter);
    int checksum = 0;
    for (const char tile : tiles)
        checksum += static_cast<std::uint8_t>(tile);
    image[offset] = static_cast<char>(recipe.height - 1);
    image[offset + 1] = static_cast<char>(recipe.width - 1);
    // The two bytes the editor skips hold the chapter number and a tile checksum, which
    // makes the records easy to find in a hex dump.
    image[offset + 2] = static_cast<char>(chapter);
    image[offset + 3] = static_cast<char>(checksum & 0xFF);
    std::copy(tiles.begin(), tiles.end(), image.begin() + offset + kRecordHeaderBytes);
    return offset + recordBytes(recipe);
}

} // namespace

QByteArray chapterTiles(int chapter)
{
    const ChapterRecipe &recipe = kChapterRecipes[static_cast<std::size_t>(chapter - 1)];
    SampleRandom random(kChapterSeed + static_cast<std::uint64_t>(chapter));
    const TerrainGrid grid = TerrainPainter(recipe, random).paint();
    return chooseTiles(grid, random);
}

QByteArray buildSampleImage()
{
    QByteArray image(kImageBytes, '\0');
    SampleRandom filler(kFillerSeed);
    std::generate(image.begin(), image.end(),
                  [&filler] { return static_cast<char>(filler.byte()); });
    writeHeader(image);

    qsizetype offset = core::kRunAOffset;
    for (int chapter = 1; chapter <= core::kRunAChapters; ++chapter)
        offset = writeRecord(image, offset, chapter);
    offset = core::kRunBOffset;
    for (int chapter = core::kRunAChapters + 1; chapter <= core::kChapterCount; ++chapter)
        offset = writeRecord(image, offset, chapter);
    return image;
}

} // namespace sample
