// The caption: its two rectangles (released and pressed), its vertical place around the
// picture, and its drawing, embossed in the face's shades while the control is disabled.

#include "ucButton.h"

#include "Gdi.h"
#include "Rounding.h"

namespace controls {

void ucButton::InitCaptionRects()
{
    // The pressed rectangle is one pixel further right and down, but keeps its bottom.
    const std::int32_t SW = ScaleWidth();
    const std::int32_t SH = ScaleHeight();
    host::SetRect(CaptionRect, 4, 3, SW - 4, SH - 2);
    host::SetRect(CaptionRectDown, 5, 4, SW - 3, SH - 2);
}

void ucButton::DrawCaption()
{
    const std::int64_t SH = ScaleHeight();
    const bool besidePicture = m_style == Graphical && HasPicture != host::kFalse;

    // Sets the rectangle's top from the height the caption takes when broken into lines
    // at its width; the bottom stays, so a tall caption is clipped above the bottom edge.
    // Beside a picture at the bottom, or with an alignment outside the list, the caption
    // keeps the top of its rectangle.
    const auto place = [&](host::RECT &rect, std::int64_t offset) {
        host::RECT measured = rect;
        host::DrawTextA(m_hDC, m_caption, -1, measured, host::DT_CALCRECT | host::DT_WORDBREAK);
        const std::int64_t h = std::int64_t{measured.bottom} - measured.top;
        std::int64_t top = rect.top;
        if (!besidePicture || m_captionAlign == AlignCenter || m_captionAlign == AlignLeft ||
            m_captionAlign == AlignRight)
            top = host::halve(host::roundHalfEven(static_cast<double>(SH - h))) + offset;
        else if (m_captionAlign == AlignBottom)
            top = SH - h - 6 + offset;
        rect.top = host::roundHalfEven(static_cast<double>(top));
    };
    place(CaptionRectDown, 1);
    place(CaptionRect, 0);

    // CaptionJustify goes through as the call's alignment flags, whatever bits it holds.
    const unsigned format = static_cast<unsigned>(m_captionJustify) | host::DT_WORDBREAK;
    if (Enabled() != host::kFalse) {
        const bool pressed =
            IsDown != host::kFalse || (isCheckKind(m_appearance) && m_checked != host::kFalse);
        host::DrawTextA(m_hDC, m_caption, -1, pressed ? CaptionRectDown : CaptionRect, format);
        return;
    }
    // Disabled: a light copy one pixel down and right under a shaded one, never pressed.
    const host::ColorRef textColor = host::GetTextColor(m_hDC);
    host::SetTextColor(m_hDC, HighlightColor);
    host::DrawTextA(m_hDC, m_caption, -1, CaptionRectDown, format);
    host::SetTextColor(m_hDC, ShadowColor);
    host::DrawTextA(m_hDC, m_caption, -1, CaptionRect, format);
    host::SetTextColor(m_hDC, textColor);
}

} // namespace controls
