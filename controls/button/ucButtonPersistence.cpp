#include "ucButton.h"

#include "RuntimeError.h"

namespace controls
{

namespace
{

// Bag keys, which are also the names under which the properties are marked changed.
const QString kAppearance = QStringLiteral("Appearance");
const QString kButtonColor = QStringLiteral("ButtonColor");
const QString kCaption = QStringLiteral("Caption");
const QString kCaptionAlign = QStringLiteral("CaptionAlign");
const QString kCaptionJustify = QStringLiteral("CaptionJustify");
const QString kChecked = QStringLiteral("Checked");
const QString kEnabled = QStringLiteral("Enabled");
const QString kFlatOver = QStringLiteral("FlatOver");
const QString kFont = QStringLiteral("Font");
const QString kFontColor = QStringLiteral("FontColor");
const QString kMaskColor = QStringLiteral("MaskColor");
const QString kMouseIcon = QStringLiteral("MouseIcon");
const QString kMousePointer = QStringLiteral("MousePointer");
const QString kPicture = QStringLiteral("Picture");
const QString kPictureDisabled = QStringLiteral("PictureDisabled");
const QString kPictureDown = QStringLiteral("PictureDown");
const QString kPictureOver = QStringLiteral("PictureOver");
const QString kPictureTab = QStringLiteral("PictureTab");
const QString kShowFocus = QStringLiteral("ShowFocus");
const QString kStyle = QStringLiteral("Style");
const QString kUseMaskColor = QStringLiteral("UseMaskColor");

// The default of MaskColor in the bag differs from the host control's initial mask colour.
constexpr host::OleColor kDefaultMaskColor = 0x00FF00FF;

// Colours are saved as the 32-bit signed number with the same bits.
QVariant colorValue(host::OleColor color)
{
    return static_cast<std::int32_t>(color);
}
host::OleColor toOleColor(const QVariant &value)
{
    return static_cast<host::OleColor>(host::toLong(value));
}

// The enumerations are saved as their 32-bit values.
template <typename Enum> QVariant int32Value(Enum value)
{
    return static_cast<std::int32_t>(value);
}

host::VBool toVBool(const QVariant &value)
{
    return host::fromBool(host::toBoolean(value));
}
QVariant boolValue(host::VBool value)
{
    return value != 0;
}

// A stored picture: absent is no picture object; anything else must be a picture.
host::Picture toPicture(const QVariant &value)
{
    if (!value.isValid())
        return nullptr;
    if (value.metaType() != QMetaType::fromType<host::Picture>())
        throw host::RuntimeError::typeMismatch();
    return value.value<host::Picture>();
}

// A picture that holds no image is not stored.
QVariant pictureValue(const host::Picture &picture)
{
    if (!picture || picture->isEmpty())
        return {};
    return QVariant::fromValue(picture);
}

QVariant fontValue(const host::Font &font)
{
    return QVariant::fromValue(font);
}

} // namespace

void ucButton::InitProperties()
{
    m_appearance = ThreeD;
    m_caption = ambient().displayName;
    m_captionAlign = AlignCenter;
    m_captionJustify = JustifyCenter;
    m_checked = host::kFalse;
    m_flatOver = host::kFalse;
    m_showFocus = host::kTrue;
    m_style = Standard;
    m_useMaskColor = host::kFalse;
    m_picture = host::LoadPicture();
    m_pictureDisabled = host::LoadPicture();
    m_pictureDown = host::LoadPicture();
    m_pictureOver = host::LoadPicture();
    m_pictureTab = 0;
    const host::Font ambientFont = host::StdFont::fromQFont(ambient().font);
    setHostFont(*ambientFont);
    bindFont(*ambientFont);
    m_buttonColor = ambient().backColor;
    SetFaceColors(m_buttonColor);
    registerAccessKey();
}

void ucButton::ReadProperties(const host::PropertyBag &bag)
{
    // Each value goes to its place as soon as it is read, so that a key that fails to
    // convert leaves the ones before it loaded.
    QWidget::setEnabled(host::toBoolean(bag.ReadProperty(kEnabled, true)));
    setForeColor(toOleColor(bag.ReadProperty(kFontColor, colorValue(host::kButtonText))));
    UserControl::setMousePointer(host::toInteger(bag.ReadProperty(kMousePointer, 0)));
    UserControl::setMaskColor(
        toOleColor(bag.ReadProperty(kMaskColor, colorValue(kDefaultMaskColor))));
    UserControl::setMouseIcon(toPicture(bag.ReadProperty(kMouseIcon)));
    m_appearance = static_cast<ButtonAppearance>(
        host::toLong(bag.ReadProperty(kAppearance, int32Value(ThreeD))));
    m_buttonColor = toOleColor(bag.ReadProperty(kButtonColor, colorValue(host::kButtonFace)));
    m_caption = host::toText(bag.ReadProperty(kCaption, ambient().displayName));
    m_captionAlign = static_cast<CaptionAlignment>(
        host::toLong(bag.ReadProperty(kCaptionAlign, int32Value(AlignCenter))));
    m_captionJustify = static_cast<CaptionJustification>(
        host::toLong(bag.ReadProperty(kCaptionJustify, int32Value(JustifyCenter))));
    m_checked = toVBool(bag.ReadProperty(kChecked, false));
    m_flatOver = toVBool(bag.ReadProperty(kFlatOver, false));
    m_showFocus = toVBool(bag.ReadProperty(kShowFocus, true));
    m_style =
        static_cast<ButtonStyle>(host::toLong(bag.ReadProperty(kStyle, int32Value(Standard))));
    m_useMaskColor = toVBool(bag.ReadProperty(kUseMaskColor, false));
    m_picture = toPicture(bag.ReadProperty(kPicture));
    m_pictureDisabled = toPicture(bag.ReadProperty(kPictureDisabled));
    m_pictureDown = toPicture(bag.ReadProperty(kPictureDown));
    m_pictureOver = toPicture(bag.ReadProperty(kPictureOver));
    m_pictureTab = host::toLong(bag.ReadProperty(kPictureTab, 0));

    const QVariant storedFont = bag.ReadProperty(kFont);
    host::Font font;
    if (!storedFont.isValid())
        font = host::StdFont::fromQFont(ambient().font);
    else if (storedFont.metaType() == QMetaType::fromType<host::Font>())
        font = storedFont.value<host::Font>();
    if (!font)
        throw host::RuntimeError::typeMismatch();
    setHostFont(*font);
    bindFont(*font);

    SetFaceColors(m_buttonColor);
    registerAccessKey();
}

void ucButton::WriteProperties(host::PropertyBag &bag) const
{
    bag.WriteProperty(kAppearance, int32Value(m_appearance), int32Value(ThreeD));
    bag.WriteProperty(kButtonColor, colorValue(m_buttonColor), colorValue(host::kButtonFace));
    bag.WriteProperty(kCaption, m_caption, ambient().displayName);
    bag.WriteProperty(kCaptionAlign, int32Value(m_captionAlign), int32Value(AlignCenter));
    bag.WriteProperty(kCaptionJustify, int32Value(m_captionJustify), int32Value(JustifyCenter));
    bag.WriteProperty(kChecked, boolValue(m_checked), false);
    bag.WriteProperty(kEnabled, boolValue(Enabled()), true);
    bag.WriteProperty(kFlatOver, boolValue(m_flatOver), false);
    bag.WriteProperty(kFont, fontValue(hostFont()),
                      fontValue(host::StdFont::fromQFont(ambient().font)));
    bag.WriteProperty(kFontColor, colorValue(FontColor()), colorValue(host::kButtonText));
    bag.WriteProperty(kMaskColor, colorValue(MaskColor()), colorValue(kDefaultMaskColor));
    bag.WriteProperty(kMouseIcon, pictureValue(MouseIcon()));
    bag.WriteProperty(kMousePointer, MousePointer(), 0);
    bag.WriteProperty(kPicture, pictureValue(m_picture));
    bag.WriteProperty(kPictureDisabled, pictureValue(m_pictureDisabled));
    bag.WriteProperty(kPictureDown, pictureValue(m_pictureDown));
    bag.WriteProperty(kPictureOver, pictureValue(m_pictureOver));
    bag.WriteProperty(kPictureTab, m_pictureTab, 0);
    bag.WriteProperty(kShowFocus, boolValue(m_showFocus), true);
    bag.WriteProperty(kStyle, int32Value(m_style), int32Value(Standard));
    bag.WriteProperty(kUseMaskColor, boolValue(m_useMaskColor), false);
}

} // namespace controls
