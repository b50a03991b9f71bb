// The button's edge: a one-pixel ring for the flat kinds, two rings for the bevelled ones,
// in shades of the face colour, raised or sunken by state.

#include "ucButton.h"

#include "Gdi.h"

#include <optional>

namespace controls {

namespace {

// The colours of one look: the outer ring's top-left and bottom-right halves and, for the
// bevelled kinds, the inner ring's.
struct EdgeColors {
    host::ColorRef outerTopLeft = 0;
    host::ColorRef outerBottomRight = 0;
    std::optional<host::ColorRef> innerTopLeft;
    std::optional<host::ColorRef> innerBottomRight;
};

} // namespace

void ucButton::DrawBorder()
{
    const bool down = IsDown != host::kFalse;
    const bool checked = m_checked != host::kFalse;
    // Only the flat kinds hide their edge while the pointer is away.
    const bool hiddenUntilOver = IsOver == host::kFalse && m_flatOver != host::kFalse;

    std::optional<EdgeColors> colors;
    switch (m_appearance) {
    case Flat:
    case FlatCheck:
        if (down || (m_appearance == FlatCheck && checked))
            colors = EdgeColors{ShadowColor, HighlightColor, {}, {}};
        else if (!hiddenUntilOver)
            colors = EdgeColors{HighlightColor, ShadowColor, {}, {}};
        break;
    case ThreeD:
    case ThreeDCheck:
        if (down || (m_appearance == ThreeDCheck && checked))
            colors = EdgeColors{DarkShadowColor, HighlightColor, ShadowColor, LightColor};
        else
            colors = EdgeColors{HighlightColor, DarkShadowColor, LightColor, ShadowColor};
        break;
    }
    // Appearance values outside the list draw no edge at all.
    if (!colors)
        return;

    // Each line leaves out its end point, so the corners go to the later line.
    const std::int32_t W = ScaleWidth();
    const std::int32_t H = ScaleHeight();
    DrawLine(0, H - 1, 0, 0, colors->outerTopLeft);
    DrawLine(0, 0, W - 1, 0, colors->outerTopLeft);
    DrawLine(W - 1, 0, W - 1, H - 1, colors->outerBottomRight);
    DrawLine(W - 1, H - 1, -1, H - 1, colors->outerBottomRight);
    if (colors->innerTopLeft) {
        DrawLine(1, H - 2, 1, 1, *colors->innerTopLeft);
        DrawLine(1, 1, W - 2, 1, *colors->innerTopLeft);
    }
    if (colors->innerBottomRight) {
        DrawLine(W - 2, 1, W - 2, H - 2, *colors->innerBottomRight);
        DrawLine(W - 2, H - 2, 0, H - 2, *colors->innerBottomRight);
    }
}

void ucButton::DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                        host::ColorRef color)
{
    const host::HPEN pen = host::CreatePen(host::PS_SOLID, 1, color);
    const host::HPEN previous = host::SelectObject(m_hDC, pen);
    host::MoveToEx(m_hDC, x1, y1);
    host::LineTo(m_hDC, x2, y2);
    host::SelectObject(m_hDC, previous);
    host::DeleteObject(pen);
}

} // namespace controls
