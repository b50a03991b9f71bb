#include "EmulatorStart.h"

#include "FileMessages.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <cerrno>

namespace app {

namespace {

QString reason(int code)
{
    return core::fileErrorReason(fileio::FileError::system(code), core::MessageLanguage::Chinese);
}

} // namespace

FoundProgram findProgram(const QString &program)
{
    // A bare name is a command; anything with a folder in it, a file.
    if (!program.contains(u'/') && !program.contains(QDir::separator())) {
        const QString found = QStandardPaths::findExecutable(program);
        if (found.isEmpty())
            return {{}, QStringLiteral("在 PATH 所列的文件夹中找不到这个命令")};
        return {found, {}};
    }
    const QFileInfo file(program);
    if (!file.exists())
        return {{}, reason(ENOENT)};
    if (file.isDir())
        return {{}, reason(EISDIR)};
    if (!file.isExecutable())
        return {{}, QStringLiteral("这不是可以启动的程序")};
    return {file.absoluteFilePath(), {}};
}

std::optional<QString> startDetached(const QString &program, const QStringList &arguments)
{
    QProcess process;
    setUpProcess(process, program, arguments);
    if (!process.startDetached())
        return process.errorString();
    return std::nullopt;
}

} // namespace app
