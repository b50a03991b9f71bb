#include "BpsBuilder.h"
#include "BpsNumber.h"
#include "BpsPatch.h"
#include "PatchApplication.h"
#include "SyntheticImage.h"
#include "TextPrinting.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

using namespace patches;
using namespace cli_testing;

namespace {

struct NumberCase {
    const char *name;
    quint64 value;
    QByteArray bytes;
    friend void PrintTo(const NumberCase &c, std::ostream *out) { *out << c.name; }
};

class BpsNumberEdge : public ::testing::TestWithParam<NumberCase> {};

struct ActionCase {
    const char *name;
    QByteArray source;
    std::function<void(BpsBuilder &)> actions;
    QByteArray target;
    friend void PrintTo(const ActionCase &c, std::ostream *out) { *out << c.name; }
};

class BpsActionKinds : public ::testing::TestWithParam<ActionCase> {};

struct WriterCase {
    const char *name;
    std::function<QByteArray(QByteArray)> edit; // the target, from the synthetic image
    qsizetype maxPatchBytes;
    friend void PrintTo(const WriterCase &c, std::ostream *out) { *out << c.name; }
};

class BpsRoundTrip : public ::testing::TestWithParam<WriterCase> {};

QByteArray applied(const QByteArray &patch, const QByteArray &image)
{
    auto result = applyPatch(patch, image);
    if (const auto *refusal = std::get_if<PatchRefusal>(&result)) {
        ADD_FAILURE() << refusal->reason.toStdString();
        return {};
    }
    return std::get<QByteArray>(std::move(result));
}

} // namespace

TEST_P(BpsNumberEdge, EncodesAndDecodesItsOneSpelling)
{
    QByteArray written;
    appendBpsNumber(written, GetParam().value);
    EXPECT_EQ(written, GetParam().bytes);
    EXPECT_EQ(bpsNumberSize(GetParam().value), GetParam().bytes.size());
    qsizetype at = 0;
    const auto read = readBpsNumber(GetParam().bytes, at, GetParam().bytes.size());
    ASSERT_TRUE(std::holds_alternative<quint64>(read));
    EXPECT_EQ(std::get<quint64>(read), GetParam().value);
    EXPECT_EQ(at, GetParam().bytes.size());
}

