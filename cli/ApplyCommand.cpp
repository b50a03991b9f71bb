#include "CartridgeImage.h"
#include "CommandFiles.h"
#include "CommandParser.h"
#include "Commands.h"
#include "ImageChange.h"
#include "ImageFile.h"
#include "JournalNotice.h"
#include "PatchApplication.h"
#include "PatchFile.h"
#include "PatchFormat.h"

namespace cli {

int runApply(const QStringList &arguments, CommandOutput &io)
{
    CommandParser command(
        QStringLiteral("apply"),
        {QStringLiteral("tarvos-cli apply [--output OUT] [--dry-run] PATCH IMAGE")},
        QStringLiteral(
            "Applies an IPS or BPS patch, told apart by its first bytes, to IMAGE. A BPS patch "
            "is checked before and after: a damaged patch, an image other than the one it was "
            "made from, an image already patched and a result other than the one it records "
            "are refused, and nothing is written. The image is replaced all or nothing, or the "
            "result goes to OUT."));
    const QCommandLineOption output(QStringLiteral("output"),
                                    QStringLiteral("Write the patched image to OUT instead."),
                                    QStringLiteral("OUT"));
    const QCommandLineOption dryRun(
        QStringLiteral("dry-run"),
        QStringLiteral("Check the patch and say what would change; write nothing."));
    command.parser().addOptions({output, dryRun});
    command.parser().addPositionalArgument(QStringLiteral("PATCH"),
                                           QStringLiteral("The patch, .ips or .bps."));
    command.parser().addPositionalArgument(QStringLiteral("IMAGE"),
                                           QStringLiteral("The cartridge image (.nes)."));
    if (const auto status = command.parse(arguments, io, 2, 2))
        return *status;
    const QCommandLineParser &parser = command.parser();
    const QString patchPath = parser.positionalArguments().at(0);
    const QString imagePath = parser.positionalArguments().at(1);

    QByteArray patch;
    if (const auto reason = readPatchFile(patchPath, patch))
        return refuse(io, patchPath, *reason);
    warnOfJournals(io, imagePath);
    auto opened = openCartridge(imagePath);
    if (const auto *refusal = std::get_if<Refusal>(&opened))
        return refuse(io, imagePath, refusal->reason);
    const QByteArray &image = std::get<CartridgeImage>(opened).cartridge.RomData();

    const auto applied = patches::applyPatch(patch, image);
    if (const auto *refusal = std::get_if<patches::PatchRefusal>(&applied))
        return refuse(io, refusal->concernsImage ? imagePath : patchPath, refusal->reason);
    const QByteArray &result = std::get<QByteArray>(applied);
    const ImageChange change = ImageChange::between(image, result);
    if (parser.isSet(dryRun)) {
        io.out << QStringLiteral("%1: %2, %3 (dry run, nothing written)\n")
                      .arg(patchPath,
                           counted(change.changedBytes, QStringLiteral("byte would change"),
                                   QStringLiteral("bytes would change")),
                           change.lengthText());
        return kSuccess;
    }

    const bool inPlace = !parser.isSet(output) || sameFile(parser.value(output), imagePath);
    const QString target = inPlace ? imagePath : parser.value(output);
    const bool unchanged = inPlace && result == image;
    if (inPlace) {
        if (!unchanged)
            if (const auto reason = replaceImageFile(io.files, imagePath, image, result))
                return refuse(io, imagePath, *reason);
    } else if (const auto reason = writeOutputFile(io.files, target, result)) {
        return refuse(io, target, *reason);
    }
    io.out << QStringLiteral("%1: %2 changed, %3, %4\n")
                  .arg(
                      patchPath,
                      counted(change.changedBytes, QStringLiteral("byte"), QStringLiteral("bytes")),
                      change.lengthText(),
                      unchanged ? QStringLiteral("%1 left as it was").arg(target)
                                : QStringLiteral("written to %1").arg(target));
    return kSuccess;
}

} // namespace cli
