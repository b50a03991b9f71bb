#include "FileOperations.h"

#include "DiskFileOperations.h"

namespace fileio {

QString FileLocation::path() const
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

FileOperations &diskFileOperations()
{
    // The real file system's steps keep no state of their own: one instance serves every
    // caller and thread.
    static DiskFileOperations operations;
    return operations;
}

} // namespace fileio
