#pragma once

#include <QDir>
#include <QFile>
#include <QString>

#include <filesystem>
#include <system_error>

namespace testing_support {

// The path as the system's own calls take it, for what Qt does not do: on Windows with
// backslashes and the prefix that lifts the 260-character limit.
inline std::filesystem::path systemPath(const QString &path)
{
#if defined(Q_OS_WIN)
    return std::filesystem::path(
        (QStringLiteral("\\\\?\\") + QDir::toNativeSeparators(QDir(path).absolutePath()))
            .toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// Gives the file at `existing` the second name `name`; false where the system refuses.
inline bool makeHardLink(const QString &existing, const QString &name)
{
    std::error_code failure;
    std::filesystem::create_hard_link(systemPath(existing), systemPath(name), failure);
    return !failure;
}

} // namespace testing_support
