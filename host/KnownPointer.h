#pragma once

#include <QPoint>
#include <QPointer>
#include <QWindow>

#include <cstdint>

class QEvent;
class QObject;
class QTimer;

namespace host {

// What Qt has already told the program about the pointer: where its last event put it,
// and which of the program's windows it was in, none once it left them all. Reading it
// costs no round trip to the window system, unlike asking where the pointer is now.
struct KnownPointer {
    QPoint position;          // screen pixels
    QPointer<QWindow> window; // null: in none of the program's windows
    // Counts the events after which something else may lie under the pointer: its moves,
    // presses and releases, and every enter and leave, including those Qt sends when a
    // widget under the pointer is shown, hidden or moved.
    std::uint64_t changes = 0;
};

const KnownPointer &knownPointer();

// Starts `timer` again at the next of those events. A timer that polls what lies under the
// pointer stops while nothing can have changed, rather than wake the program for nothing.
void restartAtPointerChange(QTimer *timer);

// Called for every event the application delivers, before it is delivered.
void notePointerEvent(QObject *receiver, const QEvent *event);

} // namespace host
