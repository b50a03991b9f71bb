#include "CliFixture.h"
#include "SyntheticImage.h"
#include "TiledTestData.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace cli_testing;

// Our exports checked against the Tiled map editor's own programs: its rasterizer must draw
// our maps exactly as we do, and what Tiled writes must import back. The peer runs headless
// and under a time limit.
namespace {

constexpr int kPeerMilliseconds = 60000;

struct PeerRun {
    int status = -1;
    QString err;
};

class TiledPeer : public CliFolder {
protected:
    void SetUp() override
    {
        m_tiled = QStandardPaths::findExecutable(QStringLiteral("tiled"));
        m_rasterizer = QStandardPaths::findExecutable(QStringLiteral("tmxrasterizer"));
        if (m_tiled.isEmpty() || m_rasterizer.isEmpty())
            GTEST_SKIP() << "the Tiled map editor (Debian package tiled: tiled, tmxrasterizer) is "
                            "not installed; tools/setup.sh installs it";
        m_original = testing_support::standardSyntheticImage();
        m_image = writeImage(QStringLiteral("a.nes"), m_original);
        writeTiles([](std::uint8_t) { return true; });
        QDir(m_dir.path()).mkpath(QStringLiteral("runtime"));
        QFile::setPermissions(path(QStringLiteral("runtime")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    PeerRun runPeer(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), path(QStringLiteral("runtime")));
        environment.insert(QStringLiteral("HOME"), m_dir.path());
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        if (!process.waitForFinished(kPeerMilliseconds)) {
            process.kill();
            process.waitForFinished();
            ADD_FAILURE() << program.toStdString() << " did not finish within "
                          << kPeerMilliseconds / 1000 << " s";
            return {};
        }
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardError())};
    }

    // Tiled opens `source` and writes it as `format` to `target`, without complaint.
    void tiledExport(const QString &format, const QString &source, const QString &target)
    {
        const PeerRun run =
            runPeer(m_tiled, {QStringLiteral("--export-map"), format, source, target});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    }

    void exportChapter(int chapter, const QString &out)
    {
        const CliRun run = runCli({QStringLiteral("export"), QStringLiteral("--tiles"), tiles(),
                                   m_image, QString::number(chapter), out});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        ASSERT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    }

    // Imports `map` into `chapter` of a copy of the image and returns the copy's bytes.
    QByteArray imported(int chapter, const QString &map, QString *report = nullptr)
    {
        const QString out = path(QStringLiteral("imported.nes"));
        QFile::remove(out);
        const CliRun run = runCli({QStringLiteral("import"), QStringLiteral("--output"), out,
                                   m_image, QString::number(chapter), map});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        if (report)
            *report = run.out;
        return readBytes(out);
    }

    QString m_tiled;
    QString m_rasterizer;
    QByteArray m_original;
    QString m_image;
};

class TiledRasterizer : public TiledPeer, public ::testing::WithParamInterface<int> {};

struct Rewrite {
    const char *name;
    const char *layerData; // "csv", "base64", "zlib" or "gzip" in the map Tiled reads
    const char *format;    // what Tiled writes: "tmx" or "json"
    const char *marker;    // how the layer data looks in what Tiled writes
    friend void PrintTo(const Rewrite &c, std::ostream *out) { *out << c.name; }
};

class TiledWrites : public TiledPeer, public ::testing::WithParamInterface<Rewrite> {};

// Our TMX export with its CSV layer data re-encoded as Tiled's base64 forms.
QByteArray reencoded(const QByteArray &tmx, const QString &layerData)
{
    if (layerData == u"csv")
        return tmx;
    const QRegularExpression csvData(QStringLiteral("<data encoding=\"csv\">([^<]*)</data>"));
    const QString text = QString::fromUtf8(tmx);
    const QRegularExpressionMatch match = csvData.match(text);
    std::vector<std::uint32_t> gids;
    for (const QString &field : match.captured(1).split(u','))
        gids.push_back(field.trimmed().toUInt());
    QByteArray bytes = gidBytes(gids);
    QString attributes = QStringLiteral("encoding=\"base64\"");
    if (layerData != u"base64") {
        bytes = deflated(bytes, layerData == u"gzip");
        attributes += QStringLiteral(" compression=\"%1\"").arg(layerData);
    }
    QString result = text;
    result.replace(match.capturedStart(), match.capturedLength(),
                   QStringLiteral("<data %1>%2</data>")
                       .arg(attributes, QString::fromLatin1(bytes.toBase64())));
    return result.toUtf8();
}

} // namespace

