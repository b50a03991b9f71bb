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
inline std::optional<core::SideFile> leaveBackup(const QString &path, const QByteArray &old)
{
    core::FileOperations &files = core::diskFileOperations();
    const auto target = files.locate(path);
    const auto state = core::fileIdentity(path);
    if (!std::holds_alternative<core::FileLocation>(target) || !state)
        return std::nullopt;
    const core::FileLocation &image = std::get<core::FileLocation>(target);
    const auto made = core::FileBackup::make(files, image, *state, old);
    if (!std::holds_alternative<core::FileBackup>(made))
        return std::nullopt;
    const QFileInfo backup(std::get<core::FileBackup>(made).path());
    for (const core::StoredRecord &stored : core::recordsIn(files, backup.path()))
        if (stored.record.sideName == backup.fileName())
            return core::SideFile{{backup.path(), backup.fileName()}, stored.location};
    return std::nullopt;
}

} // namespace testing_support
