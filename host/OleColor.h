#pragma once

#include <QRgb>

#include <cstdint>
#include <optional>

namespace host {

// OLE colours: a value with the high bit set names a system colour by its low byte;
// any other value is 0x00BBGGRR.
using OleColor = std::uint32_t;

constexpr OleColor kButtonFace = 0x8000000F;
constexpr OleColor kButtonText = 0x80000012;
constexpr OleColor kHighlight = 0x8000000D;
constexpr OleColor kActiveBorder = 0x8000000A;
constexpr OleColor kWindowBackground = 0x80000005;

enum SystemColor : int {
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_ACTIVECAPTION = 2,
    COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_ACTIVEBORDER = 10,
    COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
};

// A COLORREF as GDI holds it: 0x00BBGGRR.
using ColorRef = std::uint32_t;

constexpr ColorRef RGB(int r, int g, int b)
{
    return static_cast<ColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(ColorRef c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(ColorRef c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(ColorRef c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr QRgb toQRgb(ColorRef c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }
constexpr ColorRef fromQRgb(QRgb c) { return RGB(qRed(c), qGreen(c), qBlue(c)); }

// The system colour table: the platform's palette where it has the role, the classic
// Windows defaults elsewhere.
ColorRef GetSysColor(int index);

// Translates an OLE colour to a COLORREF; nothing for an unknown system colour index or
// a value whose high byte is neither 0 nor 0x80.
std::optional<ColorRef> OleTranslateColor(OleColor color);

// The same, black when the translation fails.
ColorRef translateOrBlack(OleColor color);

} // namespace host
