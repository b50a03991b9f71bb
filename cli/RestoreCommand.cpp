#include "CommandParser.h"
#include "Commands.h"
#include "FileFailureReason.h"
#include "PendingBackup.h"

#include <QDir>

namespace cli {

int runRestore(const QStringList &arguments, CommandOutput &io)
{
    CommandParser command(
        QStringLiteral("restore"), {QStringLiteral("tarvos-cli restore IMAGE")},
        QStringLiteral(
            "Puts back the old bytes of IMAGE that a write over the image itself left in a "
            "backup when it was stopped half way (the editor's save or a command, killed or "
            "cut off by a power loss), all or nothing, and removes the backup. 'tarvos-cli "
            "info IMAGE' names such a backup; import and apply refuse to write over the image "
            "while it is there."));
    command.parser().addPositionalArgument(QStringLiteral("IMAGE"),
                                           QStringLiteral("The cartridge image (.nes)."));
    if (const auto status = command.parse(arguments, io, 1, 1))
        return *status;
    const QString imagePath = command.parser().positionalArguments().at(0);
    const auto backup = core::pendingBackupOf(io.files, imagePath);
    if (!backup)
        return refuse(io, imagePath,
                      QStringLiteral("no backup of an interrupted write to restore"));
    if (const auto failure = core::restorePendingBackup(io.files, imagePath))
        return refuse(io, imagePath, saveFailureReason(*failure));
    io.out << QStringLiteral("%1: old bytes put back from %2, the backup removed\n")
                  .arg(imagePath, QDir::toNativeSeparators(*backup));
    return kSuccess;
}

} // namespace cli
