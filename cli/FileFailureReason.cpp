#include "FileFailureReason.h"

#include "FileMessages.h"

namespace cli {

QString readFailureReason(const fileio::FileError &error)
{
    return QStringLiteral("cannot read: %1")
        .arg(core::fileErrorReason(error, core::MessageLanguage::English));
}

QString saveFailureReason(const fileio::SaveFailure &failure)
{
    return QStringLiteral("cannot write: %1 (%2)")
        .arg(core::fileErrorReason(failure.error, core::MessageLanguage::English),
             core::saveOutcome(failure, core::MessageLanguage::English));
}

} // namespace cli
