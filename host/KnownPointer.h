#pragma once

#include <QPoint>
#include <QPointer>
#include <QWindow>

class QEvent;
class QObject;

namespace host {

// What Qt has already told the program about the pointer: where its last event put it,
// and which of the program's windows it was in, none once it left them all. Reading it
// costs no round trip to the window system, unlike asking where the pointer is now.
struct KnownPointer {
    QPoint position;          // screen pixels
    QPointer<QWindow> window; // null: in none of the program's windows
};

const KnownPointer &knownPointer();

// Called for every event the application delivers, before it is delivered.
void notePointerEvent(QObject *receiver, const QEvent *event);

} // namespace host
