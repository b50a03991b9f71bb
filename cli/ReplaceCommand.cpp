#include "CartridgeImage.h"
#include "CodeReplacement.h"
#include "CodeRules.h"
#include "CommandFiles.h"
#include "CommandParser.h"
#include "Commands.h"
#include "ImageFile.h"
#include "JournalNotice.h"

namespace cli {

namespace {

// A rule list of all 256 codes with comments stays far below this.
constexpr qint64 kMaxRuleFileBytes = 1024 * 1024;

const QString kCommand = QStringLiteral("replace");

// The rules of the command line: OLD NEW, or the list in FILE. A refusal has been printed
// when nothing is returned; `status` then holds the exit status.
std::optional<core::CodeRules> rulesOf(const QStringList &positional, const QString &ruleFile,
                                       CommandOutput &io, int &status)
{
    if (ruleFile.isEmpty()) {
        const auto from = core::hexCode(positional.at(1));
        const auto to = core::hexCode(positional.at(2));
        if (!from || !to) {
            status = usageError(io, kCommand,
                                QStringLiteral("'%1' is not a tile code 00..FF in hexadecimal")
                                    .arg(from ? positional.at(2) : positional.at(1)));
            return std::nullopt;
        }
        core::CodeRules rules;
        rules.add(*from, *to);
        return rules;
    }
    QByteArray bytes;
    if (const auto reason =
            readInputFile(ruleFile, kMaxRuleFileBytes, QStringLiteral("not a rule list"), bytes)) {
        status = refuse(io, ruleFile, *reason);
        return std::nullopt;
    }
    auto parsed = core::CodeRules::parse(QString::fromUtf8(bytes));
    if (const auto *fault = std::get_if<core::CodeRules::Fault>(&parsed)) {
        status = refuse(io, QStringLiteral("%1:%2").arg(ruleFile).arg(fault->line),
                        fault->message + QStringLiteral("; nothing written"));
        return std::nullopt;
    }
    return std::get<core::CodeRules>(std::move(parsed));
}

void report(const core::CodeReplacement &replacement, CommandOutput &io)
{
    int chapters = 0;
    for (int k = 0; k < core::kChapterCount; ++k) {
        const int count = replacement.counts[static_cast<std::size_t>(k)];
        if (count == 0)
            continue;
        ++chapters;
        io.out << QStringLiteral("chapter %1: %2\n")
                      .arg(k + 1)
                      .arg(counted(count, QStringLiteral("cell"), QStringLiteral("cells")));
    }
    io.out << QStringLiteral("in all: %1 in %2")
                  .arg(counted(replacement.totalCells(), QStringLiteral("cell"),
                               QStringLiteral("cells")),
                       counted(chapters, QStringLiteral("chapter"), QStringLiteral("chapters")));
    // Where records overlap, a byte two chapters share is changed once.
    if (replacement.changedBytes() != replacement.totalCells())
        io.out << QStringLiteral(" (%1, as chapters share cells)")
                      .arg(counted(replacement.changedBytes(), QStringLiteral("byte"),
                                   QStringLiteral("bytes")));
}

} // namespace

int runReplace(const QStringList &arguments, CommandOutput &io)
{
    CommandParser command(
        kCommand,
        {QStringLiteral("tarvos-cli replace [--chapter N ...] [--output NEW] [--dry-run] IMAGE "
                        "OLD NEW"),
         QStringLiteral("tarvos-cli replace [--chapter N ...] [--output NEW] [--dry-run] IMAGE "
                        "--rules FILE")},
        QStringLiteral(
            "Replaces tile codes in the chapter maps: every cell holding OLD gets NEW, in all "
            "25 chapters or those named with --chapter. Codes are hexadecimal (10 is 0x10; 0x "
            "allowed). FILE holds one rule a line, OLD NEW; # starts a comment and blank lines "
            "are ignored. The rules apply all at once to the codes the cells hold, so 'A B' "
            "and 'B A' swap the two. A malformed rule, or an OLD given twice, is refused with "
            "its line and nothing is written. Prints the cells changed in each chapter and in "
            "all; changes no byte outside the maps' cells. The image is rewritten in place all "
            "or nothing, or the result goes to NEW; with nothing to change, nothing is "
            "written."));
    const QCommandLineOption rulesOption(QStringLiteral("rules"),
                                         QStringLiteral("Take the rules from FILE."),
                                         QStringLiteral("FILE"));
    const QCommandLineOption chapterOption(
        QStringLiteral("chapter"), QStringLiteral("Replace in chapter N (1..25) only; repeatable."),
        QStringLiteral("N"));
    const QCommandLineOption output(QStringLiteral("output"),
                                    QStringLiteral("Write the changed image to NEW instead."),
                                    QStringLiteral("NEW"));
    const QCommandLineOption dryRun(QStringLiteral("dry-run"),
                                    QStringLiteral("Count the changes; write nothing."));
    command.parser().addOptions({rulesOption, chapterOption, output, dryRun});
    command.parser().addPositionalArgument(QStringLiteral("IMAGE"),
                                           QStringLiteral("The cartridge image (.nes)."));
    command.parser().addPositionalArgument(QStringLiteral("OLD NEW"),
                                           QStringLiteral("The code to replace and its new code "
                                                          "(not with --rules)."));
    if (const auto status = command.parse(arguments, io, 1, 3))
        return *status;
    const QCommandLineParser &parser = command.parser();
    const QStringList positional = parser.positionalArguments();
    const QString ruleFile = parser.isSet(rulesOption) ? parser.value(rulesOption) : QString();
    if (parser.isSet(rulesOption) && ruleFile.isEmpty())
        return usageError(io, kCommand, QStringLiteral("--rules needs a file"));
    if (ruleFile.isEmpty() ? positional.size() != 3 : positional.size() != 1)
        return usageError(io, kCommand,
                          ruleFile.isEmpty()
                              ? QStringLiteral("give IMAGE OLD NEW, or IMAGE --rules FILE")
                              : QStringLiteral("give the rules either as OLD NEW or in "
                                               "--rules FILE, not both"));
    core::ReplaceScope scope;
    for (const QString &text : parser.values(chapterOption)) {
        const auto chapter = chapterArgument(text);
        if (!chapter)
            return usageError(io, kCommand, QStringLiteral("chapter '%1' is not 1..25").arg(text));
        scope.chapters.push_back(*chapter - 1);
    }
    if (scope.chapters.empty())
        scope = core::ReplaceScope::allChapters();
    int status = kSuccess;
    const auto rules = rulesOf(positional, ruleFile, io, status);
    if (!rules)
        return status;

    const QString imagePath = positional.at(0);
    warnOfJournals(io, imagePath);
    auto opened = openCartridge(imagePath);
    if (const auto *refusal = std::get_if<Refusal>(&opened))
        return refuse(io, imagePath, refusal->reason);
    CartridgeImage &image = std::get<CartridgeImage>(opened);
    if (!image.cartridge.hasChapters())
        return refuse(io, imagePath, shortImageRefusal(image).reason);

    const core::CodeReplacement replacement = core::replaceCodes(image.cartridge, *rules, scope);
    report(replacement, io);
    if (parser.isSet(dryRun)) {
        io.out << QStringLiteral(" (dry run, nothing written)\n");
        return kSuccess;
    }
    if (replacement.empty()) {
        io.out << QStringLiteral(": nothing to change, nothing written\n");
        return kSuccess;
    }
    const QByteArray read = image.cartridge.RomData();
    core::applyReplacement(image.cartridge, replacement);
    const bool inPlace = !parser.isSet(output) || sameFile(parser.value(output), imagePath);
    const QString target = inPlace ? imagePath : parser.value(output);
    if (const auto reason =
            inPlace ? replaceImageFile(io.files, imagePath, read, image.cartridge.RomData())
                    : writeOutputFile(io.files, target, image.cartridge.RomData()))
        return refuse(io, target, *reason);
    io.out << QStringLiteral(", written to %1\n").arg(target);
    return kSuccess;
}

} // namespace cli
