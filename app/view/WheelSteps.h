#pragma once

namespace app {

// Turns a wheel's or a touchpad's small steps into whole ones. A high-resolution wheel or a
// touchpad sends many events for what a plain wheel sends as one notch; their deltas add up
// (angles to 120 eighths of a degree a notch, pixels to a cell's length), and what is left
// over waits for the next event. An event for another use, in another unit or the other
// way round starts afresh.
class WheelSteps {
public:
    enum class Use { Zoom, ScrollDown, ScrollAcross };

    // Adds `delta` to the turn under way; returns the whole steps of `step` it completes,
    // negative where the delta is.
    int add(Use use, int delta, int step);

private:
    Use m_use = Use::Zoom;
    int m_step = 0;
    int m_left = 0;
};

} // namespace app
