#include "IpsApply.h"
#include "IpsPatch.h"

#include <gtest/gtest.h>

#include <vector>

using namespace patches;
using namespace cli_testing;

namespace {

IpsPatch made(const QByteArray &original, const QByteArray &edited)
{
    auto result = makeIpsPatch(original, edited);
    if (const auto *reason = std::get_if<QString>(&result))
        ADD_FAILURE() << reason->toStdString();
    return std::get<IpsPatch>(result);
}

struct Edit {
    qsizetype offset;
    QByteArray bytes;
};

struct PatchCase {
    const char *name;
    qsizetype length;
    std::vector<Edit> edits;
    int records;    // how many records the patch holds
    int rleRecords; // of which RLE
    friend void PrintTo(const PatchCase &c, std::ostream *out) { *out << c.name; }
};

class IpsRoundTrip : public ::testing::TestWithParam<PatchCase> {};

} // namespace

TEST(IpsPatch, EqualImagesGiveAnEmptyPatch)
{
    const IpsPatch patch = made(QByteArray(1000, 'a'), QByteArray(1000, 'a'));
    EXPECT_EQ(patch.bytes, QByteArray("PATCHEOF"));
    EXPECT_EQ(patch.records, 0);
    EXPECT_EQ(patch.changedBytes, 0);
}

TEST(IpsPatch, OneChangedByteIsOnePlainRecord)
{
    QByteArray edited(0x30000, '\0');
    const QByteArray original = edited;
    edited[0x12345] = '\x7F';
    EXPECT_EQ(made(original, edited).bytes, QByteArray("PATCH\x01\x23\x45\x00\x01\x7F"
                                                       "EOF",
                                                       14));
}

TEST(IpsPatch, ALongRunOfOneByteIsAnRleRecord)
{
    QByteArray edited(100, '\0');
    const QByteArray original = edited;
    edited.replace(10, 20, QByteArray(20, '\x42'));
    EXPECT_EQ(made(original, edited).bytes, QByteArray("PATCH\x00\x00\x0A\x00\x00\x00\x14\x42"
                                                       "EOF",
                                                       16));
}

TEST_P(IpsRoundTrip, PatchTurnsTheOriginalIntoTheEdited)
{
    QByteArray original(GetParam().length, '\0');
    for (qsizetype i = 0; i < original.size(); ++i)
        original[i] = static_cast<char>(i * 13 % 251);
    QByteArray edited = original;
    qsizetype changed = 0;
    for (const Edit &edit : GetParam().edits) {
        for (qsizetype i = 0; i < edit.bytes.size(); ++i)
            changed += edited[edit.offset + i] != edit.bytes[i];
        edited.replace(edit.offset, edit.bytes.size(), edit.bytes);
    }
    const IpsPatch patch = made(original, edited);
    std::vector<Record> records;
    const auto applied = applyIps(patch.bytes, original, records);
    ASSERT_TRUE(applied) << "malformed patch";
    EXPECT_EQ(*applied, edited);
    EXPECT_EQ(patch.changedBytes, changed);
    EXPECT_EQ(patch.records, static_cast<int>(records.size()));
    EXPECT_EQ(static_cast<int>(records.size()), GetParam().records);
    int rle = 0;
    for (const Record &record : records) {
        EXPECT_NE(record.offset, kIpsEofOffset) << "a record starts at \"EOF\"";
        EXPECT_LE(record.size, 0xFFFF);
        rle += record.rle;
    }
    EXPECT_EQ(rle, GetParam().rleRecords);
}

INSTANTIATE_TEST_SUITE_P(
    IpsPatch, IpsRoundTrip,
    ::testing::Values(
        PatchCase{"Scattered", 5000, {{3, "x"}, {100, "yy"}, {4999, "z"}}, 3, 0},
        // Changes four equal bytes apart share a record; five apart do not.
        PatchCase{"NearChangesJoin", 5000, {{100, "a"}, {105, "b"}}, 1, 0},
        PatchCase{"FarChangesSplit", 5000, {{100, "a"}, {106, "b"}}, 2, 0},
        PatchCase{"FirstByte", 100, {{0, "q"}}, 1, 0},
        PatchCase{"LastByte", 100, {{99, "q"}}, 1, 0},
        // A run of 13 in the middle stays inline; 14 pays for an RLE record and a header.
        PatchCase{"ShortRunInline", 5000, {{10, "abc" + QByteArray(13, 'r') + "def"}}, 1, 0},
        PatchCase{"LongRunSplit", 5000, {{10, "abc" + QByteArray(14, 'r') + "def"}}, 3, 1},
        PatchCase{"RunAtStart", 5000, {{10, QByteArray(9, 'r') + "def"}}, 2, 1},
        PatchCase{"RecordsOver64KiB",
                  200000,
                  {{1000, QByteArray(70000, 'r')},
                   {80000,
                    [] {
                        QByteArray b(70000, '\0');
                        for (qsizetype i = 0; i < b.size(); ++i)
                            b[i] = static_cast<char>(i % 7 + 1);
                        return b;
                    }()}},
                  4,
                  2},
        // The offset 0x454F46 reads as "EOF": the records there start one byte earlier.
        PatchCase{"ChangeAtEofOffset", 0x460000, {{kIpsEofOffset, "Z"}}, 1, 0},
        PatchCase{"RunAtEofOffset", 0x460000, {{kIpsEofOffset, QByteArray(40, 'Z')}}, 2, 1},
        PatchCase{"RecordEndsBeforeEofOffset",
                  0x460000,
                  {{kIpsEofOffset - 0xFFFF,
                    [] {
                        QByteArray b(0xFFFF + 3, '\0');
                        for (qsizetype i = 0; i < b.size(); ++i)
                            b[i] = static_cast<char>(i % 5 + 1);
                        return b;
                    }()}},
                  2,
                  0},
        PatchCase{"LastOffset", 16 * 1024 * 1024, {{16 * 1024 * 1024 - 1, "e"}}, 1, 0}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(IpsPatch, RefusesImagesOfDifferentLengths)
{
    const auto result = makeIpsPatch(QByteArray(10, 'a'), QByteArray(11, 'a'));
    ASSERT_TRUE(std::holds_alternative<QString>(result));
    EXPECT_EQ(std::get<QString>(result),
              QStringLiteral("the images differ in length (10 and 11 bytes); an IPS patch here "
                             "keeps the length"));
}

TEST(IpsPatch, RefusesImagesOver16MiB)
{
    const QByteArray large(16 * 1024 * 1024 + 1, '\0');
    const auto result = makeIpsPatch(large, large);
    ASSERT_TRUE(std::holds_alternative<QString>(result));
    EXPECT_EQ(std::get<QString>(result),
              QStringLiteral("the image is larger than 16 MiB, beyond an IPS patch's offsets"));
}
