#include "BpsPatch.h"
#include "CartridgeImage.h"
#include "CommandFiles.h"
#include "CommandParser.h"
#include "Commands.h"
#include "ImageChange.h"
#include "IpsPatch.h"
#include "PatchFormat.h"

#include <array>

namespace cli {

namespace {

struct MadePatch {
    QByteArray bytes;
    QString parts; // "2 records", "5 actions"
};

std::variant<MadePatch, QString> makePatch(patches::PatchFormat format, const QByteArray &original,
                                           const QByteArray &edited)
{
    if (format == patches::PatchFormat::Bps) {
        patches::BpsPatch patch = patches::makeBpsPatch(original, edited);
        return MadePatch{std::move(patch.bytes), counted(patch.actions, QStringLiteral("action"),
                                                         QStringLiteral("actions"))};
    }
    auto made = patches::makeIpsPatch(original, edited);
    if (auto *reason = std::get_if<QString>(&made))
        return std::move(*reason);
    patches::IpsPatch &patch = std::get<patches::IpsPatch>(made);
    return MadePatch{std::move(patch.bytes),
                     counted(patch.records, QStringLiteral("record"), QStringLiteral("records"))};
}

} // namespace

int runPatch(const QStringList &arguments, CommandOutput &io)
{
    CommandParser command(
        QStringLiteral("patch"),
        {QStringLiteral("tarvos-cli patch ORIGINAL EDITED OUT.bps"),
         QStringLiteral("tarvos-cli patch ORIGINAL EDITED OUT.ips")},
        QStringLiteral(
            "Writes a patch that turns ORIGINAL into EDITED, so that edits can be shared "
            "without the image; its format follows OUT's extension. A BPS patch records the "
            "size and CRC-32 of both images, which may differ in length (up to 64 MiB each), "
            "so that 'apply' refuses the wrong image. For an IPS patch both images must have "
            "the same length, at most 16 MiB."));
    command.parser().addPositionalArgument(QStringLiteral("ORIGINAL"),
                                           QStringLiteral("The unchanged image."));
    command.parser().addPositionalArgument(QStringLiteral("EDITED"),
                                           QStringLiteral("The edited image."));
    command.parser().addPositionalArgument(QStringLiteral("OUT"),
                                           QStringLiteral("The patch to write, .bps or .ips."));
    if (const auto status = command.parse(arguments, io, 3, 3))
        return *status;
    const QStringList positional = command.parser().positionalArguments();
    const auto format = patches::patchFormatOfName(positional.at(2));
    if (!format)
        return usageError(
            io, QStringLiteral("patch"),
            QStringLiteral("'%1' does not end in .bps or .ips").arg(positional.at(2)));

    std::array<QByteArray, 2> images;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const QString &path = positional.at(qsizetype(i));
        auto opened = openCartridge(path);
        if (const auto *refusal = std::get_if<Refusal>(&opened))
            return refuse(io, path, refusal->reason);
        images[i] = std::get<CartridgeImage>(std::move(opened)).cartridge.RomData();
        if (*format == patches::PatchFormat::Ips && images[i].size() > patches::kMaxIpsImageBytes)
            return refuse(io, path,
                          QStringLiteral("larger than 16 MiB, beyond an IPS patch's offsets"));
    }
    const auto made = makePatch(*format, images[0], images[1]);
    if (const auto *reason = std::get_if<QString>(&made))
        return refuse(io, positional.at(1), *reason);
    const MadePatch &patch = std::get<MadePatch>(made);
    if (const auto reason = writeOutputFile(io.files, positional.at(2), patch.bytes))
        return refuse(io, positional.at(2), *reason);
    const ImageChange change = ImageChange::between(images[0], images[1]);
    const QString lengths = change.oldLength == change.newLength
                                ? QString()
                                : QStringLiteral(", %1").arg(change.lengthText());
    io.out << QStringLiteral("%1: %2, %3 changed%4, %5\n")
                  .arg(
                      positional.at(2), patch.parts,
                      counted(change.changedBytes, QStringLiteral("byte"), QStringLiteral("bytes")),
                      lengths,
                      counted(patch.bytes.size(), QStringLiteral("byte"), QStringLiteral("bytes")));
    return kSuccess;
}

} // namespace cli
