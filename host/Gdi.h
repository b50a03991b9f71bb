#pragma once

// The drawing calls the controls make on their device contexts, named after the Windows
// calls they stand for and with the Windows meaning where it differs from Qt's: fills and
// lines leave out the right, bottom and end pixels, monochrome patterns paint 0 bits in
// the text colour, and text is laid out line by line as DrawTextA lays it out.

#include "DeviceContext.h"
#include "DrawText.h"
#include "GdiObjects.h"
#include "GdiTypes.h"
#include "OleColor.h"
#include "Picture.h"

namespace host
{

// Rectangles. Sums that leave the 32-bit range wrap around, as the system's do.
bool SetRect(RECT &rect, std::int32_t left, std::int32_t top, std::int32_t right,
             std::int32_t bottom);
bool InflateRect(RECT &rect, std::int32_t dx, std::int32_t dy);

// Fills left..right-1 x top..bottom-1; a rectangle with right <= left or bottom <= top
// fills nothing. Pattern brushes are aligned to the context's origin.
bool FillRect(DeviceContext &dc, const RECT &rect, HBRUSH brush);

ColorRef GetTextColor(const DeviceContext &dc);
ColorRef SetTextColor(DeviceContext &dc, ColorRef color); // returns the previous colour
ColorRef GetBkColor(const DeviceContext &dc);
ColorRef SetBkColor(DeviceContext &dc, ColorRef color); // returns the previous colour
int SetBkMode(DeviceContext &dc,
              int mode); // TRANSPARENT or OPAQUE; the previous mode, 0 if refused

// Each returns the object selected before, or 0 when the handle names no such object and
// nothing changed. Bitmaps go only into memory contexts; a picture must be a non-empty
// bitmap. While a picture is selected there is no previous handle to return (0).
HPEN SelectObject(DeviceContext &dc, HPEN pen);
HBRUSH SelectObject(DeviceContext &dc, HBRUSH brush);
HBITMAP SelectObject(DeviceContext &dc, HBITMAP bitmap);
HBITMAP SelectObject(DeviceContext &dc, const Picture &bitmap);

// Lines with the selected pen from the current position: the start pixel is drawn, the end
// pixel is not, whichever way the line runs; the end becomes the current position. Lines
// with a coordinate beyond +-2^27, the system's drawing range, are not drawn.
bool MoveToEx(DeviceContext &dc, std::int32_t x, std::int32_t y, POINT *previous = nullptr);
bool LineTo(DeviceContext &dc, std::int32_t x, std::int32_t y);

// Inverts every other pixel of the rectangle's outline (those with x + y even), so that
// drawing it a second time takes it away.
bool DrawFocusRect(DeviceContext &dc, const RECT &rect);

// Copies a source rectangle to a destination rectangle, stretched by pixel repetition, and
// leaves out every source pixel whose colour is the transparent colour. A system colour
// (high bit set) stands for its current value.
bool TransparentBlt(DeviceContext &dest, std::int32_t xDest, std::int32_t yDest,
                    std::int32_t widthDest, std::int32_t heightDest, DeviceContext &source,
                    std::int32_t xSource, std::int32_t ySource, std::int32_t widthSource,
                    std::int32_t heightSource, OleColor transparent);

// Draws an icon picture over what is there, through its own transparency, at width x
// height (0 means the system icon size with DI_DEFAULTSIZE, else the icon's own size).
// With a brush, the icon's rectangle is filled with it first. Only whole icons are drawn:
// flags without both DI_IMAGE and DI_MASK, and pictures that are no icon, draw nothing.
bool DrawIconEx(DeviceContext &dc, std::int32_t x, std::int32_t y, const Picture &icon,
                std::int32_t width, std::int32_t height, unsigned stepIfAnimated,
                HBRUSH flickerFreeDraw, unsigned flags);

// The runtime's PaintPicture at the picture's natural size: a bitmap opaque, an icon or a
// metafile through its own transparency. No picture, an empty one or one of a type this
// host cannot draw raises RuntimeError 481.
void PaintPicture(DeviceContext &dc, const Picture &picture, std::int32_t x, std::int32_t y);

} // namespace host
