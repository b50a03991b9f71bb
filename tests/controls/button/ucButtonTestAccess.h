#pragma once

#include "ucButton.h"

#include "RefreshCounting.h"

namespace controls {

// What the button keeps to itself and its tests read: the layout of the last paint, the
// input state its look follows, and the hover timer's tick, run at the test's moment.
class ucButtonTestAccess {
public:
    // Where the last paint put the caption, released and pressed, and whether it drew a
    // picture.
    static host::RECT captionRect(const ucButton &button) { return button.CaptionRect; }
    static host::RECT captionRectDown(const ucButton &button) { return button.CaptionRectDown; }
    static host::VBool hasPicture(const ucButton &button) { return button.HasPicture; }
    // The inner area and the focus rectangle, as the last resize left them.
    static host::RECT clientRect(const ucButton &button) { return button.ClientRect; }
    static host::RECT focusRect(const ucButton &button) { return button.FocusRect; }

    static host::VBool hasFocus(const ucButton &button) { return button.HasFocus; }
    static host::VBool isDown(const ucButton &button) { return button.IsDown; }
    static host::VBool isOver(const ucButton &button) { return button.IsOver; }
    static host::VBool keyIsDown(const ucButton &button) { return button.KeyIsDown; }
    static host::HBRUSH patternBrush(const ucButton &button) { return button.PatternBrush; }

    static void tmrOver_Timer(ucButton &button) { button.tmrOver_Timer(); }
};

} // namespace controls

using ButtonAccess = controls::ucButtonTestAccess;
// A button whose full repaints are counted, as the host sees them.
using WatchedButton = RefreshCounting<controls::ucButton>;
