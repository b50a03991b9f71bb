#pragma once

namespace host {

// How often a control's Refresh puts its image on the screen. Each flush to the screen is
// a round trip to the display server, and the screen shows no more than one picture a
// display frame (about 16 ms) anyway. While an event handler runs, a Refresh reaches the
// screen only a frame or more after the handler began or after the last flush; the others
// wait for the return to the event loop, which shows them all at once. So a short handler
// flushes once, when it returns, and long work still shows its progress every frame.

// The application calls this as it begins to deliver an event that no other handler is
// running around.
void beginEventHandler();

// True when a Refresh is to reach the screen now.
bool takeDisplayFrame();

} // namespace host
