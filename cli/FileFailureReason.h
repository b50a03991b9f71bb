#pragma once

#include "CartridgeFile.h"

#include <QString>

namespace cli {

// The tool's own one-line reasons, in English, for an image it could not read or write.
QString readFailureReason(const fileio::FileError &error);
QString saveFailureReason(const fileio::SaveFailure &failure);

} // namespace cli
