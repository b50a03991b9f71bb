#pragma once

#include <QString>
#include <QStringList>

namespace app {

// What the editor's command line asks for, read before the application object is made, so
// that --help and --version need no window and no display.
struct StartRequest {
    enum class Kind {
        Window,  // start the window, with `image` open where one is named
        Help,    // print the usage and end
        Version, // print the version and end
        Refused, // a usage error: `text` says which
    };
    Kind kind = Kind::Window;
    QString image;
    // --compare: the image or patch the marks of changed cells compare `image` with.
    QString reference;
    QString text;
};

// `arguments` as the program received them, the program's own name first.
StartRequest readStartRequest(const QStringList &arguments);

// Answers a request that needs no window; the program's exit status: 0, or 2 for a usage
// error, as tarvos-cli gives.
int answerWithoutWindow(const StartRequest &request);

// The program's arguments as the system passed them, in full Unicode on every platform
// (StartRequestPosix.cpp, StartRequestWindows.cpp).
QStringList programArguments(int argc, char **argv);

// Shows a text to the person who started the program: on the terminal, or on Windows on the
// console it was started from, or in a message box where there is none.
void showStartText(const QString &text, bool isError);

} // namespace app
