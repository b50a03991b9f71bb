#include "FileIdentity.h"

#include <algorithm>
#include <chrono>

namespace fileio {

namespace {

// The coarsest step in which a file system keeps file times.
constexpr std::int64_t kSettleSeconds = 2;

} // namespace

bool hasSettled(const FileIdentity &identity)
{
    const std::int64_t now = std::chrono::duration_cast<std::chrono::seconds>(
                                 std::chrono::system_clock::now().time_since_epoch())
                                 .count();
    return std::max(identity.modifiedSeconds, identity.changedSeconds) <= now - kSettleSeconds;
}

} // namespace fileio
