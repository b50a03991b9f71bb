#pragma once

namespace host {

// How often a control's Refresh puts its image on the screen. Each flush to the screen is
// a round trip to the display server, and the screen shows no more than one picture a
// display frame (about 16 ms) anyway. The first Refresh of an event handler reaches the
// screen at once; while the handler goes on, at most one a frame does, and the others
// wait for the return to the event loop, which shows them all at once.

// The application calls this as it begins to deliver an event that no other handler is
// running around.
void beginEventHandler();

// True when a Refresh is to reach the screen now.
bool takeDisplayFrame();

} // namespace host
