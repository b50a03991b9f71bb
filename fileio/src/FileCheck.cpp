#include "FileCheck.h"

#include "RegularFile.h"

namespace fileio {

std::optional<FileError> fileCheckFailure(const QString &path)
{
    NativeFile file;
    return openRegularFile(file, path);
}

bool FileCheck(const QString &path)
{
    return !fileCheckFailure(path);
}

} // namespace fileio
