#include "CartridgeFile.h"
#include "CommandParser.h"
#include "Commands.h"
#include "FileFailureReason.h"
#include "PendingBackup.h"

#include <QDir>

namespace cli {

int runRestore(const QStringList &arguments, CommandOutput &io)
{
    CommandParser command(
        QStringLiteral("restore"), {QStringLiteral("tarvos-cli restore [--unverified] IMAGE")},
        QStringLiteral(
            "Puts back the old bytes of IMAGE that a write over the image itself left in a "
            "backup when it was stopped half way (the editor's save or a command, killed or "
            "cut off by a power loss), all or nothing, and removes the backup. Only a backup "
            "that a record of ours names, with its length and checksum, is written, and only "
            "while it still holds those bytes. 'tarvos-cli info IMAGE' names such a backup; "
            "import and apply refuse to write over the image while it is there."));
    const QCommandLineOption unverified(
        QStringLiteral("unverified"),
        QStringLiteral("Put back instead a backup that an older version left where it kept "
                       "them, which no record names: only after looking at it, as it may "
                       "be any file of that name."));
    command.parser().addOption(unverified);
    command.parser().addPositionalArgument(QStringLiteral("IMAGE"),
                                           QStringLiteral("The cartridge image (.nes)."));
    if (const auto status = command.parse(arguments, io, 1, 1))
        return *status;
    const QString imagePath = command.parser().positionalArguments().at(0);
    const bool older = command.parser().isSet(unverified);
    const fileio::BackupRestore restore = fileio::restorePendingBackup(
        io.files, imagePath,
        older ? fileio::BackupTrust::Unverified : fileio::BackupTrust::Recorded,
        core::couldBeImageBackup);
    const QString backup = QDir::toNativeSeparators(restore.backup);
    switch (restore.result) {
    case fileio::BackupRestore::Result::Restored:
        io.out << QStringLiteral("%1: old bytes put back from %2, the backup removed\n")
                      .arg(imagePath, backup);
        return kSuccess;
    case fileio::BackupRestore::Result::NoBackup:
        return refuse(io, imagePath,
                      older ? QStringLiteral("no unverified backup to restore")
                            : QStringLiteral("no backup of an interrupted write to restore"));
    case fileio::BackupRestore::Result::Changed:
        return refuse(io, imagePath,
                      QStringLiteral("the backup %1 no longer holds the bytes its record names "
                                     "(length or checksum); nothing written")
                          .arg(backup));
    case fileio::BackupRestore::Result::Unverified:
        return refuse(io, imagePath,
                      QStringLiteral("%1 is where older versions kept a backup, but no record of "
                                     "ours names it; nothing written. Look at it, then "
                                     "'tarvos-cli restore %2 --unverified' puts it back")
                          .arg(backup, imagePath));
    case fileio::BackupRestore::Result::Failed:
        break;
    }
    return refuse(io, imagePath, saveFailureReason(*restore.failure));
}

} // namespace cli
