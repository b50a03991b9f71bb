#include "EmulatorStart.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace app {

namespace {

// One word of the command interpreter's line: quoted, so that blanks and & | < > ^ stay
// part of it; a quote inside is doubled, which the interpreter reads as a quote that ends
// nothing. A name between two % signs is still the interpreter's; file names seldom hold
// them.
QString interpreterWord(const QString &word)
{
    return u'"' + QString(word).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

} // namespace

QString emulatorFilter()
{
    return QStringLiteral("程序 (*.exe *.cmd *.bat);;所有文件 (*)");
}

void setUpProcess(QProcess &process, const QString &program, const QStringList &arguments)
{
    // In the program's folder, as the desktop starts it: programs unpacked anywhere keep
    // their settings there.
    process.setWorkingDirectory(QFileInfo(program).absolutePath());
    const QString suffix = QFileInfo(program).suffix().toLower();
    if (suffix != u"cmd" && suffix != u"bat") {
        process.setProgram(program);
        process.setArguments(arguments);
        return;
    }
    // A script is run by the command interpreter, as the system runs it when it is opened.
    // With /s the interpreter takes off the outermost quotes and runs what is between them
    // as it stands; /d leaves out the commands the registry would run first.
    QString line = interpreterWord(QDir::toNativeSeparators(program));
    for (const QString &argument : arguments)
        line += u' ' + interpreterWord(argument);
    process.setProgram(qEnvironmentVariable("ComSpec", QStringLiteral("cmd.exe")));
    process.setNativeArguments(QStringLiteral("/d /s /c \"%1\"").arg(line));
}

} // namespace app
