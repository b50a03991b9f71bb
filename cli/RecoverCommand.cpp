#include "CartridgeImage.h"
#include "ChapterLayout.h"
#include "CommandFiles.h"
#include "CommandParser.h"
#include "Commands.h"
#include "FileMessages.h"
#include "ImageChange.h"
#include "ImageFile.h"
#include "ImageMerge.h"
#include "JournalNotice.h"
#include "JournalReplay.h"
#include "RecoveryJournal.h"

#include <QDir>
#include <QFileInfo>

namespace cli {

namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

int listJournals(CommandOutput &io)
{
    const std::vector<fileio::JournalReading> journals = fileio::readAllJournals();
    if (journals.empty()) {
        io.out
            << QStringLiteral("no recovery journals in %1\n").arg(native(fileio::recoveryFolder()));
        return kSuccess;
    }
    for (const fileio::JournalReading &reading : journals) {
        if (!reading.contents) {
            io.out << QStringLiteral("%1: %2\n").arg(native(reading.file), journalSummary(reading));
            continue;
        }
        const QString &image = reading.contents->imagePath;
        io.out << QStringLiteral("%1: %2 (%3), %4\n")
                      .arg(native(reading.file), native(image),
                           QFileInfo::exists(image) ? QStringLiteral("exists")
                                                    : QStringLiteral("no longer exists"),
                           journalSummary(reading));
    }
    return kSuccess;
}

// The journal to act on: the first that reads; where none does, the refusal naming why.
std::variant<fileio::JournalReading, int> chosenJournal(CommandOutput &io, const QString &imagePath)
{
    const std::vector<fileio::JournalReading> journals = fileio::readJournals(imagePath);
    if (journals.empty())
        return refuse(io, imagePath, QStringLiteral("no recovery journal of unsaved edits"));
    for (const fileio::JournalReading &reading : journals)
        if (reading.contents)
            return reading;
    return refuse(io, imagePath,
                  QStringLiteral("the recovery journal %1 %2")
                      .arg(native(journals.front().file), journalSummary(journals.front())));
}

// The bytes the journal makes of the image's present ones; where the file changed since it
// began, the journal's edits on top of the file's changes, as the editor's save merges them.
std::optional<QByteArray> recoveredBytes(const fileio::JournalContents &journal,
                                         const QByteArray &file)
{
    if (journal.startsFrom(file)) {
        const auto edits = core::replayJournal(file, journal.steps);
        return edits ? std::optional<QByteArray>(edits->bytes) : std::nullopt;
    }
    const auto base = core::journalBaseIn(file, journal.steps);
    const auto edits = base ? core::replayJournal(*base, journal.steps) : std::nullopt;
    const auto merge = edits ? core::ImageMerge::of(*base, edits->bytes, file) : std::nullopt;
    return merge ? std::optional<QByteArray>(merge->result(true)) : std::nullopt;
}

} // namespace