TEST_P(TiledRasterizer, DrawsOurTmxExportWithTheSamePixelsAsOurPng)
{
    const int chapter = GetParam();
    const QString png = path(QStringLiteral("ours.png"));
    const QString tmx = path(QStringLiteral("map.tmx"));
    const QString theirs = path(QStringLiteral("theirs.png"));
    exportChapter(chapter, png);
    exportChapter(chapter, tmx);
    const PeerRun run = runPeer(m_rasterizer, {QStringLiteral("--no-smoothing"), tmx, theirs});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QImage ours(png);
    const QImage peer(theirs);
    ASSERT_EQ(peer.size(), ours.size());
    // Every pixel covered by an opaque tile, and the same colour.
    EXPECT_EQ(peer.convertToFormat(QImage::Format_ARGB32),
              ours.convertToFormat(QImage::Format_ARGB32));
}

INSTANTIATE_TEST_SUITE_P(Cli, TiledRasterizer, ::testing::Values(1, 2, 14, 25));

TEST_P(TiledWrites, MapsThatTiledSavesImportToTheSameBytes)
{
    const Rewrite &rewrite = GetParam();
    const QString ours = path(QStringLiteral("ours.tmx"));
    exportChapter(14, ours);
    const QString source = path(QStringLiteral("source.tmx"));
    writeBytes(source, reencoded(readBytes(ours), QString::fromLatin1(rewrite.layerData)));
    const QString written = path(QStringLiteral("tiled.") + QString::fromLatin1(rewrite.format));
    tiledExport(QString::fromLatin1(rewrite.format), source, written);
    const QByteArray saved = readBytes(written);
    ASSERT_TRUE(saved.contains(rewrite.marker)) << saved.left(3000).toStdString();

    QString report;
    EXPECT_EQ(imported(14, written, &report), m_original);
    EXPECT_TRUE(report.startsWith(QStringLiteral("chapter 14: 0 cells changed")))
        << report.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cli, TiledWrites,
    ::testing::Values(
        Rewrite{"TmxCsv", "csv", "tmx", "<data encoding=\"csv\">"},
        Rewrite{"TmxBase64", "base64", "tmx", "<data encoding=\"base64\">"},
        Rewrite{"TmxZlib", "zlib", "tmx", "<data encoding=\"base64\" compression=\"zlib\">"},
        Rewrite{"TmxGzip", "gzip", "tmx", "<data encoding=\"base64\" compression=\"gzip\">"},
        Rewrite{"JsonArray", "csv", "json", "\"data\":["},
        Rewrite{"JsonZlib", "zlib", "json", "\"compression\":\"zlib\""},
        Rewrite{"JsonGzip", "gzip", "json", "\"compression\":\"gzip\""}),
    [](const auto &test) { return std::string(test.param.name); });

TEST_F(TiledPeer, OurJsonExportOpensInTiled)
{
    const QString json = path(QStringLiteral("ours.json"));
    exportChapter(1, json);
    const QString written = path(QStringLiteral("tiled.tmx"));
    tiledExport(QStringLiteral("tmx"), json, written);
    EXPECT_TRUE(readBytes(written).contains(
        "<property name=\"dataOffset\" type=\"int\" value=\"32813\"/>"));
    EXPECT_EQ(imported(1, written), m_original);
}

TEST_F(TiledPeer, CellsEditedInTheExportChangeExactlyThoseBytes)
{
    // Chapter 14 is 32 x 32, its tiles from 0x24028 + 4; cell codes count up from 14.
    const QString tmx = path(QStringLiteral("edit.tmx"));
    exportChapter(14, tmx);
    QString text = QString::fromUtf8(readBytes(tmx));
    const QRegularExpression csvData(QStringLiteral("<data encoding=\"csv\">([^<]*)</data>"));
    const QRegularExpressionMatch match = csvData.match(text);
    QStringList gids = match.captured(1).trimmed().split(u',');
    ASSERT_EQ(gids.size(), 1024);
    // (column, row) from 1, and the new code.
    const std::vector<std::array<int, 3>> edits{
        {1, 1, 200}, {32, 1, 0}, {7, 13, 255}, {32, 32, 31}};
    QByteArray expected = m_original;
    for (const auto &[column, row, code] : edits) {
        const int cell = (row - 1) * 32 + column - 1;
        // Blanks and line ends between the ids do not matter to the readers.
        gids[cell] = QString::number(code + 1);
        expected[0x24028 + 4 + cell] = static_cast<char>(code);
    }
    text.replace(match.capturedStart(1), match.capturedLength(1), u'\n' + gids.join(u',') + u'\n');
    writeBytes(tmx, text.toUtf8());

    QString report;
    EXPECT_EQ(imported(14, tmx, &report), expected);
    EXPECT_TRUE(report.startsWith(QStringLiteral("chapter 14: 4 cells changed")))
        << report.toStdString();

    // The same edit after Tiled has opened and saved the map as base64 zlib JSON.
    const QString zlib = path(QStringLiteral("zlib.tmx"));
    writeBytes(zlib, reencoded(readBytes(tmx), QStringLiteral("zlib")));
    const QString json = path(QStringLiteral("tiled.json"));
    tiledExport(QStringLiteral("json"), zlib, json);
    EXPECT_EQ(imported(14, json), expected);
}
