#include "ChapterMap.h"
#include "Picture.h"
#include "TileNaming.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <utility>

namespace {

struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

ToolRun runTool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(TARVOS_SAMPLE_EXE), arguments);
    process.waitForFinished(-1);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file under root, by relative path, with its bytes.
std::map<QString, QByteArray> filesUnder(const QString &root)
{
    std::map<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[QDir(root).relativeFilePath(path)] = readAll(path);
    }
    return files;
}

// The tile codes of the 25 maps, read the way the editor reads them.
std::set<std::uint8_t> usedCodes(const QByteArray &rom, const core::ChapterDirectory &chapters)
{
    std::set<std::uint8_t> codes;
    for (const core::ChapterMap &entry : chapters)
        for (std::int32_t n = 1; n <= entry.cellCount(); ++n)
            codes.insert(static_cast<std::uint8_t>(rom[*entry.cellOffset(entry.cellNumbered(n))]));
    return codes;
}

// One generation shared by the read-back tests.
class GeneratedSample : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = std::make_unique<QTemporaryDir>();
        s_run = runTool({s_dir->path()});
        s_rom = readAll(s_dir->filePath(QStringLiteral("sample/sample.nes")));
    }
    static void TearDownTestSuite() { s_dir.reset(); }

    static core::ChapterDirectory chapters()
    {
        const auto read = core::ReadMapDirectory(s_rom);
        EXPECT_TRUE(read.has_value());
        return read.value_or(core::ChapterDirectory{});
    }

    static inline std::unique_ptr<QTemporaryDir> s_dir;
    static inline ToolRun s_run;
    static inline QByteArray s_rom;
};

TEST(SampleTool, WritesByteIdenticalFilesOnEveryRun)
{
    QTemporaryDir first;
    QTemporaryDir second;
    ASSERT_EQ(runTool({first.path()}).exitCode, 0);
    ASSERT_EQ(runTool({second.path()}).exitCode, 0);
    const auto firstFiles = filesUnder(first.path());
    EXPECT_EQ(firstFiles, filesUnder(second.path()));
    EXPECT_GT(firstFiles.size(), 20u);
    EXPECT_EQ(firstFiles.count(QStringLiteral("sample/sample.nes")), 1u);
}

