#pragma once

#include "FileOperations.h"

namespace core {

// The file-system steps of a save on real files.
class DiskFileOperations : public FileOperations {
public:
    std::variant<QString, int> finalTarget(const QString &path) override;
    std::variant<PathStatus, int> status(const QString &path) override;
    std::variant<QByteArray, int> readFrom(const QString &path, qint64 offset) override;
    int checkWritable(const QString &path) override;
    bool folderWritable(const QString &path) override;
    std::unique_ptr<WriteHandle> createBeside(const QString &path, QString &createdPath,
                                              int &error) override;
    std::unique_ptr<WriteHandle> openExisting(const QString &path, int &error) override;
    int replace(const QString &from, const QString &to) override;
    void remove(const QString &path) override;
};

} // namespace core
