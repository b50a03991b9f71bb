#include "EmulatorChoice.h"

#include "Dialogs.h"
#include "EmulatorStart.h"
#include "LastImageFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace app {

namespace {

const QString kProgramKey = QStringLiteral("try/emulator");
const QString kArgumentsKey = QStringLiteral("try/arguments");
const QString kImage = QStringLiteral("%f");

// The chooser gives a path; a command's bare name typed into it names a file in the folder
// it showed, which is not there.
QString chosenProgram(const QString &path)
{
    const QFileInfo chosen(path);
    if (!chosen.exists() && !QStandardPaths::findExecutable(chosen.fileName()).isEmpty())
        return chosen.fileName();
    return QDir::toNativeSeparators(path);
}

} // namespace

std::optional<EmulatorChoice> rememberedEmulator()
{
    const QSettings settings = programSettings();
    const QString program = settings.value(kProgramKey).toString();
    if (program.isEmpty())
        return std::nullopt;
    return EmulatorChoice{program, settings.value(kArgumentsKey, kImage).toString()};
}

void rememberEmulator(const EmulatorChoice &choice)
{
    QSettings settings = programSettings();
    settings.setValue(kProgramKey, choice.program);
    settings.setValue(kArgumentsKey, choice.arguments);
}

std::optional<EmulatorChoice> askForEmulator(QWidget *owner,
                                             const std::optional<EmulatorChoice> &current)
{
    host::OpenFileRequest request;
    request.owner = owner;
    request.caption = QStringLiteral("选择模拟器");
    request.filter = emulatorFilter();
    const QFileInfo known(current ? current->program : QString());
    request.startFolder =
        known.isAbsolute() && known.dir().exists() ? known.absolutePath() : QDir::currentPath();
    const QString path = host::GetOpenFileName(request).trimmed();
    if (path.isEmpty())
        return std::nullopt;
    const QString program = chosenProgram(path);
    const auto line =
        host::InputBox({owner, QStringLiteral("模拟器参数"),
                        QStringLiteral("启动“%1”时的参数：\n%f 代表要试玩的ROM（作为一个参数），"
                                       "含空格的参数请用双引号括起来。")
                            .arg(program),
                        current ? current->arguments : kImage});
    if (!line)
        return std::nullopt;
    return EmulatorChoice{program, line->trimmed()};
}

QStringList emulatorArguments(const QString &line, const QString &image)
{
    QStringList arguments = QProcess::splitCommand(line);
    bool named = false;
    for (QString &argument : arguments) {
        if (argument.contains(kImage)) {
            argument.replace(kImage, image);
            named = true;
        }
    }
    if (!named)
        arguments << image;
    return arguments;
}

} // namespace app
