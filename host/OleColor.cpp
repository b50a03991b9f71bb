#include "OleColor.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>

namespace host {

namespace {

// The classic Windows colour scheme.
constexpr std::array<ColorRef, 31> kWindowsDefaults = {
    RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219),
    RGB(240, 240, 240), RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),
    RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(180, 180, 180), RGB(244, 247, 252),
    RGB(171, 171, 171), RGB(0, 120, 215),   RGB(255, 255, 255), RGB(240, 240, 240),
    RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),
    RGB(255, 255, 225), RGB(0, 102, 204),   RGB(185, 209, 234), RGB(215, 228, 242),
    RGB(240, 240, 240), RGB(0, 120, 215),   RGB(240, 240, 240),
};

std::optional<QPalette::ColorRole> paletteRole(int index)
{
    switch (index) {
    case COLOR_WINDOW:
        return QPalette::Base;
    case COLOR_WINDOWTEXT:
        return QPalette::Text;
    case COLOR_HIGHLIGHT:
        return QPalette::Highlight;
    case COLOR_HIGHLIGHTTEXT:
        return QPalette::HighlightedText;
    case COLOR_BTNFACE:
        return QPalette::Button;
    case COLOR_BTNTEXT:
        return QPalette::ButtonText;
    case COLOR_BTNSHADOW:
        return QPalette::Mid;
    case COLOR_BTNHIGHLIGHT:
        return QPalette::Light;
    case COLOR_3DDKSHADOW:
        return QPalette::Shadow;
    case COLOR_INFOTEXT:
        return QPalette::ToolTipText;
    case COLOR_INFOBK:
        return QPalette::ToolTipBase;
    default:
        return std::nullopt;
    }
}

} // namespace

ColorRef GetSysColor(int index)
{
    if (index < 0 || index >= static_cast<int>(kWindowsDefaults.size()))
        return 0;
    if (qGuiApp) {
        if (const auto role = paletteRole(index))
            return fromQRgb(QGuiApplication::palette().color(QPalette::Active, *role).rgb());
    }
    return kWindowsDefaults[static_cast<std::size_t>(index)];
}

std::optional<ColorRef> OleTranslateColor(OleColor color)
{
    const std::uint32_t highByte = color >> 24;
    if (highByte == 0x80) {
        const int index = static_cast<int>(color & 0xFF);
        if ((color & 0x00FFFF00) != 0 || index >= static_cast<int>(kWindowsDefaults.size()))
            return std::nullopt;
        return GetSysColor(index);
    }
    if (highByte == 0)
        return color;
    return std::nullopt;
}

ColorRef translateOrBlack(OleColor color) { return OleTranslateColor(color).value_or(0); }

} // namespace host