int runRecover(const QStringList &arguments, CommandOutput &io)
{
    CommandParser command(
        QStringLiteral("recover"),
        {QStringLiteral("tarvos-cli recover [--output FILE] IMAGE"),
         QStringLiteral("tarvos-cli recover --discard IMAGE"),
         QStringLiteral("tarvos-cli recover --list")},
        QStringLiteral(
            "Writes the edits that an editor which stopped without saving left in its "
            "recovery journal over IMAGE, all or nothing, and removes the journal. Where "
            "IMAGE changed since the journal began, nothing is written: --output then puts "
            "the journal's edits on top of its present bytes. The journals live in "
            "tarvos/recovery in the user's data folder; 'tarvos-cli info IMAGE' names one."));
    const QCommandLineOption output(
        QStringLiteral("output"),
        QStringLiteral("Write the recovered image to FILE instead, and keep the journal."),
        QStringLiteral("FILE"));
    const QCommandLineOption discard(
        QStringLiteral("discard"),
        QStringLiteral("Remove the journal and write nothing: its edits are lost."));
    const QCommandLineOption list(
        QStringLiteral("list"),
        QStringLiteral("List every journal, its image and whether that image still exists."));
    command.parser().addOptions({output, discard, list});
    command.parser().addPositionalArgument(QStringLiteral("IMAGE"),
                                           QStringLiteral("The cartridge image (.nes)."));
    const QCommandLineParser &parser = command.parser();
    if (const auto status = command.parse(arguments, io, 0, 1))
        return *status;
    if (parser.isSet(list)) {
        if (parser.isSet(output) || parser.isSet(discard) || !parser.positionalArguments().empty())
            return usageError(io, QStringLiteral("recover"),
                              QStringLiteral("--list takes no image and no other option"));
        return listJournals(io);
    }
    if (parser.positionalArguments().empty())
        return usageError(io, QStringLiteral("recover"), QStringLiteral("missing arguments"));
    if (parser.isSet(discard) && parser.isSet(output))
        return usageError(io, QStringLiteral("recover"),
                          QStringLiteral("--discard writes nothing: it takes no --output"));
    const QString imagePath = parser.positionalArguments().at(0);

    auto chosen = chosenJournal(io, imagePath);
    if (const int *status = std::get_if<int>(&chosen))
        return *status;
    const fileio::JournalReading &reading = std::get<fileio::JournalReading>(chosen);
    const fileio::JournalContents &journal = *reading.contents;
    const QString journalFile = native(reading.file);
    const bool inPlace = !parser.isSet(output) || sameFile(parser.value(output), imagePath);
    if (journal.ownerRunning && (inPlace || parser.isSet(discard)))
        return refuse(io, imagePath,
                      QStringLiteral("another editor (process %1) is still editing it and "
                                     "writing %2; nothing done")
                          .arg(journal.owner.processId)
                          .arg(journalFile));
    if (parser.isSet(discard)) {
        if (const int failure = fileio::removeJournal(reading.file))
            return refuse(io, journalFile,
                          QStringLiteral("cannot remove: %1")
                              .arg(core::fileErrorReason(fileio::FileError::system(failure),
                                                         core::MessageLanguage::English)));
        io.out << QStringLiteral("%1: the recovery journal %2 removed, %3 discarded; the image "
                                 "left as it is\n")
                      .arg(imagePath, journalFile,
                           counted(qint64(journal.steps.size()), QStringLiteral("step"),
                                   QStringLiteral("steps")));
        return kSuccess;
    }

    auto opened = openCartridge(imagePath);
    if (const auto *refusal = std::get_if<Refusal>(&opened))
        return refuse(io, imagePath, refusal->reason);
    const QByteArray &file = std::get<CartridgeImage>(opened).cartridge.RomData();
    const bool fileChanged = !journal.startsFrom(file);
    if (fileChanged && inPlace)
        return refuse(io, imagePath,
                      QStringLiteral("the file changed since the journal %1 began (another "
                                     "program wrote it); nothing written, the journal kept. "
                                     "'tarvos-cli recover --output FILE %2' writes its edits "
                                     "on top of the present bytes to FILE")
                          .arg(journalFile, imagePath));
    // Bytes of chapter maps that moved or changed size since are other cells now.
    if (const auto moved = core::layoutDifferences(journal.baseLayout, core::Cartridge(file));
        fileChanged && moved && !moved->empty())
        return refuse(io, journalFile,
                      QStringLiteral("the chapter maps of %1 lie otherwise than when the journal "
                                     "began (chapter %2 first); its edits would land on other "
                                     "cells, nothing written, the journal kept")
                          .arg(imagePath)
                          .arg(moved->front().chapter));
    const auto recovered = recoveredBytes(journal, file);
    if (!recovered)
        return refuse(io, journalFile,
                      QStringLiteral("its steps do not fit the bytes of %1 (a byte lies outside "
                                     "its chapter or the image, or holds another code than "
                                     "the step found); nothing written, the journal kept")
                          .arg(imagePath));

    const QString target = inPlace ? imagePath : parser.value(output);
    if (inPlace) {
        if (*recovered != file)
            if (const auto reason = replaceImageFile(io.files, imagePath, file, *recovered))
                return refuse(io, imagePath, *reason);
        fileio::removeJournal(reading.file);
    } else if (const auto reason = writeOutputFile(io.files, target, *recovered)) {
        return refuse(io, target, *reason);
    }
    const ImageChange change = ImageChange::between(file, *recovered);
    io.out << QStringLiteral("%1: %2 recovered from %3, %4 changed, written to %5%6\n")
                  .arg(
                      imagePath,
                      counted(qint64(journal.steps.size()), QStringLiteral("step"),
                              QStringLiteral("steps")),
                      journalFile,
                      counted(change.changedBytes, QStringLiteral("byte"), QStringLiteral("bytes")),
                      target,
                      inPlace ? QStringLiteral("; the journal removed")
                      : fileChanged
                          ? QStringLiteral(" on top of the image's present bytes; the journal "
                                           "kept")
                          : QStringLiteral("; the journal kept"));
    return kSuccess;
}

} // namespace cli
