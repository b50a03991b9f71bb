#include "../support/FaultyFileOperations.h"
#include "CartridgeFile.h"
#include "CliFixture.h"
#include "SyntheticImage.h"

#include <QFileInfo>

using namespace cli_testing;

namespace {

// Chapter 3's tiles in the synthetic image: its record follows chapter 2's (1 x 5 at 0x822E)
// at 0x8237, the tiles 4 bytes on.
constexpr qsizetype kChapter3Tiles = 0x823B;

class CliImport : public CliFolder {
protected:
    void SetUp() override
    {
        m_original = testing_support::standardSyntheticImage();
        m_image = writeImage(QStringLiteral("a.nes"), m_original);
    }

    // Chapter 3 exported, with cells changed by `edit`, written as `name`.
    QString editedExport(const QString &name, const std::function<void(QList<QByteArray> &)> &edit)
    {
        const QString csv = path(QStringLiteral("export.csv"));
        EXPECT_EQ(runCli({QStringLiteral("export"), m_image, QStringLiteral("3"), csv}).status, 0);
        QList<QByteArray> lines = readBytes(csv).trimmed().split('\n');
        edit(lines);
        const QString file = path(name);
        writeBytes(file, lines.join('\n') + '\n');
        return file;
    }

    QByteArray m_original;
    QString m_image;
};

// Row r (from 1) of a CSV line list, with cell c (from 1) set to `code`.
void setCell(QList<QByteArray> &lines, int column, int row, int code)
{
    QList<QByteArray> cells = lines[row - 1].split(',');
    cells[column - 1] = QByteArray::number(code);
    lines[row - 1] = cells.join(',');
}

struct BadFile {
    const char *file;
    QString reason;
    friend void PrintTo(const BadFile &c, std::ostream *out) { *out << c.file; }
};

class CliImportRefusal : public CliImport, public ::testing::WithParamInterface<BadFile> {};

} // namespace

TEST_F(CliImport, WritesOnlyTheChangedTileBytesInPlace)
{
    const QString csv = editedExport(QStringLiteral("edit.csv"), [](QList<QByteArray> &lines) {
        setCell(lines, 1, 1, 200);
        setCell(lines, 8, 6, 0);
        setCell(lines, 4, 3, 255);
    });
    const CliRun run = runCli({QStringLiteral("import"), m_image, QStringLiteral("3"), csv});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("chapter 3: 3 cells changed, written to %1\n").arg(m_image));
    QByteArray expected = m_original;
    expected[kChapter3Tiles] = '\xC8';
    expected[kChapter3Tiles + 47] = '\0';
    expected[kChapter3Tiles + 2 * 8 + 3] = '\xFF';
    EXPECT_EQ(readBytes(m_image), expected);
}

TEST_F(CliImport, WritesANewImageAndLeavesTheOriginal)
{
    const QString csv = editedExport(QStringLiteral("edit.csv"),
                                     [](QList<QByteArray> &lines) { setCell(lines, 2, 1, 7); });
    const QString out = path(QStringLiteral("new.nes"));
    const CliRun run = runCli({QStringLiteral("import"), QStringLiteral("--output"), out, m_image,
                               QStringLiteral("3"), csv});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("chapter 3: 1 cell changed, written to %1\n").arg(out));
    QByteArray expected = m_original;
    expected[kChapter3Tiles + 1] = '\x07';
    EXPECT_EQ(readBytes(out), expected);
    EXPECT_EQ(readBytes(m_image), m_original);
}

TEST_F(CliImport, DryRunCountsAndWritesNothing)
{
    const QString csv = editedExport(QStringLiteral("edit.csv"), [](QList<QByteArray> &lines) {
        setCell(lines, 2, 1, 7);
        setCell(lines, 2, 2, 7);
    });
    const CliRun run = runCli(
        {QStringLiteral("import"), QStringLiteral("--dry-run"), m_image, QStringLiteral("3"), csv});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out,
              QStringLiteral("chapter 3: 2 cells would change (dry run, nothing written)\n"));
    EXPECT_EQ(readBytes(m_image), m_original);
}

TEST_F(CliImport, AnUnchangedMapLeavesTheImageAlone)
{
    const QString csv = editedExport(QStringLiteral("same.csv"), [](QList<QByteArray> &) {});
    const CliRun run = runCli({QStringLiteral("import"), m_image, QStringLiteral("3"), csv});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out,
              QStringLiteral("chapter 3: 0 cells changed, %1 left as it was\n").arg(m_image));
    EXPECT_EQ(readBytes(m_image), m_original);
}

TEST_F(CliImport, TiledMapsComeBackToTheSameBytes)
{
    writeTiles([](std::uint8_t) { return true; });
    for (const QString &extension : {QStringLiteral("tmx"), QStringLiteral("json")}) {
        const QString map = path(QStringLiteral("fourteen.") + extension);
        ASSERT_EQ(runCli({QStringLiteral("export"), QStringLiteral("--tiles"), tiles(), m_image,
                          QStringLiteral("14"), map})
                      .status,
                  0);
        const QString out = path(QStringLiteral("back.nes"));
        const CliRun run = runCli({QStringLiteral("import"), QStringLiteral("--output"), out,
                                   m_image, QStringLiteral("14"), map});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(run.out, QStringLiteral("chapter 14: 0 cells changed, written to %1\n").arg(out));
        EXPECT_EQ(readBytes(out), m_original) << extension.toStdString();
    }
}

