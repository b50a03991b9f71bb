#pragma once

#include "CommandOutput.h"

#include <QString>

namespace cli {

// `info` of a patch rather than an image: its format, and for BPS the sizes and CRC-32s of
// the images it records and its metadata text. The exit status.
int describePatch(const QString &path, bool json, CommandOutput &io);

} // namespace cli
