#pragma once

#include "GdiTypes.h"

#include <QString>

#include <cstdint>

namespace host
{

// DrawTextA on a device context, with its font and text colour; count -1 takes the whole
// text, else its first count UTF-16 units. Understood flags: DT_LEFT, DT_CENTER, DT_RIGHT,
// DT_WORDBREAK, DT_SINGLELINE with DT_VCENTER or DT_BOTTOM, DT_NOCLIP, DT_CALCRECT and
// DT_NOPREFIX; other bits change nothing.
//
// Text breaks into lines at CR, LF and CR LF, and with DT_WORDBREAK also between words
// (only at spaces; the spaces at a break are dropped; a word wider than the line stays
// whole). Without DT_NOPREFIX "&" hides itself and underlines the character after it (the
// last such character of a line, if there are several), "&&" is one "&", and a "&" at the
// very end is drawn as it is. Each line is one line height of the font (its ascent plus
// descent) whatever fallback fonts its characters need, and lines are drawn from the
// rectangle's top, clipped to the rectangle, with a background box in the background
// colour only in OPAQUE mode.
//
// DT_CALCRECT draws nothing and sets the rectangle's bottom to top + lines x line height
// and its right to left + the widest line. Returns the height of the text.
int DrawTextA(DeviceContext &dc, const QString &text, int count, RECT &rect, unsigned format);

} // namespace host
