#pragma once

#include <cerrno>

namespace fileio {

// The error number of a system call that reported failure; never 0, so that a failure is
// never taken for success.
inline int lastSystemError()
{
    return errno != 0 ? errno : EIO;
}

} // namespace fileio
