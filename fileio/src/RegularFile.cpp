#include "RegularFile.h"

#include <QFileInfo>

#include <cerrno>

namespace fileio {

std::optional<FileError> openRegularFile(NativeFile &file, const QString &path,
                                         std::optional<FileIdentity> *identity)
{
    // Windows refuses to open a folder as if access were denied; the message says what it is.
    if (const int error = file.open(path, NativeFile::Mode::Read))
        return FileError::system(QFileInfo(path).isDir() ? EISDIR : error);
    // Each platform tells the type of the file it opened (Windows by GetFileType); a file
    // whose type it does not tell is no file on a disk.
    const std::optional<FileIdentity> told = file.identity();
    if (identity)
        *identity = told;
    if (told && told->regularFile)
        return std::nullopt;
    file.close();
    // Only the message tells a folder from a device.
    return QFileInfo(path).isDir() ? FileError::system(EISDIR) : FileError::notRegularFile();
}

} // namespace fileio
