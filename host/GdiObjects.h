#pragma once

#include "GdiTypes.h"
#include "OleColor.h"

#include <QImage>

namespace host
{

// The drawing objects behind the handles. A monochrome bitmap holds black for its 0 bits
// and white for its 1 bits; a pattern made from one paints 0 bits in the device context's
// text colour and 1 bits in its background colour.
struct GdiBitmap {
    QImage image; // Format_RGB32
    bool monochrome = false;
};

struct GdiBrush {
    ColorRef color = 0; // a solid brush's colour
    GdiBitmap pattern;  // a pattern brush's own copy of its bitmap; null for a solid brush
    bool isPattern() const { return !pattern.image.isNull(); }
};

struct GdiPen {
    int style = PS_SOLID;
    int width = 1;
    ColorRef color = 0;
};

// The objects a device context holds before anything else is selected into it. They are
// never counted and never deleted.
constexpr HPEN kStockPen{1};       // black, solid, one pixel
constexpr HBRUSH kStockBrush{2};   // white
constexpr HBITMAP kStockBitmap{3}; // one black monochrome pixel

HBRUSH CreateSolidBrush(ColorRef color);
// A brush that tiles the bitmap from the device context's origin. The brush keeps its own
// copy, so the bitmap may be deleted once the brush is made.
HBRUSH CreatePatternBrush(HBITMAP bitmap);
// Styles PS_SOLID and PS_NULL; width 0 and 1 both draw one pixel wide. Other styles give
// no pen (0).
HPEN CreatePen(int style, int width, ColorRef color);
// A bitmap of width x height from bits laid out as Windows lays them: rows from the top,
// each row padded to a 16-bit word; one plane of 1 bit per pixel (most significant bit
// leftmost, 1 = white) or 32 bits per pixel (blue, green, red, unused). Without bits the
// bitmap is black. Any other layout, or a size outside 1..32767, gives no bitmap (0).
HBITMAP CreateBitmap(int width, int height, unsigned planes, unsigned bitsPerPixel,
                     const void *bits);

// False for 0 and for handles that name no live object. Deleting an object that a device
// context still has selected succeeds; that context then draws nothing with it.
bool DeleteObject(HBRUSH brush);
bool DeleteObject(HPEN pen);
bool DeleteObject(HBITMAP bitmap);

// A memory device context with the stock one-pixel bitmap selected. Every memory context
// is compatible with the screen, so the reference context is not consulted.
HDC CreateCompatibleDC(const DeviceContext *reference);
bool DeleteDC(HDC dc);

// Brushes, pens, bitmaps and memory device contexts made and not yet deleted, as the
// platform tells a process how many drawing objects it holds.
int gdiObjectCount();

// The live object behind a handle, or nullptr.
const GdiBrush *findBrush(HBRUSH brush);
const GdiPen *findPen(HPEN pen);
GdiBitmap *findBitmap(HBITMAP bitmap);

} // namespace host
