#include "FileFailureReason.h"

#include <system_error>

namespace cli {

namespace {

QString errorText(const core::FileError &error)
{
    switch (error.cause) {
    case core::FileError::Cause::TooLarge:
        return QStringLiteral("larger than %1 MiB, not a cartridge image")
            .arg(core::kMaxImageBytes / (1024 * 1024));
    case core::FileError::Cause::ShortWrite:
        return QStringLiteral("only %1 of %2 bytes written, the disk may be full")
            .arg(error.written)
            .arg(error.total);
    case core::FileError::Cause::System:
        break;
    }
    return QString::fromStdString(std::generic_category().message(error.code));
}

} // namespace

QString readFailureReason(const core::FileError &error)
{
    return QStringLiteral("cannot read: %1").arg(errorText(error));
}

QString saveFailureReason(const core::SaveFailure &failure)
{
    return QStringLiteral("cannot write: %1%2")
        .arg(errorText(failure.error),
             failure.partial ? QStringLiteral(" (stopped part way: old and new bytes mixed)")
                             : QStringLiteral(" (the file is unchanged)"));
}

} // namespace cli
