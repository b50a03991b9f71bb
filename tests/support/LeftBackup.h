#pragma once

#include "FileBackup.h"
#include "FileIdentity.h"

#include <QFileInfo>
#include <QString>

#include <gtest/gtest.h>

#include <optional>

namespace testing_support {

// The backup of the `old` bytes of the file at `path` that a write in place leaves where it
// is stopped half way: with its record, beside the file. Nothing where it could not be made.
inline std::optional<fileio::SideFile> leaveBackup(const QString &path, const QByteArray &old)
{
    fileio::FileOperations &files = fileio::diskFileOperations();
    const auto target = files.locate(path);
    const auto state = fileio::fileIdentity(path);
    if (!std::holds_alternative<fileio::FileLocation>(target) || !state)
        return std::nullopt;
    const fileio::FileLocation &image = std::get<fileio::FileLocation>(target);
    const auto made = fileio::FileBackup::make(files, image, *state, old);
    if (!std::holds_alternative<fileio::FileBackup>(made))
        return std::nullopt;
    const QFileInfo backup(std::get<fileio::FileBackup>(made).path());
    for (const fileio::StoredRecord &stored : fileio::recordsIn(files, backup.path()))
        if (stored.record.sideName == backup.fileName())
            return fileio::SideFile{{backup.path(), backup.fileName()}, stored.location};
    return std::nullopt;
}

} // namespace testing_support
