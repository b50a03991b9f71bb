#include "CartridgeImage.h"
#include "CommandFiles.h"
#include "CommandParser.h"
#include "Commands.h"
#include "CsvMap.h"
#include "ImageFile.h"
#include "JournalNotice.h"
#include "MapFormat.h"
#include "MapGrid.h"
#include "TiledJsonMap.h"
#include "TmxMap.h"

namespace cli {

namespace {

// No map file of a chapter comes near this, whatever its layout.
constexpr qint64 kMaxMapFileBytes = 32 * 1024 * 1024;

formats::MapParse parseMapFile(const QByteArray &bytes, formats::MapFormat format)
{
    switch (format) {
    case formats::MapFormat::Tmx:
        return formats::parseTmxMap(bytes);
    case formats::MapFormat::Json:
        return formats::parseTiledJsonMap(bytes);
    case formats::MapFormat::Csv:
        return formats::parseCsvMap(bytes);
    case formats::MapFormat::Png:
        break;
    }
    return formats::MapFault{QStringLiteral("a picture cannot be imported")};
}

} // namespace

int runImport(const QStringList &arguments, CommandOutput &io)
{
    CommandParser command(
        QStringLiteral("import"),
        {QStringLiteral("tarvos-cli import [--output NEW] [--dry-run] IMAGE CHAPTER IN")},
        QStringLiteral(
            "Stores the map in IN into the tile bytes of a chapter (1..25) and changes nothing "
            "else. IN is .csv (one line per row, decimal codes) or a Tiled map, .tmx or .json "
            "(one tile layer; CSV or base64 data, uncompressed, zlib or gzip; tile id = code). "
            "A map of another size, an empty cell, a tile id above 255, a flipped tile or a "
            "malformed file is refused and nothing is written. The image is rewritten in place "
            "all or nothing, or the result goes to NEW."));
    const QCommandLineOption output(QStringLiteral("output"),
                                    QStringLiteral("Write the changed image to NEW instead."),
                                    QStringLiteral("NEW"));
    const QCommandLineOption dryRun(QStringLiteral("dry-run"),
                                    QStringLiteral("Check and count the changes; write nothing."));
    command.parser().addOptions({output, dryRun});
    command.parser().addPositionalArgument(QStringLiteral("IMAGE"),
                                           QStringLiteral("The cartridge image (.nes)."));
    command.parser().addPositionalArgument(QStringLiteral("CHAPTER"),
                                           QStringLiteral("The chapter, 1..25."));
    command.parser().addPositionalArgument(QStringLiteral("IN"),
                                           QStringLiteral("The map file: .csv, .tmx or .json."));
    if (const auto status = command.parse(arguments, io, 3, 3))
        return *status;
    const QCommandLineParser &parser = command.parser();
    const QStringList positional = parser.positionalArguments();
    const QString imagePath = positional.at(0);
    const QString mapPath = positional.at(2);
    const auto chapter = chapterArgument(positional.at(1));
    if (!chapter)
        return usageError(io, QStringLiteral("import"),
                          QStringLiteral("chapter '%1' is not 1..25").arg(positional.at(1)));
    const auto format = formats::mapFormatOf(mapPath);
    if (!format || *format == formats::MapFormat::Png)
        return usageError(io, QStringLiteral("import"),
                          QStringLiteral("'%1' does not end in .csv, .tmx or .json").arg(mapPath));

    warnOfJournals(io, imagePath);
    auto opened = openCartridge(imagePath);
    if (const auto *refusal = std::get_if<Refusal>(&opened))
        return refuse(io, imagePath, refusal->reason);
    CartridgeImage &image = std::get<CartridgeImage>(opened);
    if (!image.cartridge.hasChapters())
        return refuse(io, imagePath, shortImageRefusal(image).reason);
    const core::ChapterMap &entry =
        image.cartridge.Chapters()[static_cast<std::size_t>(*chapter - 1)];
    if (!image.cartridge.recordInside(entry))
        return refuse(
            io, imagePath,
            QStringLiteral("chapter %1's map runs past the end of the image").arg(*chapter));

    QByteArray bytes;
    if (const auto reason =
            readInputFile(mapPath, kMaxMapFileBytes, QStringLiteral("not a map file"), bytes))
        return refuse(io, mapPath, *reason);
    const formats::MapParse parsed = parseMapFile(bytes, *format);
    if (const auto *fault = std::get_if<formats::MapFault>(&parsed))
        return refuse(io, mapPath, fault->message);
    const core::MapGrid &grid = std::get<core::MapGrid>(parsed);
    if (grid.width != entry.Width || grid.height != entry.Height)
        return refuse(io, mapPath,
                      QStringLiteral("the map is %1 x %2 cells, chapter %3 is %4 x %5")
                          .arg(grid.width)
                          .arg(grid.height)
                          .arg(*chapter)
                          .arg(entry.Width)
                          .arg(entry.Height));

    const QByteArray read = image.cartridge.RomData();
    const int changed = core::storeChapterGrid(image.cartridge, entry, grid);
    if (parser.isSet(dryRun)) {
        io.out << QStringLiteral("chapter %1: %2 (dry run, nothing written)\n")
                      .arg(*chapter)
                      .arg(counted(changed, QStringLiteral("cell would change"),
                                   QStringLiteral("cells would change")));
        return kSuccess;
    }
    const bool inPlace = !parser.isSet(output) || sameFile(parser.value(output), imagePath);
    const QString target = inPlace ? imagePath : parser.value(output);
    if (inPlace) {
        if (changed > 0)
            if (const auto reason =
                    replaceImageFile(io.files, imagePath, read, image.cartridge.RomData()))
                return refuse(io, imagePath, *reason);
    } else if (const auto reason = writeOutputFile(io.files, target, image.cartridge.RomData())) {
        return refuse(io, target, *reason);
    }
    io.out << QStringLiteral("chapter %1: %2 changed, %3\n")
                  .arg(*chapter)
                  .arg(counted(changed, QStringLiteral("cell"), QStringLiteral("cells")),
                       inPlace && changed == 0 ? QStringLiteral("%1 left as it was").arg(target)
                                               : QStringLiteral("written to %1").arg(target));
    return kSuccess;
}

} // namespace cli
