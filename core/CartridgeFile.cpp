#include "CartridgeFile.h"

#include "ChapterMap.h"
#include "RegularFile.h"

namespace core {

bool couldBeImageBackup(const QByteArray &bytes)
{
    return ReadMapDirectory(bytes).has_value();
}

std::variant<QByteArray, FileError> readCartridge(const QString &path)
{
    NativeFile file;
    if (const auto refused = openRegularFile(file, path))
        return *refused;
    qint64 size = 0;
    if (const int error = file.size(size))
        return FileError::system(error);
    if (size > kMaxImageBytes)
        return FileError::tooLarge();
    QByteArray bytes;
    if (const int error = file.read(0, kMaxImageBytes + 1, bytes))
        return FileError::system(error);
    if (bytes.size() > kMaxImageBytes)
        return FileError::tooLarge();
    return bytes;
}

std::optional<SaveFailure> writeCartridge(FileOperations &files, const QString &path,
                                          const QByteArray &RomData, const FileContent *readBefore)
{
    return writeUserFile(files, path, RomData, WriteLength::KeepBytesBeyond, readBefore);
}

} // namespace core
