#include "FileOperations.h"

#include "DiskFileOperations.h"

namespace core {

namespace {

DiskFileOperations &disk()
{
    static DiskFileOperations operations;
    return operations;
}

FileOperations *&installed()
{
    static FileOperations *operations = nullptr;
    return operations;
}

} // namespace

QString FileLocation::path() const
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

FileOperations &fileOperations()
{
    return installed() ? *installed() : disk();
}

FileOperations *setFileOperations(FileOperations *operations)
{
    FileOperations *previous = &fileOperations();
    installed() = operations;
    return previous;
}

} // namespace core