TEST_F(CliImport, RefusesAMapOfAnotherSize)
{
    const QString csv = path(QStringLiteral("three.csv"));
    ASSERT_EQ(runCli({QStringLiteral("export"), m_image, QStringLiteral("3"), csv}).status, 0);
    const CliRun run = runCli({QStringLiteral("import"), m_image, QStringLiteral("1"), csv});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(
        run.err,
        QStringLiteral("tarvos-cli: %1: the map is 8 x 6 cells, chapter 1 is 16 x 32\n").arg(csv));
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(readBytes(m_image), m_original);
}

TEST_P(CliImportRefusal, ChangesNothing)
{
    const QString file =
        QStringLiteral(TARVOS_CLI_BAD_DATA "/") + QLatin1StringView(GetParam().file);
    ASSERT_TRUE(QFile::exists(file));
    const QString out = path(QStringLiteral("new.nes"));
    for (const QStringList &options :
         {QStringList{}, QStringList{QStringLiteral("--output"), out}}) {
        const CliRun run = runCli(QStringList{QStringLiteral("import")} + options +
                                  QStringList{m_image, QStringLiteral("3"), file});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, QStringLiteral("tarvos-cli: %1: %2\n").arg(file, GetParam().reason));
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(readBytes(m_image), m_original);
        EXPECT_FALSE(QFile::exists(out));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliImportRefusal,
    ::testing::Values(
        BadFile{"ragged.csv", QStringLiteral("line 6 has 7 cells, line 1 has 8")},
        BadFile{"empty_cell.csv", QStringLiteral("line 5, cell 3: empty cell")},
        BadFile{"not_a_byte.csv",
                QStringLiteral("line 6, cell 8: tile id 300 is not a byte (0..255)")},
        BadFile{"wrong_size.csv", QStringLiteral("the map is 8 x 2 cells, chapter 3 is 8 x 6")},
        BadFile{"flipped.tmx", QStringLiteral("column 1, row 2: flipped or rotated tile")},
        BadFile{"truncated.tmx", QStringLiteral("line 4: Premature end of document.")},
        BadFile{
            "zstd.tmx",
            QStringLiteral(
                "line 7: layer compression \"zstd\" is not supported (use none, zlib or gzip)")},
        BadFile{"infinite.json",
                QStringLiteral("infinite maps are not supported; save the map as finite")}),
    [](const auto &test) {
        std::string name = test.param.file;
        for (char &ch : name)
            if (ch == '.' || ch == '_')
                ch = 'X';
        return name;
    });

TEST_F(CliImport, RefusesAMissingMapFile)
{
    const QString csv = path(QStringLiteral("none.csv"));
    const CliRun run = runCli({QStringLiteral("import"), m_image, QStringLiteral("3"), csv});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, QStringLiteral("tarvos-cli: %1: no such file\n").arg(csv));
    EXPECT_EQ(readBytes(m_image), m_original);
}

TEST_F(CliImport, WritesThroughALinkToTheFileItNames)
{
    const QString link = path(QStringLiteral("link.nes"));
    ASSERT_TRUE(QFile::link(m_image, link));
    const QString csv = editedExport(QStringLiteral("edit.csv"),
                                     [](QList<QByteArray> &lines) { setCell(lines, 2, 1, 7); });
    const CliRun run = runCli({QStringLiteral("import"), link, QStringLiteral("3"), csv});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QByteArray expected = m_original;
    expected[kChapter3Tiles + 1] = '\x07';
    EXPECT_EQ(readBytes(m_image), expected);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
}

TEST_F(CliImport, SaysWhyAnImageCannotBeReadOrWrittenInOneEnglishLine)
{
    const QString csv = editedExport(QStringLiteral("edit.csv"),
                                     [](QList<QByteArray> &lines) { setCell(lines, 2, 1, 7); });
    {
        testing_support::FaultyFileOperations full(fileio::diskFileOperations(),
                                                   testing_support::Fault::DiskFull, false);
        const CliRun run =
            runCli({QStringLiteral("import"), m_image, QStringLiteral("3"), csv}, full);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, QStringLiteral("tarvos-cli: %1: cannot write: No space left on device "
                                          "(the file is unchanged)\n")
                               .arg(m_image));
        EXPECT_EQ(readBytes(m_image), m_original);
    }
    const QString huge = path(QStringLiteral("huge.nes"));
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(core::kMaxImageBytes + 1));
    }
    const CliRun run = runCli({QStringLiteral("import"), huge, QStringLiteral("3"), csv});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              QStringLiteral("tarvos-cli: %1: cannot read: larger than 64 MiB, not a cartridge "
                             "image\n")
                  .arg(huge));
}
