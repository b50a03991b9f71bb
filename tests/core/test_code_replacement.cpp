// Replacing tile codes by rule lists, the one function the window's Ctrl+H and tarvos-cli
// replace share: the bytes a rule list gives, and the rule lists refused.

#include "../support/SyntheticImage.h"
#include "CodeReplacement.h"
#include "CodeRules.h"
#include "MapPlace.h"
#include "TileUses.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using testing_support::syntheticImage;

// Chapter index k's cell i (from 0) holds (k + 1 + i) & 0xFF.
QByteArray smallImage()
{
    return testing_support::standardSyntheticImage();
}

// The last 10 cells of chapter 25 lie beyond the end of the image.
QByteArray cutImage()
{
    QByteArray rom = smallImage();
    rom.chop(300 + 10);
    return rom;
}

// Chapter 2 is 256 x 256: its cells run over every record of chapters 14..25, whose bytes
// are theirs and chapter 2's at once.
QByteArray overlappingImage()
{
    std::array<std::pair<int, int>, core::kChapterCount> sizes{};
    sizes.fill({8, 6});
    sizes[0] = {256, 256};
    sizes[1] = {256, 256};
    return syntheticImage(sizes);
}

qsizetype byteOf(const QByteArray &rom, int index, int column, int row)
{
    const core::Cartridge image(rom);
    return *image.cellByte(image.Chapters()[static_cast<std::size_t>(index)],
                           core::Cell{column, row});
}

struct Case {
    const char *name;
    QByteArray (*image)();
    const char *rules;
    std::vector<int> chapters; // empty: all
    std::optional<QRect> cells;
    std::map<int, int> counts; // chapter index -> cells that change
    int bytes;                 // bytes that change
    // (chapter index, column, row) -> the code the cell holds after
    std::vector<std::pair<std::tuple<int, int, int>, int>> after;
};

class Replacement : public ::testing::TestWithParam<Case> {};

TEST_P(Replacement, GivesTheBytesOfTheRulesAppliedOnceToTheCodesAsTheyWere)
{
    const Case &c = GetParam();
    const QByteArray before = c.image();
    auto parsed = core::CodeRules::parse(QString::fromUtf8(c.rules));
    ASSERT_TRUE(std::holds_alternative<core::CodeRules>(parsed));
    core::ReplaceScope scope =
        c.chapters.empty() ? core::ReplaceScope::allChapters() : core::ReplaceScope{c.chapters, {}};
    scope.cells = c.cells;
    core::Cartridge image(before);
    const core::CodeReplacement replacement =
        core::replaceCodes(image, std::get<core::CodeRules>(parsed), scope);
    core::applyReplacement(image, replacement);
    const QByteArray &bytes = image.RomData();

    for (int k = 0; k < core::kChapterCount; ++k)
        EXPECT_EQ(replacement.counts[static_cast<std::size_t>(k)],
                  c.counts.contains(k) ? c.counts.at(k) : 0)
            << "chapter index " << k;
    EXPECT_EQ(replacement.changedBytes(), c.bytes);
    ASSERT_EQ(bytes.size(), before.size());
    int changed = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == before[i])
            continue;
        ++changed;
        EXPECT_TRUE(core::mapPlaceOfByte(image.Chapters(), i)) << "byte " << i << " is no cell";
    }
    EXPECT_EQ(changed, c.bytes);
    for (const auto &[place, code] : c.after) {
        const auto [k, column, row] = place;
        EXPECT_EQ(quint8(bytes[byteOf(before, k, column, row)]), code)
            << "chapter index " << k << " cell " << column << "," << row;
    }
}

