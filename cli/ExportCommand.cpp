#include "ChapterExport.h"
#include "ChapterTiles.h"
#include "CommandParser.h"
#include "Commands.h"
#include "ExportBatch.h"
#include "PngWriter.h"
#include "TileNaming.h"
#include "TilePictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace cli {

namespace {

QString codeList(const std::vector<std::uint8_t> &codes)
{
    QStringList names;
    for (const std::uint8_t code : codes)
        names.append(QString::number(code, 16).toUpper().rightJustified(2, u'0'));
    return names.join(QStringLiteral(", "));
}

// One chapter written: a line on stdout, and on stderr the cells that have no bitmap.
int reportExport(const ExportResult &result, int chapter, const QString &out,
                 formats::MapFormat format, const render::ChapterTiles &tiles, CommandOutput &io)
{
    if (const auto *fault = std::get_if<ExportFault>(&result))
        return refuse(io, fault->file, fault->reason);
    const auto &exported = std::get<ExportedChapter>(result);
    io.out << QStringLiteral("%1: chapter %2, %3 x %4 cells\n")
                  .arg(out)
                  .arg(chapter)
                  .arg(exported.width)
                  .arg(exported.height);
    if (exported.cellsWithoutBitmap > 0)
        io.err << QStringLiteral("tarvos-cli: %1: %2 no tile bitmap in %3 (codes %4); %5\n")
                      .arg(out,
                           counted(exported.cellsWithoutBitmap, QStringLiteral("cell has"),
                                   QStringLiteral("cells have")),
                           QDir::toNativeSeparators(tiles.folder().path()),
                           codeList(exported.missingCodes),
                           format == formats::MapFormat::Png
                               ? QStringLiteral("drawn as placeholders showing the code")
                               : QStringLiteral("the tileset names files that are not there"));
    return kSuccess;
}

} // namespace

int runExport(const QStringList &arguments, CommandOutput &io)
{
    CommandParser command(
        QStringLiteral("export"),
        {QStringLiteral("tarvos-cli export [--tiles DIR] IMAGE CHAPTER OUT"),
         QStringLiteral("tarvos-cli export [--tiles DIR] --all --format FORMAT IMAGE OUTDIR")},
        QStringLiteral(
            "Writes a chapter map (1..25), or all 25 into OUTDIR as chapterNN.FORMAT. The format "
            "is OUT's extension:\n"
            "  .png   the map as the editor draws it, 16 x 16 pixels a cell; a cell whose tile\n"
            "         bitmap is missing shows its code in hexadecimal on magenta\n"
            "  .csv   one line per row, the tile codes in decimal\n"
            "  .tmx   a Tiled map (XML), its tileset referring to the tile bitmaps\n"
            "  .json  the same Tiled map in JSON"));
    const QCommandLineOption tilesOption(
        QStringLiteral("tiles"),
        QStringLiteral("The tile bitmap folder (default: MAP beside the program, else the first "
                       "tarvos/MAP among the user's and the system's data folders)."),
        QStringLiteral("DIR"));
    const QCommandLineOption all(QStringLiteral("all"), QStringLiteral("Export every chapter."));
    const QCommandLineOption formatOption(QStringLiteral("format"),
                                          QStringLiteral("With --all: png, csv, tmx or json."),
                                          QStringLiteral("FORMAT"));
    command.parser().addOptions({tilesOption, all, formatOption});
    command.parser().addPositionalArgument(QStringLiteral("IMAGE"),
                                           QStringLiteral("The cartridge image (.nes)."));
    command.parser().addPositionalArgument(QStringLiteral("CHAPTER"),
                                           QStringLiteral("The chapter, 1..25."));
    command.parser().addPositionalArgument(QStringLiteral("OUT"),
                                           QStringLiteral("The file to write."));
    if (const auto status = command.parse(arguments, io, 2, 3))
        return *status;
    const QCommandLineParser &parser = command.parser();
    const QStringList positional = parser.positionalArguments();
    const bool exportAll = parser.isSet(all);

    std::optional<formats::MapFormat> format;
    std::optional<int> chapter;
    if (exportAll) {
        if (positional.size() != 2)
            return usageError(io, QStringLiteral("export"),
                              QStringLiteral("--all takes IMAGE OUTDIR"));
        if (!parser.isSet(formatOption))
            return usageError(io, QStringLiteral("export"), QStringLiteral("--all needs --format"));
        format = formats::mapFormatNamed(parser.value(formatOption));
        if (!format)
            return usageError(
                io, QStringLiteral("export"),
                QStringLiteral("unknown format '%1'").arg(parser.value(formatOption)));
    } else {
        if (positional.size() != 3)
            return usageError(io, QStringLiteral("export"), QStringLiteral("missing arguments"));
        if (parser.isSet(formatOption))
            return usageError(io, QStringLiteral("export"),
                              QStringLiteral("--format goes with --all; OUT's extension names "
                                             "the format"));
        chapter = chapterArgument(positional.at(1));
        if (!chapter)
            return usageError(io, QStringLiteral("export"),
                              QStringLiteral("chapter '%1' is not 1..25").arg(positional.at(1)));
        format = formats::mapFormatOf(positional.at(2));
        if (!format)
            return usageError(io, QStringLiteral("export"),
                              QStringLiteral("'%1' does not end in .png, .csv, .tmx or .json")
                                  .arg(positional.at(2)));
    }

    const QString imagePath = positional.at(0);
    auto opened = openCartridge(imagePath);
    if (const auto *refusal = std::get_if<Refusal>(&opened))
        return refuse(io, imagePath, refusal->reason);
    const CartridgeImage &image = std::get<CartridgeImage>(opened);
    if (!image.cartridge.hasChapters())
        return refuse(io, imagePath, shortImageRefusal(image).reason);

    const QString tileDir = parser.isSet(tilesOption)
                                ? parser.value(tilesOption)
                                : core::tileFolder(QCoreApplication::applicationDirPath());
    if (*format != formats::MapFormat::Csv && !QFileInfo(tileDir).isDir())
        return refuse(io, tileDir,
                      QStringLiteral("no such tile folder (name one with --tiles DIR)"));
    render::TilePictures pictures;
    render::ChapterTiles tiles(pictures, tileDir);

    if (!exportAll) {
        const QString out = positional.at(2);
        formats::PngWriter png;
        return reportExport(exportChapter(io.files, image, *chapter, out, *format, tiles, png),
                            *chapter, out, *format, tiles, io);
    }
    const QString outDir = positional.at(1);
    if (!QDir().mkpath(outDir))
        return refuse(io, outDir, QStringLiteral("cannot create the folder"));
    std::vector<ChapterTarget> targets;
    for (int k = 1; k <= core::kChapterCount; ++k)
        targets.push_back({k, QDir(outDir).filePath(QStringLiteral("chapter%1.%2")
                                                        .arg(k, 2, 10, QChar(u'0'))
                                                        .arg(formats::extensionOf(*format)))});
    int status = kSuccess;
    exportChapters(io.files, image, targets, *format, tiles, exportWorkers(),
                   [&](const ChapterTarget &target, const ExportResult &result) {
                       if (reportExport(result, target.chapter, target.out, *format, tiles, io) !=
                           kSuccess)
                           status = kRefused;
                   });
    return status;
}

} // namespace cli
