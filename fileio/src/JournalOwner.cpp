#include "JournalOwner.h"

#include "ProcessStart.h"

#include <QCoreApplication>
#include <QSysInfo>

namespace fileio {

JournalOwner JournalOwner::thisProcess()
{
    const qint64 id = QCoreApplication::applicationPid();
    return {id, QSysInfo::machineHostName(), native::runningProcessStart(id).value_or(0)};
}

bool JournalOwner::isRunning() const
{
    if (host != QSysInfo::machineHostName())
        return false;
    const auto start = native::runningProcessStart(processId);
    return start && (processStart == 0 || *start == 0 || *start == processStart);
}

} // namespace fileio