INSTANTIATE_TEST_SUITE_P(
    Bps, BpsNumberEdge,
    ::testing::Values(NumberCase{"Zero", 0, QByteArray("\x80")},
                      NumberCase{"OneByteMost", 127, QByteArray("\xFF")},
                      NumberCase{"TwoBytesLeast", 128, QByteArray("\x00\x80", 2)},
                      NumberCase{"TwoBytesMost", 16511, QByteArray("\x7F\xFF")},
                      NumberCase{"ThreeBytesLeast", 16512, QByteArray("\x00\x00\x80", 3)},
                      NumberCase{"TwoToThe32", quint64{1} << 32,
                                 QByteArray("\x00\x7F\x7E\x7E\x8E", 5)},
                      NumberCase{"Largest", std::numeric_limits<quint64>::max(),
                                 QByteArray("\x7F\x7E\x7E\x7E\x7E\x7E\x7E\x7E\x7E\x80")}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(BpsNumber, RefusesWhatDoesNotFitOrEndsEarly)
{
    struct Bad {
        QByteArray bytes;
        BpsNumberFault fault;
    };
    for (const Bad &bad : {Bad{QByteArray("\x00\x7F\x7E\x7E\x7E\x7E\x7E\x7E\x7E\x80", 10),
                               BpsNumberFault::TooLarge}, // 2^64
                           Bad{QByteArray(11, '\x00') + '\x80', BpsNumberFault::TooLarge},
                           Bad{QByteArray(10, '\x7F') + '\xFF', BpsNumberFault::TooLarge},
                           Bad{QByteArray("\x00\x7F", 2), BpsNumberFault::Truncated},
                           Bad{QByteArray(), BpsNumberFault::Truncated}}) {
        qsizetype at = 0;
        const auto read = readBpsNumber(bad.bytes, at, bad.bytes.size());
        ASSERT_TRUE(std::holds_alternative<BpsNumberFault>(read)) << bad.bytes.toHex().data();
        EXPECT_EQ(std::get<BpsNumberFault>(read), bad.fault) << bad.bytes.toHex().data();
    }
}

TEST_P(BpsActionKinds, BuildTheTarget)
{
    BpsBuilder builder(quint64(GetParam().source.size()), quint64(GetParam().target.size()));
    GetParam().actions(builder);
    EXPECT_EQ(applied(builder.finish(GetParam().source, GetParam().target), GetParam().source),
              GetParam().target);
}

INSTANTIATE_TEST_SUITE_P(
    Bps, BpsActionKinds,
    ::testing::Values(
        ActionCase{"SourceAndTargetRead", "abcdefgh",
                   [](BpsBuilder &b) {
                       b.action(BpsBuilder::SourceRead, 4).targetRead("XY");
                       b.action(BpsBuilder::SourceRead, 2);
                   },
                   "abcdXYgh"},
        ActionCase{"SourceCopyBothWays", "abcdefgh",
                   [](BpsBuilder &b) {
                       b.copy(BpsBuilder::SourceCopy, 4, 4).copy(BpsBuilder::SourceCopy, 3, -7);
                   },
                   "efghbcd"},
        ActionCase{"TargetCopyBehind", "",
                   [](BpsBuilder &b) {
                       b.targetRead("abcd").copy(BpsBuilder::TargetCopy, 2, 2);
                       b.copy(BpsBuilder::TargetCopy, 1, -3);
                   },
                   "abcdcdb"},
        ActionCase{"TargetCopyOverlapRepeatsAByte", "",
                   [](BpsBuilder &b) { b.targetRead("q").copy(BpsBuilder::TargetCopy, 9, 0); },
                   "qqqqqqqqqq"},
        ActionCase{"TargetCopyOverlapRepeatsAPattern", "",
                   [](BpsBuilder &b) { b.targetRead("ab").copy(BpsBuilder::TargetCopy, 7, 0); },
                   "ababababa"},
        ActionCase{"AllFourKinds", "0123456789",
                   [](BpsBuilder &b) {
                       b.action(BpsBuilder::SourceRead, 2).targetRead("xy");
                       b.copy(BpsBuilder::SourceCopy, 3, 7).copy(BpsBuilder::TargetCopy, 4, 2);
                   },
                   "01xy789xy78"}),
    [](const auto &test) { return std::string(test.param.name); });

TEST_P(BpsRoundTrip, PatchTurnsTheSourceIntoTheTarget)
{
    const QByteArray source = testing_support::standardSyntheticImage();
    const QByteArray target = GetParam().edit(source);
    const BpsPatch patch = makeBpsPatch(source, target);
    EXPECT_EQ(applied(patch.bytes, source), target);
    EXPECT_LE(patch.bytes.size(), GetParam().maxPatchBytes);
}

// Chapter 1's tiles start at 0x802E, chapter 14's at 0x2402C.
INSTANTIATE_TEST_SUITE_P(
    Bps, BpsRoundTrip,
    ::testing::Values(
        WriterCase{"Identical", [](QByteArray image) { return image; }, 4 + 6 + 4 + 12},
        WriterCase{"OneCell",
                   [](QByteArray image) {
                       image[0x802E + 40] = '\xC8';
                       return image;
                   },
                   40},
        WriterCase{"SeveralChapters",
                   [](QByteArray image) {
                       image[0x802E] = 'a';
                       image[0x802E + 2] = 'b'; // joined with the change before it
                       image.replace(0x2402C, 1024, QByteArray(1024, '\x11'));
                       return image;
                   },
                   60},
        WriterCase{"Longer",
                   [](QByteArray image) { return image + QByteArray(5000, '\x42') + "end"; }, 50},
        WriterCase{"Shorter",
                   [](QByteArray image) {
                       image[3] = 'z';
                       return image.left(image.size() - 5000);
                   },
                   40},
        WriterCase{"FromNothing", [](const QByteArray &) { return QByteArray("new image"); }, 40},
        WriterCase{"ToNothing", [](const QByteArray &) { return QByteArray(); }, 30}),
    [](const auto &test) { return std::string(test.param.name); });
