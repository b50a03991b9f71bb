#include "ImageMerge.h"
#include "MapPlace.h"

#include <gtest/gtest.h>

using core::ImageMerge;

namespace {

struct MergeCase {
    const char *name;
    const char *base;
    const char *mine;
    const char *theirs;
    std::vector<qsizetype> conflicts;
    const char *keepingMine;
    const char *usingFile;
};

void PrintTo(const MergeCase &c, std::ostream *out)
{
    *out << c.name;
}

const MergeCase kMerges[] = {
    {"NobodyChanged", "abcd", "abcd", "abcd", {}, "abcd", "abcd"},
    {"OnlyMine", "abcd", "aXcd", "abcd", {}, "aXcd", "aXcd"},
    {"OnlyTheirs", "abcd", "abcd", "abYd", {}, "abYd", "abYd"},
    {"DifferentBytes", "abcd", "Xbcd", "abcY", {}, "XbcY", "XbcY"},
    {"SameByteSameValue", "abcd", "aXcd", "aXcd", {}, "aXcd", "aXcd"},
    {"SameByteDifferentValues", "abcd", "aXcZ", "aYcd", {1}, "aXcZ", "aYcZ"},
    {"MineSetBackWhileTheyChanged", "abcd", "abcd", "Ybcd", {}, "Ybcd", "Ybcd"},
    {"SeveralConflicts", "abcd", "XXXd", "YbYY", {0, 2}, "XXXY", "YXYY"},
};

class ImageMergeTest : public ::testing::TestWithParam<MergeCase> {};

} // namespace

TEST_P(ImageMergeTest, PutsMyChangesOnTheFileAndFindsConflicts)
{
    const MergeCase &c = GetParam();
    const auto merge = ImageMerge::of(c.base, c.mine, c.theirs);
    ASSERT_TRUE(merge);
    EXPECT_EQ(merge->conflicts(), c.conflicts);
    EXPECT_EQ(merge->result(true), QByteArray(c.keepingMine));
    EXPECT_EQ(merge->result(false), QByteArray(c.usingFile));
}

INSTANTIATE_TEST_SUITE_P(Cases, ImageMergeTest, ::testing::ValuesIn(kMerges),
                         [](const auto &param) { return std::string(param.param.name); });

TEST(ImageMerge, RefusesImagesOfDifferentLengths)
{
    EXPECT_FALSE(ImageMerge::of("abcd", "abcd", "abcde"));
    EXPECT_FALSE(ImageMerge::of("abc", "abcd", "abcd"));
    EXPECT_FALSE(ImageMerge::of("abcd", "", "abcd"));
}

TEST(ImageMerge, CountsDifferingBytes)
{
    EXPECT_EQ(core::differingBytes("abcd", "abcd"), 0);
    EXPECT_EQ(core::differingBytes("abcd", "aXcY"), 2);
    EXPECT_EQ(core::differingBytes("abcd", "abcdef"), 2);
    EXPECT_EQ(core::differingBytes("", "ab"), 2);
}

TEST(MapPlace, NamesTheCellOfAByteOrNothingOutsideTheMaps)
{
    core::ChapterDirectory chapters{};
    chapters[0] = {100, 16, 32};
    chapters[13] = {1000, 3, 2};
    struct Case {
        qsizetype offset;
        std::optional<core::MapPlace> place;
    };
    const Case cases[] = {
        {100, std::nullopt},                      // the record's last header byte
        {101, core::MapPlace{1, {1, 1}}},         // the first cell
        {116, core::MapPlace{1, {16, 1}}},        // the end of the first row
        {117, core::MapPlace{1, {1, 2}}},         //
        {100 + 512, core::MapPlace{1, {16, 32}}}, // the last cell
        {100 + 513, std::nullopt},                // just beyond
        {1005, core::MapPlace{14, {2, 2}}},       // chapter 14
        {0, std::nullopt},                        // chapters without a map are skipped
        {-1, std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(core::mapPlaceOfByte(chapters, c.offset), c.place) << c.offset;
}
