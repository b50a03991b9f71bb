#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QProcess;

namespace app {

// Where a program to start lies: a file, or a command looked for on PATH. `path` is empty
// when it cannot be started, and `failure` says why, for the person.
struct FoundProgram {
    QString path;
    QString failure;
};
FoundProgram findProgram(const QString &program);

// Starts a found program with `arguments`, detached: it runs on when the editor ends. Nothing,
// or why it did not start.
std::optional<QString> startDetached(const QString &program, const QStringList &arguments);

// The file chooser's filter for programs (Qt's form).
QString emulatorFilter();
// Sets up `process` to run `program` with `arguments` as the system starts such a file, in
// the folder where such a program expects to run (EmulatorStartPosix.cpp,
// EmulatorStartWindows.cpp).
void setUpProcess(QProcess &process, const QString &program, const QStringList &arguments);

} // namespace app
