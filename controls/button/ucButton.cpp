#include "ucButton.h"

#include "CaptionAccessKey.h"

#include "RuntimeError.h"

#include <limits>

namespace controls
{

namespace
{

// A Boolean argument takes the runtime's two values only, so that toggling it by its
// bitwise complement always gives the other one.
constexpr host::VBool asVBool(host::VBool value)
{
    return host::fromBool(value != 0);
}

} // namespace

ucButton::ucButton(QWidget *parent) : host::UserControl(parent)
{
    UserControl_Initialize();
}

ucButton::~ucButton()
{
    UserControl_Terminate();
}

void ucButton::ResetToDefaultColors()
{
    setButtonColor(host::kButtonFace);
    setFontColor(host::kButtonText);
}

void ucButton::setAppearance(ButtonAppearance New_Appearance)
{
    m_appearance = New_Appearance;
    Redraw();
    PropertyChanged(QStringLiteral("Appearance"));
}

void ucButton::setButtonColor(host::OleColor New_ButtonColor)
{
    m_buttonColor = New_ButtonColor;
    SetFaceColors(New_ButtonColor);
    Redraw();
    PropertyChanged(QStringLiteral("ButtonColor"));
}

void ucButton::setCaption(const QString &New_Caption)
{
    m_caption = New_Caption;
    registerAccessKey();
    Redraw();
    PropertyChanged(QStringLiteral("Caption"));
}

void ucButton::setCaptionAlign(CaptionAlignment New_CaptionAlign)
{
    m_captionAlign = New_CaptionAlign;
    Redraw();
    PropertyChanged(QStringLiteral("CaptionAlign"));
}

void ucButton::setCaptionJustify(CaptionJustification New_CaptionJustify)
{
    m_captionJustify = New_CaptionJustify;
    Redraw();
    PropertyChanged(QStringLiteral("CaptionJustify"));
}

void ucButton::setChecked(host::VBool New_Checked)
{
    m_checked = asVBool(New_Checked);
    Redraw();
    PropertyChanged(QStringLiteral("Checked"));
}

host::VBool ucButton::Enabled() const
{
    return host::fromBool(!testAttribute(Qt::WA_ForceDisabled));
}

void ucButton::setEnabled(host::VBool New_Enabled)
{
    QWidget::setEnabled(New_Enabled != 0);
    Redraw();
    PropertyChanged(QStringLiteral("Enabled"));
}

void ucButton::setFlatOver(host::VBool New_FlatOver)
{
    m_flatOver = asVBool(New_FlatOver);
    Redraw();
    PropertyChanged(QStringLiteral("FlatOver"));
}

void ucButton::setFont(const host::StdFont &New_Font)
{
    // Read every attribute first: New_Font may be pv_oFont itself.
    const QString name = New_Font.Name();
    const double size = New_Font.Size();
    const bool bold = New_Font.Bold();
    const bool italic = New_Font.Italic();
    const bool underline = New_Font.Underline();
    const bool strikethrough = New_Font.Strikethrough();
    pv_oFont->setName(name);
    pv_oFont->setSize(size);
    pv_oFont->setBold(bold);
    pv_oFont->setItalic(italic);
    pv_oFont->setUnderline(underline);
    pv_oFont->setStrikethrough(strikethrough);
}

void ucButton::setFontColor(host::OleColor New_FontColor)
{
    setForeColor(New_FontColor);
    Redraw();
    PropertyChanged(QStringLiteral("FontColor"));
}

void ucButton::setMousePointer(std::int32_t New_MousePointer)
{
    if (New_MousePointer < std::numeric_limits<std::int16_t>::min() ||
        New_MousePointer > std::numeric_limits<std::int16_t>::max())
        throw host::RuntimeError::overflow();
    UserControl::setMousePointer(static_cast<std::int16_t>(New_MousePointer));
    PropertyChanged(QStringLiteral("MousePointer"));
}

void ucButton::setMouseIcon(host::Picture New_MouseIcon)
{
    UserControl::setMouseIcon(std::move(New_MouseIcon));
    PropertyChanged(QStringLiteral("MouseIcon"));
}

void ucButton::setMaskColor(host::OleColor New_MaskColor)
{
    UserControl::setMaskColor(New_MaskColor);
    Redraw();
    PropertyChanged(QStringLiteral("MaskColor"));
}

void ucButton::setPicture(host::Picture New_Picture)
{
    m_picture = std::move(New_Picture);
    Redraw();
    PropertyChanged(QStringLiteral("Picture"));
}

void ucButton::setPictureDisabled(host::Picture New_PictureDisabled)
{
    m_pictureDisabled = std::move(New_PictureDisabled);
    Redraw();
    PropertyChanged(QStringLiteral("PictureDisabled"));
}

void ucButton::setPictureDown(host::Picture New_PictureDown)
{
    m_pictureDown = std::move(New_PictureDown);
    Redraw();
    PropertyChanged(QStringLiteral("PictureDown"));
}

void ucButton::setPictureOver(host::Picture New_PictureOver)
{
    m_pictureOver = std::move(New_PictureOver);
    Redraw();
    PropertyChanged(QStringLiteral("PictureOver"));
}

void ucButton::setPictureTab(std::int32_t New_PictureTab)
{
    m_pictureTab = New_PictureTab < 0 ? 0 : New_PictureTab;
    Redraw();
    PropertyChanged(QStringLiteral("PictureTab"));
}

void ucButton::setShowFocus(host::VBool New_ShowFocus)
{
    m_showFocus = asVBool(New_ShowFocus);
    Redraw();
    PropertyChanged(QStringLiteral("ShowFocus"));
}

void ucButton::setStyle(ButtonStyle New_Style)
{
    m_style = New_Style;
    Redraw();
    PropertyChanged(QStringLiteral("Style"));
}

void ucButton::setUseMaskColor(host::VBool New_UseMaskColor)
{
    m_useMaskColor = asVBool(New_UseMaskColor);
    Redraw();
    PropertyChanged(QStringLiteral("UseMaskColor"));
}

void ucButton::setValue(host::VBool New_Value)
{
    if (New_Value != 0)
        emit Click();
}

void ucButton::pv_oFont_FontChanged(const QString &PropertyName)
{
    Q_UNUSED(PropertyName);
    setHostFont(*pv_oFont);
    Redraw();
    PropertyChanged(QStringLiteral("Font"));
}

void ucButton::setHostFont(const host::StdFont &font)
{
    QWidget::setFont(font.toQFont());
    m_hostFontCharset = font.Charset();
}

host::Font ucButton::hostFont() const
{
    return host::StdFont::fromQFont(QWidget::font(), m_hostFontCharset);
}

void ucButton::bindFont(const host::StdFont &font)
{
    if (pv_oFont)
        disconnect(pv_oFont.get(), nullptr, this, nullptr);
    pv_oFont = font.clone();
    connect(pv_oFont.get(), &host::StdFont::FontChanged, this, &ucButton::pv_oFont_FontChanged);
}

void ucButton::registerAccessKey()
{
    setAccessKeys(captionAccessKey(m_caption));
}

} // namespace controls

#include "moc_ucButton.cpp"
