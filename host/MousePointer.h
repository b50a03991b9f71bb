#pragma once

#include "Picture.h"

#include <QCursor>

#include <cstdint>
#include <optional>

namespace host {

// The runtime's pointer numbers.
enum MousePointerShape : std::int16_t {
    vbDefault = 0,
    vbArrow = 1,
    vbCrosshair = 2,
    vbIbeam = 3,
    vbIconPointer = 4,
    vbSizePointer = 5,
    vbSizeNESW = 6,
    vbSizeNS = 7,
    vbSizeNWSE = 8,
    vbSizeWE = 9,
    vbUpArrow = 10,
    vbHourglass = 11,
    vbNoDrop = 12,
    vbArrowHourglass = 13,
    vbArrowQuestion = 14,
    vbSizeAll = 15,
    vbCustom = 99,
};

// The pointer a control shows for a pointer number: nothing for the default (the control
// shows its container's pointer), for a number the runtime does not know, and for the
// custom pointer without a picture.
std::optional<QCursor> cursorForPointer(std::int16_t pointer, const Picture &icon);

} // namespace host
