#include "CommandParser.h"
#include "Commands.h"
#include "MapDifference.h"

namespace cli {

namespace {

QString hexCode(std::uint8_t code)
{
    return QStringLiteral("0x") + QString::number(code, 16).toUpper().rightJustified(2, u'0');
}

void report(const core::MapDifference &difference, CommandOutput &io)
{
    for (const QString &note : difference.chapterNotes)
        io.out << note << u'\n';
    for (const core::CellChange &cell : difference.cells)
        io.out << QStringLiteral("chapter %1, column %2, row %3: %4 -> %5\n")
                      .arg(cell.place.chapter)
                      .arg(cell.place.cell.column)
                      .arg(cell.place.cell.row)
                      .arg(hexCode(cell.before), hexCode(cell.after));

    if (difference.equal()) {
        io.out << QStringLiteral("the images are equal\n");
        return;
    }
    std::vector<bool> touched(core::kChapterCount + 1, false);
    int chapters = 0;
    for (const core::CellChange &cell : difference.cells) {
        if (!touched[static_cast<std::size_t>(cell.place.chapter)])
            ++chapters;
        touched[static_cast<std::size_t>(cell.place.chapter)] = true;
    }
    const auto cells = static_cast<qint64>(difference.cells.size());
    io.out << QStringLiteral("%1 in %2")
                  .arg(counted(cells, QStringLiteral("cell differs"),
                               QStringLiteral("cells differ")),
                       counted(chapters, QStringLiteral("chapter"), QStringLiteral("chapters")));
    if (!difference.chapterNotes.isEmpty())
        io.out << QStringLiteral(", %1 cell by cell")
                      .arg(counted(difference.chapterNotes.size(),
                                   QStringLiteral("chapter cannot be compared"),
                                   QStringLiteral("chapters cannot be compared")));
    io.out << QStringLiteral(", %1").arg(counted(difference.otherBytes,
                                                 QStringLiteral("other byte differs"),
                                                 QStringLiteral("other bytes differ")));
    if (difference.lengthsDiffer)
        io.out << QStringLiteral(", the lengths differ");
    io.out << u'\n';
}

} // namespace

int runDiff(const QStringList &arguments, CommandOutput &io)
{
    CommandParser command(
        QStringLiteral("diff"), {QStringLiteral("tarvos-cli diff A B")},
        QStringLiteral("Lists the map cells that differ between two images, one line each "
                       "(chapter, column, row, code in A -> code in B), then a summary that "
                       "also counts differing bytes outside the maps. Exit status 0 when the "
                       "images are equal, 3 when they differ."));
    command.parser().addPositionalArgument(QStringLiteral("A"), QStringLiteral("The first image."));
    command.parser().addPositionalArgument(QStringLiteral("B"),
                                           QStringLiteral("The second image."));
    if (const auto status = command.parse(arguments, io, 2, 2))
        return *status;

    std::vector<CartridgeImage> images;
    for (const QString &path : command.parser().positionalArguments()) {
        auto opened = openCartridge(path);
        if (const auto *refusal = std::get_if<Refusal>(&opened))
            return refuse(io, path, refusal->reason);
        images.push_back(std::get<CartridgeImage>(std::move(opened)));
        if (!images.back().cartridge.hasChapters())
            return refuse(io, path, shortImageRefusal(images.back()).reason);
    }
    const core::MapDifference difference =
        core::diffImages(images[0].cartridge, images[1].cartridge);
    report(difference, io);
    return difference.equal() ? kSuccess : kDiffer;
}

} // namespace cli
