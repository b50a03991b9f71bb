#pragma once

#include <cstdint>

namespace host
{

class DeviceContext;

// A rectangle in device pixels; right and bottom are exclusive.
struct RECT {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const RECT &, const RECT &) = default;
};

struct POINT {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const POINT &, const POINT &) = default;
};

// A handle to one kind of drawing object; 0 is no object, as the drawing calls return when
// they fail. The kinds do not convert into each other.
template <typename Kind> struct GdiHandle {
    std::uint32_t value = 0;

    constexpr explicit operator bool() const { return value != 0; }
    friend constexpr bool operator==(GdiHandle, GdiHandle) = default;
};

using HBRUSH = GdiHandle<struct BrushKind>;
using HPEN = GdiHandle<struct PenKind>;
using HBITMAP = GdiHandle<struct BitmapKind>;

// A memory device context made by CreateCompatibleDC; the owner is the object table, until
// DeleteDC.
using HDC = DeviceContext *;

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_NULL = 5;

// Background modes for text.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// DrawTextA flags.
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;

// DrawIconEx flags.
constexpr unsigned DI_MASK = 0x1;
constexpr unsigned DI_IMAGE = 0x2;
constexpr unsigned DI_NORMAL = 0x3;
constexpr unsigned DI_DEFAULTSIZE = 0x8;

// The system's icon size, which DI_DEFAULTSIZE draws at when no size is given.
constexpr int kSystemIconSize = 32;

} // namespace host
