#include "CartridgeFile.h"
#include "CommandFiles.h"
#include "CommandParser.h"
#include "Commands.h"
#include "IpsPatch.h"

#include <QFileInfo>

namespace cli {

namespace {

std::optional<QString> readImage(const QString &path, QByteArray &bytes)
{
    if (!QFileInfo(path).isFile())
        return QFileInfo::exists(path) ? QStringLiteral("not a file")
                                       : QStringLiteral("no such file");
    auto read = core::readCartridge(path);
    if (const auto *failure = std::get_if<core::FileFailure>(&read))
        return failure->message.section(u'\n', 0, 0);
    bytes = std::get<QByteArray>(std::move(read));
    if (bytes.size() > kMaxIpsImageBytes)
        return QStringLiteral("larger than 16 MiB, beyond an IPS patch's offsets");
    return std::nullopt;
}

} // namespace

int runPatch(const QStringList &arguments, CommandOutput &io)
{
    CommandParser command(
        QStringLiteral("patch"), {QStringLiteral("tarvos-cli patch ORIGINAL EDITED OUT.ips")},
        QStringLiteral("Writes an IPS patch that turns ORIGINAL into EDITED, so that edits can be "
                       "shared without the image. Both images must have the same length, at "
                       "most 16 MiB."));
    command.parser().addPositionalArgument(QStringLiteral("ORIGINAL"),
                                           QStringLiteral("The unchanged image."));
    command.parser().addPositionalArgument(QStringLiteral("EDITED"),
                                           QStringLiteral("The edited image."));
    command.parser().addPositionalArgument(QStringLiteral("OUT.ips"),
                                           QStringLiteral("The patch to write."));
    if (const auto status = command.parse(arguments, io, 3, 3))
        return *status;
    const QStringList positional = command.parser().positionalArguments();

    QByteArray original;
    QByteArray edited;
    if (const auto reason = readImage(positional.at(0), original))
        return refuse(io, positional.at(0), *reason);
    if (const auto reason = readImage(positional.at(1), edited))
        return refuse(io, positional.at(1), *reason);
    auto made = makeIpsPatch(original, edited);
    if (const auto *reason = std::get_if<QString>(&made))
        return refuse(io, positional.at(1), *reason);
    const IpsPatch &patch = std::get<IpsPatch>(made);
    if (const auto reason = writeOutputFile(positional.at(2), patch.bytes))
        return refuse(io, positional.at(2), *reason);
    io.out << QStringLiteral("%1: %2, %3 changed, %4\n")
                  .arg(
                      positional.at(2),
                      counted(patch.records, QStringLiteral("record"), QStringLiteral("records")),
                      counted(patch.changedBytes, QStringLiteral("byte"), QStringLiteral("bytes")),
                      counted(patch.bytes.size(), QStringLiteral("byte"), QStringLiteral("bytes")));
    return kSuccess;
}

} // namespace cli