TEST(SampleTool, RefusesWithAMessageWhenItCannotWrite)
{
    QTemporaryDir dir;
    // A plain file where the output folder should be: nothing can be created below it.
    const QString blocker = dir.filePath(QStringLiteral("taken"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    const std::pair<QStringList, QByteArray> cases[] = {
        {{blocker}, "tarvos-sample: cannot create the folder"},
        {{}, "usage: tarvos-sample OUTDIR"},
        {{dir.path(), dir.path()}, "usage: tarvos-sample OUTDIR"},
    };
    for (const auto &[arguments, message] : cases) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const ToolRun run = runTool(arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.startsWith(message)) << run.err.toStdString();
    }
}

TEST_F(GeneratedSample, PrintsOneSummaryLineAndNothingElse)
{
    EXPECT_EQ(s_run.exitCode, 0);
    EXPECT_TRUE(s_run.err.isEmpty());
    EXPECT_EQ(s_run.out.count('\n'), 1);
    EXPECT_TRUE(s_run.out.endsWith('\n'));
    EXPECT_TRUE(s_run.out.contains("262160 bytes, 25 chapters"));
}

TEST_F(GeneratedSample, ImageHasACartridgeHeaderAndSixteenProgramBanks)
{
    ASSERT_EQ(s_rom.size(), 16 + 16 * 16384);
    EXPECT_EQ(s_rom.left(4), QByteArray("NES\x1A"));
    EXPECT_EQ(static_cast<std::uint8_t>(s_rom.at(4)), 16); // program banks
    EXPECT_EQ(static_cast<std::uint8_t>(s_rom.at(5)), 0);  // character banks
    EXPECT_EQ(s_rom.mid(8, 8), QByteArray(8, '\0'));
}

TEST_F(GeneratedSample, DirectoryReadsTheTwentyFiveChapterSizes)
{
    // Width x height of chapters 1..25.
    const std::pair<int, int> sizes[core::kChapterCount] = {
        {16, 14}, {20, 16}, {16, 32}, {24, 18}, {8, 6},   {28, 20}, {1, 12},  {22, 22}, {30, 24},
        {12, 10}, {26, 20}, {32, 24}, {20, 28}, {24, 24}, {8, 8},   {30, 20}, {32, 32}, {18, 26},
        {28, 28}, {10, 6},  {26, 24}, {30, 30}, {48, 36}, {24, 16}, {32, 30},
    };
    const core::ChapterDirectory read = chapters();
    for (std::size_t k = 0; k < read.size(); ++k) {
        SCOPED_TRACE(k + 1);
        EXPECT_EQ(read[k].Width, sizes[k].first);
        EXPECT_EQ(read[k].Height, sizes[k].second);
    }
    EXPECT_EQ(read[0].DataOffset, core::kRunAOffset + 3);
    EXPECT_EQ(read[13].DataOffset, core::kRunBOffset + 3);
}

TEST_F(GeneratedSample, SixteenByThirtyTwoRecordHasItsHeaderBytesAndLength)
{
    const core::ChapterDirectory read = chapters();
    const qsizetype record = read[2].DataOffset - 3;
    EXPECT_EQ(static_cast<std::uint8_t>(s_rom.at(record)), 0x1F);
    EXPECT_EQ(static_cast<std::uint8_t>(s_rom.at(record + 1)), 0x0F);
    EXPECT_EQ(read[3].DataOffset - 3, record + 516);
}

TEST_F(GeneratedSample, RunsStayApartAndInsideTheImage)
{
    const core::ChapterDirectory read = chapters();
    const auto end = [](const core::ChapterMap &entry) {
        return qsizetype{entry.DataOffset} + 1 + entry.cellCount();
    };
    EXPECT_LE(end(read[12]), core::kRunBOffset);
    EXPECT_LE(end(read[24]), s_rom.size());
}

TEST_F(GeneratedSample, EveryTileCodeUsedHasASixteenPixelBitmap)
{
    const std::set<std::uint8_t> codes = usedCodes(s_rom, chapters());
    EXPECT_GE(codes.size(), 20u);
    EXPECT_LE(codes.size(), 30u);
    EXPECT_TRUE(codes.count(200)) << "the editor's starting brush C8";
    EXPECT_GE(std::count_if(codes.begin(), codes.end(), [](int code) { return code < 16; }), 2);

    const QString folder = core::tileFolderIn(s_dir->path());
    for (const std::uint8_t code : codes) {
        const QString name = core::tileFileName(code);
        SCOPED_TRACE(name.toStdString());
        const QString path = QDir(folder).filePath(name);
        const QImage image(path);
        EXPECT_EQ(image.size(), QSize(16, 16));
        const QByteArray bytes = readAll(path);
        ASSERT_GE(bytes.size(), 30);
        EXPECT_EQ(bytes[28], 24) << "bits per pixel";
        EXPECT_FALSE(host::LoadPicture(path)->isEmpty());
        EXPECT_EQ(core::paletteTileCode(name), code);
    }
}

TEST_F(GeneratedSample, TileFolderHoldsOnlyTheCodesTheMapsUse)
{
    std::set<QString> expected;
    for (const std::uint8_t code : usedCodes(s_rom, chapters()))
        expected.insert(core::tileFileName(code));
    const QStringList listed =
        QDir(core::tileFolderIn(s_dir->path())).entryList({QStringLiteral("*.bmp")}, QDir::Files);
    EXPECT_EQ(std::set<QString>(listed.begin(), listed.end()), expected);
    EXPECT_TRUE(expected.count(QStringLiteral("5.bmp")));
    EXPECT_TRUE(expected.count(QStringLiteral("A.bmp")));
    EXPECT_TRUE(expected.count(QStringLiteral("C8.bmp")));
}

} // namespace
