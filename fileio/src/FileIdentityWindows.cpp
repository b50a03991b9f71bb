#include "FileIdentity.h"
#include "WindowsFiles.h"

namespace fileio {

FileIdentity windows::identityOf(const FileRecord &record)
{
    FileIdentity identity;
    identity.device = record.volume;
    identity.inode = record.index;
    identity.size = record.size;
    unixTime(record.lastWrite, identity.modifiedSeconds, identity.modifiedNanoseconds);
    unixTime(record.lastChange, identity.changedSeconds, identity.changedNanoseconds);
    identity.regularFile = record.regular;
    return identity;
}

std::optional<FileIdentity> fileIdentity(int descriptor)
{
    const std::optional<windows::FileRecord> record = windows::fileRecord(descriptor);
    if (!record)
        return std::nullopt;
    return windows::identityOf(*record);
}

std::optional<FileIdentity> fileIdentity(const QString &path)
{
    if (path.isEmpty())
        return std::nullopt;
    const auto record = windows::fileRecord(path, windows::Links::Followed);
    if (!std::holds_alternative<windows::FileRecord>(record))
        return std::nullopt;
    return windows::identityOf(std::get<windows::FileRecord>(record));
}

} // namespace fileio
