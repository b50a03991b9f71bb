#include "CartridgeFile.h"
#include "CartridgeImage.h"
#include "ChapterTitles.h"
#include "CodeRules.h"
#include "CommandParser.h"
#include "Commands.h"
#include "JournalNotice.h"
#include "PatchFormat.h"
#include "PatchInfo.h"
#include "PendingBackup.h"
#include "RegularFile.h"
#include "TileUses.h"

#include <QDateTime>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cli {

namespace {

QString hex6(qint64 value)
{
    return QString::number(value, 16).toUpper().rightJustified(6, u'0');
}

QJsonObject chapterJson(const CartridgeImage &image, int k)
{
    const core::ChapterMap &entry = image.cartridge.Chapters()[static_cast<std::size_t>(k)];
    return {{QStringLiteral("chapter"), k + 1},
            {QStringLiteral("title"), chapterTitle(k + 1)},
            {QStringLiteral("recordOffset"), entry.recordOffset()},
            {QStringLiteral("dataOffset"), entry.DataOffset},
            {QStringLiteral("width"), entry.Width},
            {QStringLiteral("height"), entry.Height},
            {QStringLiteral("inside"), image.cartridge.recordInside(entry)}};
}

// What a side file is, in a word for scripts.
QString standingName(fileio::SideFileStanding standing)
{
    switch (standing) {
    case fileio::SideFileStanding::Backup:
        return QStringLiteral("backup");
    case fileio::SideFileStanding::Unfinished:
        return QStringLiteral("unfinished");
    case fileio::SideFileStanding::Changed:
        return QStringLiteral("changed");
    case fileio::SideFileStanding::Unverified:
        return QStringLiteral("unverified");
    case fileio::SideFileStanding::NotOurs:
        break;
    }
    return QStringLiteral("not ours");
}

// The line a person reads about a side file of the image.
QString sideFileLine(const fileio::SideFileFinding &finding, const QString &imagePath)
{
    const QString path = QDir::toNativeSeparators(finding.file->path());
    switch (finding.standing) {
    case fileio::SideFileStanding::Backup:
        return QStringLiteral("pending backup: %1 (an interrupted write left the image's old "
                              "bytes there; 'tarvos-cli restore %2' puts them back)")
            .arg(path, imagePath);
    case fileio::SideFileStanding::Changed:
        return QStringLiteral("changed %1: %2 (a record of ours names it, but it no longer holds "
                              "the bytes the record names; left alone, never restored)")
            .arg(finding.isBackup() ? QStringLiteral("backup") : QStringLiteral("new file"), path);
    case fileio::SideFileStanding::Unverified:
        return QStringLiteral("unverified backup: %1 (where older versions kept a backup, but "
                              "no record of ours names it; left alone. Look at it, then "
                              "'tarvos-cli restore %2 --unverified' puts it back)")
            .arg(path, imagePath);
    case fileio::SideFileStanding::Unfinished:
    case fileio::SideFileStanding::NotOurs:
        break;
    }
    return QStringLiteral("%1 looks like a backup but is not one of ours; left alone").arg(path);
}

QJsonArray journalsJson(const std::vector<fileio::JournalReading> &journals)
{
    QJsonArray found;
    for (const fileio::JournalReading &reading : journals) {
        QJsonObject journal{{QStringLiteral("path"), QDir::toNativeSeparators(reading.file)},
                            {QStringLiteral("summary"), journalSummary(reading)}};
        if (reading.contents) {
            journal.insert(QStringLiteral("steps"), qint64(reading.contents->steps.size()));
            journal.insert(QStringLiteral("lastStepAt"),
                           QDateTime::fromMSecsSinceEpoch(reading.contents->lastStepAt(), Qt::UTC)
                               .toString(Qt::ISODate));
            journal.insert(QStringLiteral("editorRunning"), reading.contents->ownerRunning);
        }
        found.append(journal);
    }
    return found;
}

void writeJson(const CartridgeImage &image, const std::vector<fileio::SideFileFinding> &sideFiles,
               const std::vector<fileio::JournalReading> &journals, CommandOutput &io)
{
    QJsonValue backup;
    QJsonArray found;
    for (const fileio::SideFileFinding &finding : sideFiles) {
        const QString path = QDir::toNativeSeparators(finding.file->path());
        if (finding.standing == fileio::SideFileStanding::Backup && backup.isNull())
            backup = path;
        found.append(QJsonObject{{QStringLiteral("path"), path},
                                 {QStringLiteral("standing"), standingName(finding.standing)}});
    }
    QJsonObject root{{QStringLiteral("image"), image.path},
                     {QStringLiteral("size"), image.cartridge.RomData().size()},
                     {QStringLiteral("ines"), image.hasInesHeader()},
                     {QStringLiteral("pendingBackup"), backup},
                     {QStringLiteral("sideFiles"), found},
                     {QStringLiteral("journals"), journalsJson(journals)}};
    if (image.cartridge.hasChapters()) {
        QJsonArray chapters;
        for (int k = 0; k < core::kChapterCount; ++k)
            chapters.append(chapterJson(image, k));
        root.insert(QStringLiteral("chapters"), chapters);
    } else {
        root.insert(QStringLiteral("chapters"), QJsonValue::Null);
        root.insert(QStringLiteral("problem"), shortImageRefusal(image).reason);
    }
    io.out << QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented));
}

