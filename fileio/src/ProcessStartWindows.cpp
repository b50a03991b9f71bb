#include "ProcessStart.h"

#include <limits>

#include <windows.h>

namespace fileio::native {

std::optional<qint64> runningProcessStart(qint64 processId)
{
    if (processId <= 0 || processId > std::numeric_limits<DWORD>::max())
        return std::nullopt;
    HANDLE process =
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(processId));
    if (process == nullptr)
        // A process of another user may exist and refuse to be asked.
        return ::GetLastError() == ERROR_ACCESS_DENIED ? std::optional<qint64>(0) : std::nullopt;
    std::optional<qint64> start;
    DWORD exitCode = 0;
    FILETIME created{}, exited{}, kernel{}, user{};
    if (::GetExitCodeProcess(process, &exitCode) && exitCode == STILL_ACTIVE) {
        start = 0;
        if (::GetProcessTimes(process, &created, &exited, &kernel, &user))
            start = static_cast<qint64>((static_cast<quint64>(created.dwHighDateTime) << 32) |
                                        created.dwLowDateTime);
    }
    ::CloseHandle(process);
    return start;
}

} // namespace fileio::native
