#include "CartridgeFile.h"

#include "ChapterMap.h"
#include "RegularFile.h"

namespace core {

bool couldBeImageBackup(const QByteArray &bytes)
{
    return ReadMapDirectory(bytes).has_value();
}

std::variant<QByteArray, fileio::FileError> readCartridge(const QString &path)
{
    fileio::NativeFile file;
    if (const auto refused = fileio::openRegularFile(file, path))
        return *refused;
    qint64 size = 0;
    if (const int error = file.size(size))
        return fileio::FileError::system(error);
    if (size > kMaxImageBytes)
        return fileio::FileError::tooLarge();
    QByteArray bytes;
    if (const int error = file.read(0, kMaxImageBytes + 1, bytes))
        return fileio::FileError::system(error);
    if (bytes.size() > kMaxImageBytes)
        return fileio::FileError::tooLarge();
    return bytes;
}

std::optional<fileio::SaveFailure> writeCartridge(fileio::FileOperations &files,
                                                  const QString &path, const QByteArray &RomData,
                                                  const fileio::FileContent *readBefore)
{
    return fileio::writeUserFile(files, path, RomData, fileio::WriteLength::KeepBytesBeyond,
                                 readBefore);
}

} // namespace core