void writeText(const CartridgeImage &image, const std::vector<fileio::SideFileFinding> &sideFiles,
               const std::vector<fileio::JournalReading> &journals, CommandOutput &io)
{
    io.out << QStringLiteral("image: %1\nsize: %2 bytes\niNES header: %3\n")
                  .arg(image.path)
                  .arg(image.cartridge.RomData().size())
                  .arg(image.hasInesHeader() ? QStringLiteral("yes") : QStringLiteral("no"));
    for (const fileio::SideFileFinding &finding : sideFiles)
        io.out << sideFileLine(finding, image.path) << u'\n';
    for (const fileio::JournalReading &reading : journals)
        io.out << QStringLiteral("recovery journal: %1 (%2%3)\n")
                      .arg(QDir::toNativeSeparators(reading.file), journalSummary(reading),
                           reading.contents
                               ? QStringLiteral("; 'tarvos-cli recover %1' writes its edits "
                                                "over the image")
                                     .arg(image.path)
                               : QString());
    if (!image.cartridge.hasChapters())
        return;
    io.out << QStringLiteral("chapter  record    data      size     inside  title\n");
    for (int k = 0; k < core::kChapterCount; ++k) {
        const core::ChapterMap &entry = image.cartridge.Chapters()[static_cast<std::size_t>(k)];
        const QString size = QStringLiteral("%1 x %2").arg(entry.Width).arg(entry.Height);
        io.out << QStringLiteral("%1  0x%2  0x%3  %4 %5  %6\n")
                      .arg(k + 1, 7)
                      .arg(hex6(entry.recordOffset()), hex6(entry.DataOffset))
                      .arg(size, -9)
                      .arg(image.cartridge.recordInside(entry) ? QStringLiteral("yes   ")
                                                               : QStringLiteral("no    "))
                      .arg(chapterTitle(k + 1));
    }
}

QString codeText(int code)
{
    return core::hexCodeText(static_cast<std::uint8_t>(code));
}

enum class Listing { Text, Csv, Json };

// --tiles: how many cells of each chapter, and of all, use each code.
void writeTileUses(const CartridgeImage &image, Listing listing, CommandOutput &io)
{
    core::TileUses uses;
    uses.count(image.cartridge);
    core::TileUses::Counts all{};
    for (int k = 0; k < core::kChapterCount; ++k)
        for (int code = 0; code < 256; ++code)
            all[static_cast<std::size_t>(code)] += uses.counts(k)[static_cast<std::size_t>(code)];
    const auto line = [&](const QString &name, const core::TileUses::Counts &counts) {
        QStringList used;
        for (int code = 0; code < 256; ++code)
            if (const int n = counts[static_cast<std::size_t>(code)]; n > 0)
                used << QStringLiteral("%1:%2").arg(codeText(code)).arg(n);
        io.out << name << QStringLiteral(": ") << used.join(u' ') << u'\n';
    };
    const auto rows = [&](const QString &name, const core::TileUses::Counts &counts) {
        for (int code = 0; code < 256; ++code)
            if (const int n = counts[static_cast<std::size_t>(code)]; n > 0)
                io.out << QStringLiteral("%1,%2,%3\n").arg(name, codeText(code)).arg(n);
    };
    const auto json = [](const core::TileUses::Counts &counts) {
        QJsonObject codes;
        for (int code = 0; code < 256; ++code)
            if (const int n = counts[static_cast<std::size_t>(code)]; n > 0)
                codes.insert(codeText(code), n);
        return codes;
    };
    switch (listing) {
    case Listing::Text:
        io.out << QStringLiteral("cells using each code (hexadecimal code:cells)\n");
        for (int k = 0; k < core::kChapterCount; ++k)
            line(QStringLiteral("chapter %1").arg(k + 1), uses.counts(k));
        line(QStringLiteral("in all"), all);
        return;
    case Listing::Csv:
        io.out << QStringLiteral("chapter,code,cells\n");
        for (int k = 0; k < core::kChapterCount; ++k)
            rows(QString::number(k + 1), uses.counts(k));
        rows(QStringLiteral("all"), all);
        return;
    case Listing::Json: {
        QJsonArray chapters;
        for (int k = 0; k < core::kChapterCount; ++k)
            chapters.append(QJsonObject{{QStringLiteral("chapter"), k + 1},
                                        {QStringLiteral("codes"), json(uses.counts(k))}});
        const QJsonObject root{{QStringLiteral("image"), image.path},
                               {QStringLiteral("chapters"), chapters},
                               {QStringLiteral("all"), json(all)}};
        io.out << QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented));
        return;
    }
    }
}

