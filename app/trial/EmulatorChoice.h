#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace app {

// The program F5 starts on a copy of the image, and the line of its arguments, where "%f"
// stands for the copy as one argument. Both are kept with the program's other settings.
struct EmulatorChoice {
    QString program; // a file, or a command looked for on PATH
    QString arguments;
};

// What F5 chose before; nothing before the first choice.
std::optional<EmulatorChoice> rememberedEmulator();
void rememberEmulator(const EmulatorChoice &choice);

// Asks for the program in a file chooser and then for its arguments, starting from `current`;
// nothing when either is cancelled. A name typed into the chooser that names no file there
// but a command on PATH is taken as that command.
std::optional<EmulatorChoice> askForEmulator(QWidget *owner,
                                             const std::optional<EmulatorChoice> &current);

// The arguments the program is started with: the line split as a shell splits it, so that
// quotes keep a path with spaces whole, with "%f" in each replaced by `image`; where no
// argument holds "%f", the image is the last argument.
QStringList emulatorArguments(const QString &line, const QString &image);

} // namespace app
