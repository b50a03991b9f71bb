#pragma once

#include "GdiTypes.h"

#include <functional>

class QWidget;

namespace host {

// The pointer's position on the screen, in pixels, as the program's last pointer event
// gave it (KnownPointer.h): the hover timers ask every 10 ms, so the window system is
// never asked.
bool GetCursorPos(POINT &point);

// The innermost window of the program at a point of the screen, or nullptr where another
// program's window or none is: a child window counts as itself, not as its parent.
// Answered through a replaceable seam so that tests decide where the pointer is.
QWidget *WindowFromPoint(POINT point);

using WindowFromPointHandler = std::function<QWidget *(POINT)>;

// Installs a handler and returns the one it replaces.
WindowFromPointHandler setWindowFromPointHandler(WindowFromPointHandler handler);

} // namespace host
