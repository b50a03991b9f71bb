// The graphical style's picture: which of the four is drawn, where it goes against the
// caption, and which drawing call puts it on the face.

#include "ucButton.h"

#include "Gdi.h"
#include "Rounding.h"
#include "RuntimeError.h"

namespace controls {

namespace {

// Margins between the picture and the edge it is placed against.
constexpr std::int32_t kNearMargin = 3; // top and left
constexpr std::int32_t kFarMargin = 4;  // bottom and right

// A sum of the inner size (a real number to the runtime) and whole numbers, made a 32-bit
// integer at the end; overflow when it does not fit.
std::int32_t toLong(std::int64_t value)
{
    return host::roundHalfEven(static_cast<double>(value));
}

// The gap PictureTab asks for, or what is left beside the picture when gap and picture do
// not fit the inner size together. The sum itself is 32-bit and may overflow.
std::int32_t pictureGap(std::int32_t tab, std::int32_t pictureSize, std::int32_t innerSize)
{
    if (host::checkedAdd(tab, pictureSize) <= innerSize)
        return tab;
    return toLong(std::int64_t{innerSize} - pictureSize);
}

std::int32_t centred(std::int32_t innerSize, std::int32_t pictureSize, std::int32_t offset)
{
    return toLong(host::halve(toLong(std::int64_t{innerSize} - pictureSize)) +
                  std::int64_t{offset});
}

} // namespace

void ucButton::DrawPicture()
{
    const bool enabled = Enabled() != host::kFalse;
    const bool checkedLook = isCheckKind(m_appearance) && m_checked != host::kFalse;

    // The press offset moves a pressed or checked picture one pixel right and down.
    host::Picture picture;
    std::int32_t d = 0;
    if ((enabled && checkedLook) || IsDown != host::kFalse) {
        picture = m_pictureDown;
        d = 1;
    } else if (IsOver != host::kFalse) {
        picture = m_pictureOver;
    } else if (enabled) {
        picture = m_picture;
    } else {
        picture = m_pictureDisabled;
        d = checkedLook ? 1 : 0;
    }
    // No picture object falls back to Picture; an empty picture draws nothing.
    if (!picture)
        picture = m_picture;
    if (!picture || picture->isEmpty()) {
        HasPicture = host::kFalse;
        return;
    }
    HasPicture = host::kTrue;

    const std::int32_t pw = host::roundHalfEven(host::himetricToPixels(picture->Width()));
    const std::int32_t ph = host::roundHalfEven(host::himetricToPixels(picture->Height()));
    const std::int32_t SW = ScaleWidth();
    const std::int32_t SH = ScaleHeight();
    const std::int32_t T = m_pictureTab;

    // Any alignment outside the list puts the picture in the top-left corner, without the
    // press offset.
    std::int32_t x = 0;
    std::int32_t y = 0;
    switch (m_captionAlign) {
    case AlignCenter:
        x = centred(SW, pw, d);
        y = centred(SH, ph, d);
        break;
    case AlignTop:
        x = centred(SW, pw, d);
        y = toLong(std::int64_t{SH} - ph - pictureGap(T, ph, SH) - kFarMargin + d);
        break;
    case AlignBottom:
        x = centred(SW, pw, d);
        y = host::checkedAdd(host::checkedAdd(pictureGap(T, ph, SH), kNearMargin), d);
        break;
    case AlignLeft:
        x = toLong(std::int64_t{SW} - pw - pictureGap(T, pw, SW) - kFarMargin + d);
        y = centred(SH, ph, d);
        // The caption gives up the picture's width on the right; margins and gap stay.
        CaptionRect.right = host::checkedAdd(CaptionRect.right, -pw);
        CaptionRectDown.right = host::checkedAdd(CaptionRectDown.right, -pw);
        break;
    case AlignRight:
        x = host::checkedAdd(host::checkedAdd(pictureGap(T, pw, SW), kNearMargin), d);
        y = centred(SH, ph, d);
        CaptionRect.left = host::checkedAdd(CaptionRect.left, pw);
        CaptionRectDown.left = host::checkedAdd(CaptionRectDown.left, pw);
        break;
    }

    if (m_useMaskColor == host::kFalse) {
        host::PaintPicture(m_hDC, picture, x, y);
        return;
    }
    switch (picture->pictureType()) {
    case host::StdPicture::Bitmap:
        if (const host::HDC memory = host::CreateCompatibleDC(nullptr)) {
            const host::HBITMAP previous = host::SelectObject(*memory, picture);
            host::TransparentBlt(m_hDC, x, y, pw, ph, *memory, 0, 0, pw, ph, MaskColor());
            host::SelectObject(*memory, previous);
            host::DeleteDC(memory);
        }
        break;
    case host::StdPicture::Icon:
        host::DrawIconEx(m_hDC, x, y, picture, pw, ph, 0, host::HBRUSH{},
                         host::DI_NORMAL | host::DI_DEFAULTSIZE);
        break;
    case host::StdPicture::Metafile:
    case host::StdPicture::EnhMetafile:
        host::PaintPicture(m_hDC, picture, x, y);
        break;
    default:
        throw host::RuntimeError::invalidPicture();
    }
}

} // namespace controls
