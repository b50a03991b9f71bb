#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace fileio {

// What tells one state of a file (or folder) from another without reading it: device,
// inode, size, and the modification and change times to the nanosecond. Any write,
// rename over it, or change of its entries in a folder changes one of them. The writer
// tells by it whether a path still names the file a write began with; the tile cache and
// the image's watcher whether a file changed since they last read it.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = -1;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::int64_t changedSeconds = 0;
    std::int64_t changedNanoseconds = 0;
    bool regularFile = false; // not a folder, device, socket or pipe
    friend bool operator==(const FileIdentity &, const FileIdentity &) = default;
};

// The identity of an open file, or of what a path names (links followed); nothing where
// the system tells none. Each platform's own file answers (FileIdentityPosix.cpp,
// FileIdentityWindows.cpp).
std::optional<FileIdentity> fileIdentity(int descriptor);
std::optional<FileIdentity> fileIdentity(const QString &path);

// Whether the file could still be written without its times changing: file systems keep
// times in steps as coarse as two seconds, so a state younger than that is not yet known
// to be the last one.
bool hasSettled(const FileIdentity &identity);

} // namespace fileio
