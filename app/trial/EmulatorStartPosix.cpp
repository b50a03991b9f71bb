#include "EmulatorStart.h"

#include <QProcess>

namespace app {

QString emulatorFilter()
{
    return QStringLiteral("所有文件 (*)");
}

void setUpProcess(QProcess &process, const QString &program, const QStringList &arguments)
{
    // In the editor's own folder, as a command typed in a terminal runs.
    process.setProgram(program);
    process.setArguments(arguments);
}

} // namespace app
