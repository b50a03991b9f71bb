#include "ProcessStart.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <cerrno>
#include <limits>

#include <signal.h>
#include <sys/types.h>

namespace fileio::native {

namespace {

// The 22nd field of /proc/PID/stat, the start time in clock ticks after boot. The second
// field, the program's name in parentheses, may hold blanks and parentheses itself: the
// fields after it are counted from its last ")".
std::optional<qint64> procStartTime(qint64 processId)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(processId));
    if (!stat.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray line = stat.read(4096);
    const qsizetype nameEnd = line.lastIndexOf(')');
    if (nameEnd < 0)
        return std::nullopt;
    const QList<QByteArray> fields = line.mid(nameEnd + 1).simplified().split(' ');
    constexpr qsizetype kStartField = 22 - 3; // fields 3.. follow the name
    if (fields.size() <= kStartField)
        return std::nullopt;
    bool ok = false;
    const qint64 start = fields.at(kStartField).toLongLong(&ok);
    return ok ? std::optional<qint64>(start) : std::nullopt;
}

} // namespace

std::optional<qint64> runningProcessStart(qint64 processId)
{
    if (processId <= 0 || processId > std::numeric_limits<pid_t>::max())
        return std::nullopt;
    if (const auto start = procStartTime(processId))
        return start;
    // Without /proc: a process that exists answers the null signal, or refuses it.
    if (::kill(static_cast<pid_t>(processId), 0) == 0 || errno == EPERM)
        return qint64{0};
    return std::nullopt;
}

} // namespace fileio::native