// Whether the file starts as a patch does; an image never does.
bool isPatchFile(const QString &path)
{
    fileio::NativeFile file;
    QByteArray start;
    return !fileio::openRegularFile(file, path) && file.read(0, 5, start) == 0 &&
           patches::patchFormatOfContents(start).has_value();
}

} // namespace

int runInfo(const QStringList &arguments, CommandOutput &io)
{
    CommandParser command(
        QStringLiteral("info"),
        {QStringLiteral("tarvos-cli info [--json] IMAGE"),
         QStringLiteral("tarvos-cli info --tiles [--csv | --json] IMAGE"),
         QStringLiteral("tarvos-cli info [--json] PATCH")},
        QStringLiteral(
            "Lists the image's 25 chapter maps: number, record offset, "
            "data offset (the record's offset + 3; cell n is the byte "
            "at data offset + n), width x height, whether the whole "
            "record lies inside the image, and the chapter's title; first, the "
            "backups that interrupted writes left of the image, and files with the "
            "names of ours that are not ours and are left alone, and a recovery "
            "journal of edits an editor left unsaved. Of an IPS or "
            "BPS patch, tells its format, and for BPS the size and CRC-32 of the "
            "image it applies to and of the image it makes, and its metadata. With --tiles, "
            "how many cells of each chapter, and of all, use each tile code "
            "(chapters whose records overlap each count the cells they share)."));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Write JSON."));
    const QCommandLineOption csv(QStringLiteral("csv"),
                                 QStringLiteral("With --tiles: write CSV (chapter,code,cells)."));
    const QCommandLineOption tiles(QStringLiteral("tiles"),
                                   QStringLiteral("List the cells that use each tile code."));
    command.parser().addOptions({json, csv, tiles});
    command.parser().addPositionalArgument(
        QStringLiteral("IMAGE|PATCH"), QStringLiteral("The cartridge image (.nes) or a patch."));
    if (const auto status = command.parse(arguments, io, 1, 1))
        return *status;

    const QString path = command.parser().positionalArguments().at(0);
    const bool listTiles = command.parser().isSet(tiles);
    if (command.parser().isSet(csv) && (!listTiles || command.parser().isSet(json)))
        return usageError(io, QStringLiteral("info"),
                          QStringLiteral("--csv lists --tiles, and not with --json"));
    if (listTiles) {
        auto opened = openCartridge(path);
        if (const auto *refusal = std::get_if<Refusal>(&opened))
            return refuse(io, path, refusal->reason);
        const CartridgeImage &image = std::get<CartridgeImage>(opened);
        if (!image.cartridge.hasChapters())
            return refuse(io, path, shortImageRefusal(image).reason);
        writeTileUses(image,
                      command.parser().isSet(csv)    ? Listing::Csv
                      : command.parser().isSet(json) ? Listing::Json
                                                     : Listing::Text,
                      io);
        return kSuccess;
    }
    if (isPatchFile(path))
        return describePatch(path, command.parser().isSet(json), io);
    auto opened = openCartridge(path);
    if (const auto *refusal = std::get_if<Refusal>(&opened))
        return refuse(io, path, refusal->reason);
    const CartridgeImage &image = std::get<CartridgeImage>(opened);
    const std::vector<fileio::SideFileFinding> sideFiles =
        fileio::sideFilesOf(io.files, path, core::couldBeImageBackup);
    const std::vector<fileio::JournalReading> journals = fileio::readJournals(path);
    if (command.parser().isSet(json))
        writeJson(image, sideFiles, journals, io);
    else
        writeText(image, sideFiles, journals, io);
    if (!image.cartridge.hasChapters())
        return refuse(io, path, shortImageRefusal(image).reason);
    return kSuccess;
}

} // namespace cli
