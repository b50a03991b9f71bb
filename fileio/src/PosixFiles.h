#pragma once

// What the file code needs of a POSIX system beyond the C library: a file's identity from
// the system's record of it. Built everywhere but Windows.

#include "FileIdentity.h"

#include <sys/stat.h>

namespace fileio::posix {

FileIdentity identityOf(const struct stat &status);

} // namespace fileio::posix
