#pragma once

#include <QApplication>

namespace host {

// The runtime's application object. A run-time error that no handler catches ends up here,
// at the event boundary: it is shown in a message box and the program goes on, with
// nothing in memory lost. Each event delivered from outside any handler begins a handler
// for the pacing of screen flushes (DisplayFrame.h).
class Application : public QApplication {
    Q_OBJECT
    Q_DISABLE_COPY(Application)
public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

private:
    int m_eventDepth = 0; // events being delivered, one inside another
};

// Reports an error that reached the event boundary.
void reportUnhandledError(const QString &description, int number);

// Maps the Windows font names the stored layout asks for onto CJK faces installed here,
// so that Chinese text never draws as boxes. Call before any window is built.
void installFontSubstitutions();

} // namespace host
