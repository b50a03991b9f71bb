#pragma once

// What the system tells of a running process, one file per platform (ProcessStartPosix.cpp,
// ProcessStartWindows.cpp).

#include <QtGlobal>

#include <optional>

namespace fileio::native {

// Nothing where no process of that id runs; otherwise when it started, in the system's own
// count, or 0 where the system does not tell.
std::optional<qint64> runningProcessStart(qint64 processId);

} // namespace fileio::native
