#pragma once

#include "FileOperations.h"

namespace fileio {

// The file-system steps of a write on real files. What differs between platforms is in
// DiskFileOperationsPosix.cpp and DiskFileOperationsWindows.cpp.
class DiskFileOperations : public FileOperations {
public:
    std::variant<FileLocation, int> locate(const QString &path) override;
    std::variant<PathStatus, int> status(const FileLocation &file) override;
    std::variant<QByteArray, int> readFrom(const FileLocation &file, qint64 offset) override;
    int checkWritable(const FileLocation &file) override;
    bool folderWritable(const QString &folder) override;
    qint64 maxNameBytes(const QString &folder) override;
    QString backupFolder() override;
    std::unique_ptr<WriteHandle> create(const FileLocation &created, NewFileAccess access,
                                        const FileLocation &target, int &error) override;
    std::unique_ptr<WriteHandle> openExisting(const FileLocation &file, int &error) override;
    int replace(const FileLocation &from, const FileLocation &to) override;
    int syncFolder(const QString &folder) override;
    void remove(const FileLocation &file) override;
};

} // namespace fileio
