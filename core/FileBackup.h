#pragma once

#include "FileError.h"
#include "FileOperations.h"

#include <variant>

namespace core {

// A copy of a file's old bytes, on the disk before the file is written over itself, from
// which they can be put back.
class FileBackup {
public:
    // Beside the target, where its folder takes new files, otherwise in the temporary
    // folder; readable by its owner alone.
    static std::variant<FileBackup, FileError>
    make(FileOperations &files, const FileLocation &target, const QByteArray &old);

    QString path() const { return m_location.path(); }
    // Once the file holds all its new bytes, or its old ones again.
    void discard(FileOperations &files) const { files.remove(m_location); }

private:
    explicit FileBackup(FileLocation location) : m_location(std::move(location)) {}
    FileLocation m_location;
};

} // namespace core