// Chapter index 0 (16 x 32) holds every code twice; index 1 (1 x 5) codes 02..06; the others
// (8 x 6) codes k+1 .. k+48.
INSTANTIATE_TEST_SUITE_P(
    RuleLists, Replacement,
    ::testing::Values(
        Case{"Swap",
             smallImage,
             "02 03\n03 02",
             {1},
             {},
             {{1, 2}},
             2,
             {{{1, 1, 1}, 3}, {{1, 1, 2}, 2}}},
        Case{"NeverChains",
             smallImage,
             "02 03\n03 04",
             {1},
             {},
             {{1, 2}},
             2,
             {{{1, 1, 1}, 3}, {{1, 1, 2}, 4}, {{1, 1, 3}, 4}}},
        Case{"NoOp", smallImage, "05 05 # stays\n\n", {}, {}, {}, 0, {{{1, 1, 4}, 5}}},
        Case{"AllChapters",
             smallImage,
             "0x1A 0xff",
             {},
             {},
             {{0, 2},  {1, 0},  {2, 1},  {3, 1},  {4, 1},  {5, 1},  {6, 1},  {7, 1},  {8, 1},
              {9, 1},  {10, 1}, {11, 1}, {12, 1}, {13, 4}, {14, 1}, {15, 1}, {16, 1}, {17, 1},
              {18, 1}, {19, 1}, {20, 1}, {21, 1}, {22, 1}, {23, 1}, {24, 1}},
             28,
             {{{2, 8, 3}, 0xFF}, {{24, 2, 1}, 0xFF}}},
        Case{"ChaptersChosen",
             smallImage,
             "1A FF",
             {2, 24},
             {},
             {{2, 1}, {24, 1}},
             2,
             {{{2, 8, 3}, 0xFF}, {{3, 7, 3}, 0x1A}}},
        Case{"Rectangle",
             smallImage,
             "03 30\n13 31",
             {0},
             QRect(1, 1, 3, 2),
             {{0, 2}},
             2,
             {{{0, 3, 1}, 0x30}, {{0, 3, 2}, 0x31}, {{0, 3, 17}, 0x03}}},
        Case{"CellsBeyondTheImageLeft",
             cutImage,
             "19 00\n46 00",
             {24},
             {},
             {{24, 1}},
             1,
             {{{24, 1, 1}, 0x00}}},
        Case{"OverlappingRecordsEachByteOnce",
             overlappingImage,
             "0E 0F\n0F 0E",
             {1, 13},
             {},
             // Chapter 14's (1, 1) and (2, 1) are chapter 2's too: counted in both, changed
             // once (a swap applied twice would give them back).
             {{1, 509}, {13, 2}},
             509,
             {{{13, 1, 1}, 0x0F}, {{13, 2, 1}, 0x0E}}}),
    [](const auto &param) { return std::string(param.param.name); });

struct Fault {
    const char *name;
    const char *text;
    int line;
    const char *says;
};

class RuleListFault : public ::testing::TestWithParam<Fault> {};

TEST_P(RuleListFault, IsRefusedWithItsLine)
{
    const Fault &c = GetParam();
    const auto parsed = core::CodeRules::parse(QString::fromUtf8(c.text));
    const auto *fault = std::get_if<core::CodeRules::Fault>(&parsed);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->line, c.line);
    EXPECT_TRUE(fault->message.contains(QString::fromUtf8(c.says))) << fault->message.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Lists, RuleListFault,
    ::testing::Values(Fault{"OldTwice", "# tiles\n0A 0B\n\n0a 0C\n", 4, "line 2"},
                      Fault{"OneCode", "0A 0B\r\n0C\r\n", 2, "two codes"},
                      Fault{"ThreeCodes", "0A 0B 0C", 1, "two codes"},
                      Fault{"ThreeDigits", "0A 100", 1, "'100'"},
                      Fault{"NotHex", "0G 01", 1, "'0G'"}, Fault{"Signed", "+1 02", 1, "'+1'"},
                      Fault{"BarePrefix", "0x 02", 1, "'0x'"}),
    [](const auto &param) { return std::string(param.param.name); });

// The counts kept cell by cell agree with counting anew, through an edit and its undo, in
// chapters whose records overlap.
TEST(TileUses, FollowEditsAndUndoCellByCell)
{
    core::Cartridge image(overlappingImage());
    core::TileUses kept;
    kept.count(image);
    core::CodeRules rules;
    rules.add(0x0E, 0x40);
    const core::CodeReplacement replacement =
        core::replaceCodes(image, rules, core::ReplaceScope::allChapters());
    std::vector<core::ChangedCell> cells;
    for (const auto &chapter : replacement.chapters)
        cells.insert(cells.end(), chapter.cells.begin(), chapter.cells.end());
    for (const bool undo : {false, true}) {
        for (const core::ChangedCell &cell : cells)
            image.setCellByte(cell.byte, undo ? cell.before : cell.after);
        kept.recount(image, cells);
        core::TileUses fresh;
        fresh.count(image);
        for (int k = 0; k < core::kChapterCount; ++k)
            EXPECT_EQ(kept.counts(k), fresh.counts(k)) << "chapter index " << k << " undo " << undo;
    }
    EXPECT_EQ(kept.count(13, 0x0E), 1);
}

} // namespace
