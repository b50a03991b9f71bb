#include "FileFailureReason.h"

#include <QDir>

#include <system_error>

namespace cli {

namespace {

QString errorText(const fileio::FileError &error)
{
    switch (error.cause) {
    case fileio::FileError::Cause::TooLarge:
        return QStringLiteral("larger than %1 MiB, not a cartridge image")
            .arg(core::kMaxImageBytes / (1024 * 1024));
    case fileio::FileError::Cause::ShortWrite:
        return QStringLiteral("only %1 of %2 bytes written, the disk may be full")
            .arg(error.written)
            .arg(error.total);
    case fileio::FileError::Cause::NotRegularFile:
        return QStringLiteral("not a regular file (a pipe, socket or device)");
    case fileio::FileError::Cause::ChangedMeanwhile:
        return QStringLiteral("another file took its place while it was written");
    case fileio::FileError::Cause::ContentChanged:
        return QStringLiteral("another program changed it after it was read");
    case fileio::FileError::Cause::PendingBackup:
        return QStringLiteral("an interrupted write left a backup of its old bytes; restore "
                              "it first (tarvos-cli restore)");
    case fileio::FileError::Cause::System:
        break;
    }
    return QString::fromStdString(std::generic_category().message(error.code));
}

} // namespace

QString readFailureReason(const fileio::FileError &error)
{
    return QStringLiteral("cannot read: %1").arg(errorText(error));
}

QString saveFailureReason(const fileio::SaveFailure &failure)
{
    QString outcome;
    switch (failure.left) {
    case fileio::SaveFailure::Left::OldBytes:
        outcome = QStringLiteral("the file is unchanged");
        break;
    case fileio::SaveFailure::Left::RestoredOldBytes:
        outcome = QStringLiteral("stopped part way; old bytes restored from backup");
        break;
    case fileio::SaveFailure::Left::OldBytesInBackup:
        outcome = QStringLiteral("stopped part way and not restored; the old bytes are in %1")
                      .arg(QDir::toNativeSeparators(failure.backup));
        break;
    case fileio::SaveFailure::Left::NewBytes:
        outcome = QStringLiteral("the new bytes are in place, but the disk did not confirm them");
        break;
    }
    return QStringLiteral("cannot write: %1 (%2)").arg(errorText(failure.error), outcome);
}

} // namespace cli
