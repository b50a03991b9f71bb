#include "ChapterTiles.h"
#include "CliFixture.h"
#include "ExportBatch.h"
#include "FileOperations.h"
#include "SyntheticImage.h"
#include "TilePictures.h"

using namespace cli_testing;

namespace {

// What a batch reported, one line a chapter, with the output folder's name left out.
QStringList exportAll(const cli::CartridgeImage &image, formats::MapFormat format,
                      const QString &tiles, const QString &folder, int workers)
{
    std::vector<cli::ChapterTarget> targets;
    for (int k = 1; k <= core::kChapterCount; ++k)
        targets.push_back({k, QStringLiteral("%1/chapter%2.%3")
                                  .arg(folder)
                                  .arg(k)
                                  .arg(formats::extensionOf(format))});
    render::TilePictures pictures;
    render::ChapterTiles bitmaps(pictures, tiles);
    QStringList reports;
    cli::exportChapters(fileio::diskFileOperations(), image, targets, format, bitmaps, workers,
                        [&](const cli::ChapterTarget &target, const cli::ExportResult &result) {
                            QString line = QString::number(target.chapter);
                            if (const auto *fault = std::get_if<cli::ExportFault>(&result)) {
                                line += u' ' + fault->file + u' ' + fault->reason;
                            } else {
                                const auto &done = std::get<cli::ExportedChapter>(result);
                                line += QStringLiteral(" %1 x %2, %3 without")
                                            .arg(done.width)
                                            .arg(done.height)
                                            .arg(done.cellsWithoutBitmap);
                                for (const std::uint8_t code : done.missingCodes)
                                    line += u' ' + QString::number(code);
                            }
                            reports.append(line.replace(folder, QStringLiteral("OUT")));
                        });
    return reports;
}

class ExportBatch : public CliFolder, public ::testing::WithParamInterface<formats::MapFormat> {};
class CliExportAll : public CliFolder {};

} // namespace

// Threads change nothing: the same reports in the same order, the same files byte for
// byte (so the same pixels), with missing, unloadable and case-mismatched tiles, a chapter
// past the end of the image and a file that cannot be written.
TEST_P(ExportBatch, WritesTheSameWhateverTheNumberOfThreads)
{
    writeTiles([](std::uint8_t code) { return code % 2 == 0 && code != 4; });
    writeBytes(QDir(tiles()).filePath(QStringLiteral("2.bmp")), "BM not a bitmap");
    ASSERT_TRUE(tileImage(4).save(QDir(tiles()).filePath(QStringLiteral("4.BMP")), "BMP"));
    const cli::CartridgeImage image{
        QStringLiteral("a.nes"),
        core::Cartridge(testing_support::standardSyntheticImage().first(0x024634 + 4 + 10))};
    ASSERT_TRUE(image.cartridge.hasChapters());

    const formats::MapFormat format = GetParam();
    QStringList oneAtATime;
    for (const int workers : {1, 2, 3, 25}) {
        const QString folder = path(QStringLiteral("out%1").arg(workers));
        QDir().mkpath(QStringLiteral("%1/chapter7.%2").arg(folder, formats::extensionOf(format)));
        const QStringList reports = exportAll(image, format, tiles(), folder, workers);
        if (workers == 1) {
            oneAtATime = reports;
            ASSERT_EQ(reports.size(), 25);
            EXPECT_TRUE(reports[6].startsWith(QStringLiteral("7 OUT/chapter7")))
                << reports[6].toStdString();
            EXPECT_EQ(reports[24], QStringLiteral("25 a.nes chapter 25's map runs past the end "
                                                  "of the image"));
            continue;
        }
        EXPECT_EQ(reports, oneAtATime) << workers;
        for (int k = 1; k <= 24; ++k) {
            const QString name =
                QStringLiteral("/chapter%1.%2").arg(k).arg(formats::extensionOf(format));
            const QString first = path(QStringLiteral("out1")) + name;
            EXPECT_EQ(readBytes(folder + name), readBytes(first)) << workers << name.toStdString();
            if (format == formats::MapFormat::Png) {
                EXPECT_EQ(QImage(folder + name), QImage(first)) << workers << k;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cli, ExportBatch,
                         ::testing::Values(formats::MapFormat::Png, formats::MapFormat::Csv,
                                           formats::MapFormat::Tmx, formats::MapFormat::Json),
                         [](const auto &test) {
                             return formats::extensionOf(test.param).toStdString();
                         });

// The tool's output for all chapters at once is what it says for each chapter alone.
TEST_F(CliExportAll, SaysForAllChaptersWhatItSaysForEach)
{
    writeTiles([](std::uint8_t code) { return code % 3 != 0; });
    QByteArray bytes = testing_support::standardSyntheticImage();
    bytes.truncate(0x024634 + 4 + 10); // chapter 25 runs past the end
    const QString image = writeImage(QStringLiteral("a.nes"), bytes);
    const CliRun all =
        runCli({QStringLiteral("export"), QStringLiteral("--all"), QStringLiteral("--format"),
                QStringLiteral("png"), QStringLiteral("--tiles"), tiles(), image,
                path(QStringLiteral("all"))});
    CliRun each{0, {}, {}};
    for (int k = 1; k <= 25; ++k) {
        const CliRun one =
            runCli({QStringLiteral("export"), QStringLiteral("--tiles"), tiles(), image,
                    QString::number(k),
                    path(QStringLiteral("all/chapter%1.png").arg(k, 2, 10, QChar(u'0')))});
        each.status = std::max(each.status, one.status);
        each.out += one.out;
        each.err += one.err;
    }
    EXPECT_EQ(all.status, 1);
    EXPECT_EQ(all.status, each.status);
    EXPECT_EQ(all.out, each.out);
    EXPECT_EQ(all.err, each.err);
    EXPECT_EQ(all.err.count(u'\n'), 25);
}
