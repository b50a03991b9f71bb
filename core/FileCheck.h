#pragma once

#include <QString>

namespace core {

// True when the path names a file that can be opened for reading. Never raises; an empty
// path, a missing file and a folder are all False.
bool FileCheck(const QString &path);

} // namespace core
