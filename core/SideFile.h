#pragma once

#include "FileOperations.h"

namespace core {

// A new file in `folder` named after `target`, "." + its name + "." + 8 hexadecimal digits +
// `suffix`, under a name no other file has. The target's name is shortened where the whole
// would pass the folder's limit, so that a target with a name of the longest length still
// gets one. Null and the error where none could be made.
std::unique_ptr<WriteHandle> createSideFile(FileOperations &files, const QString &folder,
                                            const FileLocation &target, const QString &suffix,
                                            NewFileAccess access, FileLocation &created,
                                            int &error);

} // namespace core
