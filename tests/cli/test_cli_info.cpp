#include "CliFixture.h"
#include "SyntheticImage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace cli_testing;

namespace {

class CliInfo : public CliFolder {};

struct UsageCase {
    const char *name;
    QStringList arguments;
    int status;
    friend void PrintTo(const UsageCase &c, std::ostream *out) { *out << c.name; }
};

class CliUsage : public ::testing::TestWithParam<UsageCase> {};

} // namespace

TEST_F(CliInfo, ListsTheChaptersWithTheirTitles)
{
    const QString image =
        writeImage(QStringLiteral("a.nes"), testing_support::standardSyntheticImage());
    const CliRun run = runCli({QStringLiteral("info"), image});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty());
    const QStringList lines = run.out.split(u'\n');
    ASSERT_GE(lines.size(), 29);
    EXPECT_EQ(lines[0], QStringLiteral("image: ") + image);
    EXPECT_EQ(
        lines[1],
        QStringLiteral("size: %1 bytes").arg(testing_support::standardSyntheticImage().size()));
    EXPECT_EQ(lines[2], QStringLiteral("iNES header: no"));
    EXPECT_EQ(lines[4],
              QStringLiteral("      1  0x00802A  0x00802D  16 x 32   yes     １章 旅立ちの朝"));
    // Chapter 2 follows chapter 1's 512 tiles and 4 header bytes.
    EXPECT_EQ(lines[5],
              QStringLiteral("      2  0x00822E  0x008231  1 x 5     yes     ２章 国境の砦"));
    EXPECT_EQ(lines[17],
              QStringLiteral("     14  0x024028  0x02402B  32 x 32   yes     １４章 海を渡る風"));
    EXPECT_EQ(lines[28],
              QStringLiteral("     25  0x024634  0x024637  8 x 6     yes     ２５章 約束の大地"));
}

TEST_F(CliInfo, WritesJson)
{
    QByteArray bytes = testing_support::standardSyntheticImage();
    bytes.replace(0, 4, "NES\x1A");
    const QString image = writeImage(QStringLiteral("a.nes"), bytes);
    const CliRun run = runCli({QStringLiteral("info"), QStringLiteral("--json"), image});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_EQ(root[u"size"].toInteger(), bytes.size());
    EXPECT_TRUE(root[u"ines"].toBool());
    const QJsonArray chapters = root[u"chapters"].toArray();
    ASSERT_EQ(chapters.size(), 25);
    const QJsonObject fourteen = chapters[13].toObject();
    EXPECT_EQ(fourteen[u"chapter"].toInt(), 14);
    EXPECT_EQ(fourteen[u"title"].toString(), u"１４章 海を渡る風");
    EXPECT_EQ(fourteen[u"recordOffset"].toInt(), 147496);
    EXPECT_EQ(fourteen[u"dataOffset"].toInt(), 147499);
    EXPECT_EQ(fourteen[u"width"].toInt(), 32);
    EXPECT_EQ(fourteen[u"height"].toInt(), 32);
    EXPECT_TRUE(fourteen[u"inside"].toBool());
}

TEST_F(CliInfo, TellsWhichRecordsRunPastTheEnd)
{
    QByteArray bytes = testing_support::standardSyntheticImage();
    // Cut chapter 25 (8 x 6 at 0x024634) after its header and ten tiles.
    bytes.truncate(0x024634 + 4 + 10);
    const QString image = writeImage(QStringLiteral("cut.nes"), bytes);
    const CliRun run = runCli({QStringLiteral("info"), QStringLiteral("--json"), image});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonArray chapters =
        QJsonDocument::fromJson(run.out.toUtf8()).object()[u"chapters"].toArray();
    EXPECT_TRUE(chapters[23].toObject()[u"inside"].toBool());
    EXPECT_FALSE(chapters[24].toObject()[u"inside"].toBool());
    EXPECT_EQ(chapters[24].toObject()[u"width"].toInt(), 8);
}

TEST_F(CliInfo, ReportsAnImageTooShortForTheDirectory)
{
    const QByteArray bytes = testing_support::standardSyntheticImage().left(147496 + 1);
    const QString image = writeImage(QStringLiteral("short.nes"), bytes);
    const CliRun run = runCli({QStringLiteral("info"), image});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.startsWith(
        QStringLiteral("image: %1\nsize: 147497 bytes\niNES header: no\n").arg(image)));
    EXPECT_EQ(run.err, QStringLiteral("tarvos-cli: %1: image too short for the chapter directory "
                                      "(147497 bytes; the chapter records run past its end)\n")
                           .arg(image));

    const CliRun json = runCli({QStringLiteral("info"), QStringLiteral("--json"), image});
    EXPECT_EQ(json.status, 1);
    const QJsonObject root = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_TRUE(root[u"chapters"].isNull());
    EXPECT_EQ(root[u"size"].toInt(), 147497);
}

