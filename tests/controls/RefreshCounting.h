#pragma once

// A control whose requests to show its image on the screen are counted, the way a host
// would see them: one per full repaint of the control.
template <typename Control> class RefreshCounting : public Control {
public:
    using Control::Control;

    void Refresh() override
    {
        ++refreshes;
        Control::Refresh();
    }

    int refreshes = 0;
};
