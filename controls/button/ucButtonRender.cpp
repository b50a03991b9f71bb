// The button's full repaint: face, checkerboard, picture, caption, edge and focus frame,
// drawn onto the control's backing image in that order, then shown.

#include "ucButton.h"

#include "Gdi.h"
#include "Twips.h"

namespace controls {

namespace {

// Below this many pixels a side, the control makes itself larger.
constexpr int kMinimumSize = 10;
// The focus frame sits this far inside the edge.
constexpr int kFocusInset = 4;

} // namespace

void ucButton::SetFaceColors(host::OleColor color)
{
    // A colour that cannot be translated is used as it is.
    FaceColor = host::OleTranslateColor(color).value_or(color);
    LightColor = ShiftColor(FaceColor, 31);
    HighlightColor = ShiftColor(FaceColor, 63);
    ShadowColor = ShiftColor(FaceColor, -64);
    DarkShadowColor = ShiftColor(FaceColor, -192);
}

host::ColorRef ucButton::ShiftColor(host::ColorRef color, std::int32_t amount)
{
    auto shift = [amount](int channel) {
        const std::int64_t value = std::int64_t{channel} + amount;
        if (amount > 0 && value > 255)
            return 255;
        if (amount < 0 && value < 0)
            return 0;
        return static_cast<int>(value);
    };
    return host::RGB(shift(host::GetRValue(color)), shift(host::GetGValue(color)),
                     shift(host::GetBValue(color)));
}

void ucButton::UserControl_Resize()
{
    // Growing the control may bring a nested resize notification first; what follows then
    // runs again with the same, enlarged size.
    if (ScaleWidth() < kMinimumSize)
        extenderMove(extenderLeft(), extenderTop(), kMinimumSize * host::kTwipsPerPixel,
                     extenderHeight());
    if (ScaleHeight() < kMinimumSize)
        extenderMove(extenderLeft(), extenderTop(), extenderWidth(),
                     kMinimumSize * host::kTwipsPerPixel);
    ClientRect.right = ScaleWidth();
    ClientRect.bottom = ScaleHeight();
    FocusRect = ClientRect;
    host::InflateRect(FocusRect, -kFocusInset, -kFocusInset);
    Redraw();
}

void ucButton::Redraw()
{
    // The context draws with the host control's font and foreground colour.
    m_hDC.setFont(QWidget::font());
    m_hDC.setTextColor(host::translateOrBlack(FontColor()));

    InitCaptionRects();

    const host::HBRUSH face = host::CreateSolidBrush(FaceColor);
    host::FillRect(m_hDC, ClientRect, face);
    host::DeleteObject(face);

    // A checked check button rests on a checkerboard of the face and the system highlight;
    // held down, it shows the plain face.
    if (isCheckKind(m_appearance) && m_checked != host::kFalse && IsDown == host::kFalse) {
        const host::ColorRef textColor = host::GetTextColor(m_hDC);
        host::SetBkColor(m_hDC, FaceColor);
        host::SetTextColor(m_hDC, host::GetSysColor(host::COLOR_BTNHIGHLIGHT));
        host::FillRect(m_hDC, ClientRect, PatternBrush);
        host::SetTextColor(m_hDC, textColor);
    }

    if (m_style == Graphical)
        DrawPicture();
    DrawCaption();
    DrawBorder();

    if (HasFocus != host::kFalse && m_showFocus != host::kFalse) {
        const host::ColorRef textColor = host::GetTextColor(m_hDC);
        host::SetTextColor(m_hDC, host::RGB(0, 0, 0));
        host::DrawFocusRect(m_hDC, FocusRect);
        host::SetTextColor(m_hDC, textColor);
    }

    Refresh();
}

} // namespace controls