TEST_F(CliInfo, RefusesAMissingFileOrAFolder)
{
    const CliRun missing = runCli({QStringLiteral("info"), path(QStringLiteral("none.nes"))});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(
        missing.err,
        QStringLiteral("tarvos-cli: %1: no such file\n").arg(path(QStringLiteral("none.nes"))));
    const CliRun folder = runCli({QStringLiteral("info"), m_dir.path()});
    EXPECT_EQ(folder.status, 1);
    EXPECT_EQ(folder.err, QStringLiteral("tarvos-cli: %1: not a file\n").arg(m_dir.path()));
}

TEST_P(CliUsage, ExitsWithTheUsageStatus)
{
    const CliRun run = runCli(GetParam().arguments);
    EXPECT_EQ(run.status, GetParam().status) << run.err.toStdString();
    if (GetParam().status == 0) {
        EXPECT_TRUE(run.out.startsWith(QStringLiteral("Usage: tarvos-cli")))
            << run.out.toStdString();
        EXPECT_TRUE(run.err.isEmpty());
    } else {
        EXPECT_FALSE(run.err.isEmpty());
        EXPECT_TRUE(run.out.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliUsage,
    ::testing::Values(
        UsageCase{"NoCommand", {}, 2}, UsageCase{"UnknownCommand", {QStringLiteral("draw")}, 2},
        UsageCase{"ToolHelp", {QStringLiteral("--help")}, 0},
        UsageCase{"InfoHelp", {QStringLiteral("info"), QStringLiteral("--help")}, 0},
        UsageCase{"ExportHelp", {QStringLiteral("export"), QStringLiteral("-h")}, 0},
        UsageCase{"ImportHelp", {QStringLiteral("import"), QStringLiteral("--help")}, 0},
        UsageCase{"DiffHelp", {QStringLiteral("diff"), QStringLiteral("--help")}, 0},
        UsageCase{"PatchHelp", {QStringLiteral("patch"), QStringLiteral("--help")}, 0},
        UsageCase{"InfoWithoutImage", {QStringLiteral("info")}, 2},
        UsageCase{
            "InfoTwoImages", {QStringLiteral("info"), QStringLiteral("a"), QStringLiteral("b")}, 2},
        UsageCase{"UnknownOption",
                  {QStringLiteral("info"), QStringLiteral("--xml"), QStringLiteral("a")},
                  2},
        UsageCase{"ChapterZero",
                  {QStringLiteral("export"), QStringLiteral("a.nes"), QStringLiteral("0"),
                   QStringLiteral("o.csv")},
                  2},
        UsageCase{"ChapterWord",
                  {QStringLiteral("export"), QStringLiteral("a.nes"), QStringLiteral("one"),
                   QStringLiteral("o.csv")},
                  2},
        UsageCase{"Chapter26",
                  {QStringLiteral("import"), QStringLiteral("a.nes"), QStringLiteral("26"),
                   QStringLiteral("o.csv")},
                  2},
        UsageCase{"UnknownExtension",
                  {QStringLiteral("export"), QStringLiteral("a.nes"), QStringLiteral("1"),
                   QStringLiteral("o.bmp")},
                  2},
        UsageCase{"ImportPicture",
                  {QStringLiteral("import"), QStringLiteral("a.nes"), QStringLiteral("1"),
                   QStringLiteral("o.png")},
                  2},
        UsageCase{"AllWithoutFormat",
                  {QStringLiteral("export"), QStringLiteral("--all"), QStringLiteral("a.nes"),
                   QStringLiteral("out")},
                  2},
        UsageCase{"AllUnknownFormat",
                  {QStringLiteral("export"), QStringLiteral("--all"), QStringLiteral("--format"),
                   QStringLiteral("gif"), QStringLiteral("a.nes"), QStringLiteral("out")},
                  2},
        UsageCase{"FormatWithoutAll",
                  {QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("csv"),
                   QStringLiteral("a.nes"), QStringLiteral("1"), QStringLiteral("o.csv")},
                  2},
        UsageCase{"DiffOneImage", {QStringLiteral("diff"), QStringLiteral("a.nes")}, 2},
        UsageCase{"PatchTwoFiles",
                  {QStringLiteral("patch"), QStringLiteral("a.nes"), QStringLiteral("b.nes")},
                  2}),
    [](const auto &test) { return std::string(test.param.name); });
