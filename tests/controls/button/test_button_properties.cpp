#include "ButtonFixture.h"

#include "RuntimeError.h"

#include <QImage>

#include <functional>
#include <limits>

namespace {

using controls::ucButton;

host::Picture bitmapOf(QRgb color)
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(color);
    return host::StdPicture::makeOfType(host::StdPicture::Bitmap, image);
}

struct SetterCase {
    const char *name;
    std::function<void(ucButton &)> set;
    int redraws;
    QStringList marks;
};

class SetterEffects : public ButtonFixture, public ::testing::WithParamInterface<SetterCase> {};

TEST_P(SetterEffects, RepaintsAndMarks)
{
    createButton();
    const SetterCase &c = GetParam();
    const int before = button->refreshes;
    c.set(*button);
    EXPECT_EQ(button->refreshes - before, c.redraws);
    EXPECT_EQ(marked, c.marks);
}

QStringList marks(std::initializer_list<const char16_t *> names)
{
    QStringList list;
    for (const char16_t *n : names)
        list << QString::fromUtf16(n);
    return list;
}

std::function<void(ucButton &)> fontChange()
{
    return [](ucButton &b) {
        // Two attributes differ from the button's font: two repaints, two marks.
        auto font = b.Font()->clone();
        font->setBold(true);
        font->setSize(font->Size() + 2);
        b.setFont(*font);
    };
}

INSTANTIATE_TEST_SUITE_P(
    Properties, SetterEffects,
    ::testing::Values(
        SetterCase{"ResetToDefaultColors", [](ucButton &b) { b.ResetToDefaultColors(); }, 2,
                   marks({u"ButtonColor", u"FontColor"})},
        SetterCase{"Appearance", [](ucButton &b) { b.setAppearance(controls::Flat); }, 1,
                   marks({u"Appearance"})},
        SetterCase{"ButtonColor", [](ucButton &b) { b.setButtonColor(host::RGB(1, 2, 3)); }, 1,
                   marks({u"ButtonColor"})},
        SetterCase{"Caption", [](ucButton &b) { b.setCaption(QStringLiteral("x")); }, 1,
                   marks({u"Caption"})},
        SetterCase{"CaptionAlign", [](ucButton &b) { b.setCaptionAlign(controls::AlignTop); }, 1,
                   marks({u"CaptionAlign"})},
        SetterCase{"CaptionJustify",
                   [](ucButton &b) { b.setCaptionJustify(controls::JustifyRight); }, 1,
                   marks({u"CaptionJustify"})},
        SetterCase{"Checked", [](ucButton &b) { b.setChecked(host::kTrue); }, 1,
                   marks({u"Checked"})},
        SetterCase{"Enabled", [](ucButton &b) { b.setEnabled(host::kFalse); }, 1,
                   marks({u"Enabled"})},
        SetterCase{"FlatOver", [](ucButton &b) { b.setFlatOver(host::kTrue); }, 1,
                   marks({u"FlatOver"})},
        SetterCase{"Font", fontChange(), 2, marks({u"Font", u"Font"})},
        SetterCase{"FontSame", [](ucButton &b) { b.setFont(*b.Font()->clone()); }, 0, {}},
        SetterCase{"FontColor", [](ucButton &b) { b.setFontColor(host::RGB(9, 9, 9)); }, 1,
                   marks({u"FontColor"})},
        SetterCase{"MousePointer", [](ucButton &b) { b.setMousePointer(11); }, 0,
                   marks({u"MousePointer"})},
        SetterCase{"MouseIcon", [](ucButton &b) { b.setMouseIcon(bitmapOf(qRgb(1, 1, 1))); }, 0,
                   marks({u"MouseIcon"})},
        SetterCase{"MaskColor", [](ucButton &b) { b.setMaskColor(host::RGB(0, 255, 0)); }, 1,
                   marks({u"MaskColor"})},
        SetterCase{"Picture", [](ucButton &b) { b.setPicture(nullptr); }, 1, marks({u"Picture"})},
        SetterCase{"PictureDisabled", [](ucButton &b) { b.setPictureDisabled(nullptr); }, 1,
                   marks({u"PictureDisabled"})},
        SetterCase{"PictureDown", [](ucButton &b) { b.setPictureDown(nullptr); }, 1,
                   marks({u"PictureDown"})},
        SetterCase{"PictureOver", [](ucButton &b) { b.setPictureOver(nullptr); }, 1,
                   marks({u"PictureOver"})},
        SetterCase{"PictureTab", [](ucButton &b) { b.setPictureTab(3); }, 1,
                   marks({u"PictureTab"})},
        SetterCase{"ShowFocus", [](ucButton &b) { b.setShowFocus(host::kFalse); }, 1,
                   marks({u"ShowFocus"})},
        SetterCase{"Style", [](ucButton &b) { b.setStyle(controls::Graphical); }, 1,
                   marks({u"Style"})},
        SetterCase{"UseMaskColor", [](ucButton &b) { b.setUseMaskColor(host::kTrue); }, 1,
                   marks({u"UseMaskColor"})},
        SetterCase{"ValueTrue", [](ucButton &b) { b.setValue(host::kTrue); }, 0, {}},
        SetterCase{"ValueFalse", [](ucButton &b) { b.setValue(host::kFalse); }, 0, {}}),
    [](const ::testing::TestParamInfo<SetterCase> &param) { return param.param.name; });

using ButtonProperties = ButtonFixture;

TEST_F(ButtonProperties, HostControlStartsWithItsOwnValues)
{
    createButton();
    EXPECT_EQ(button->Enabled(), host::kTrue);
    EXPECT_EQ(button->FontColor(), host::kButtonText);
    EXPECT_EQ(button->MaskColor(), host::kButtonFace);
    EXPECT_EQ(button->MousePointer(), 0);
    EXPECT_EQ(button->MouseIcon(), nullptr);
}

TEST_F(ButtonProperties, ForwardedPropertiesLiveOnTheHostControl)
{
    createButton();
    button->setFontColor(host::RGB(10, 20, 30));
    button->setMaskColor(host::RGB(0, 255, 0));
    button->setMousePointer(-32768);
    const host::Picture icon = bitmapOf(qRgb(5, 6, 7));
    button->setMouseIcon(icon);
    button->setEnabled(host::kFalse);
    const host::UserControl &hostControl = *button;
    EXPECT_EQ(hostControl.ForeColor(), host::RGB(10, 20, 30));
    EXPECT_EQ(hostControl.MaskColor(), host::RGB(0, 255, 0));
    EXPECT_EQ(hostControl.MousePointer(), -32768);
    EXPECT_EQ(hostControl.MouseIcon(), icon);
    EXPECT_FALSE(hostControl.isEnabled());
    EXPECT_EQ(button->MousePointer(), -32768);
}

TEST_F(ButtonProperties, EnabledIsTheControlsOwnFlag)
{
    QWidget container;
    createButton();
    button->setParent(&container);
    container.setEnabled(false);
    EXPECT_FALSE(button->isEnabled());
    EXPECT_EQ(button->Enabled(), host::kTrue);
    button->setParent(nullptr);
}

TEST_F(ButtonProperties, MousePointerBeyond16BitsOverflowsAndChangesNothing)
{
    createButton();
    button->setMousePointer(12);
    marked.clear();
    for (const std::int32_t value :
         {40000, 32768, -32769, std::numeric_limits<std::int32_t>::min()}) {
        try {
            button->setMousePointer(value);
            ADD_FAILURE() << value << " was accepted";
        } catch (const host::RuntimeError &error) {
            EXPECT_EQ(error.number(), 6);
        }
        EXPECT_EQ(button->MousePointer(), 12);
    }
    EXPECT_TRUE(marked.isEmpty());
    button->setMousePointer(32767);
    EXPECT_EQ(button->MousePointer(), 32767);
}

TEST_F(ButtonProperties, PictureTabStoresNegativeAsZero)
{
    createButton();
    button->setPictureTab(-5);
    EXPECT_EQ(button->PictureTab(), 0);
    button->setPictureTab(17);
    EXPECT_EQ(button->PictureTab(), 17);
}

TEST_F(ButtonProperties, AppearanceOutsideTheListIsStoredAndSaved)
{
    createButton();
    button->setAppearance(static_cast<controls::ButtonAppearance>(7));
    EXPECT_EQ(button->Appearance(), 7);
    EXPECT_EQ(host::toLong(button->save().ReadProperty(QStringLiteral("Appearance"))), 7);
}

TEST_F(ButtonProperties, BooleanArgumentsTakeTheTwoRuntimeValues)
{
    createButton();
    button->setChecked(1);
    EXPECT_EQ(button->Checked(), host::kTrue);
    button->setChecked(host::kFalse);
    EXPECT_EQ(button->Checked(), host::kFalse);
}

struct ValueCase {
    const char *name;
    controls::ButtonAppearance appearance;
    host::VBool enabled;
    host::VBool value;
    int clicks;
};

class ValueProperty : public ButtonFixture, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(ValueProperty, TrueClicksOnceAndChangesNothing)
{
    const ValueCase &c = GetParam();
    createButton();
    button->setAppearance(c.appearance);
    button->setEnabled(c.enabled);
    button->setChecked(host::kTrue);
    marked.clear();
    int clicks = 0;
    QObject::connect(button.get(), &ucButton::Click, [&clicks] { ++clicks; });
    const int redraws = button->refreshes;

    button->setValue(c.value);

    EXPECT_EQ(clicks, c.clicks);
    EXPECT_EQ(button->Checked(), host::kTrue);
    EXPECT_EQ(button->refreshes, redraws);
    EXPECT_TRUE(marked.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    States, ValueProperty,
    ::testing::Values(ValueCase{"PushTrue", controls::ThreeD, host::kTrue, host::kTrue, 1},
                      ValueCase{"DisabledTrue", controls::ThreeD, host::kFalse, host::kTrue, 1},
                      ValueCase{"CheckTrue", controls::FlatCheck, host::kTrue, host::kTrue, 1},
                      ValueCase{"PushFalse", controls::ThreeD, host::kTrue, host::kFalse, 0},
                      ValueCase{"CheckFalse", controls::ThreeDCheck, host::kTrue, host::kFalse, 0}),
    [](const ::testing::TestParamInfo<ValueCase> &param) { return param.param.name; });

TEST(ButtonEnums, ValuesAndCheckKind)
{
    EXPECT_EQ(controls::Flat, 0);
    EXPECT_EQ(controls::ThreeD, 1);
    EXPECT_EQ(controls::FlatCheck, 2);
    EXPECT_EQ(controls::ThreeDCheck, 3);
    EXPECT_EQ(controls::Standard, 0);
    EXPECT_EQ(controls::Graphical, 1);
    EXPECT_EQ(controls::AlignCenter, 0);
    EXPECT_EQ(controls::AlignTop, 1);
    EXPECT_EQ(controls::AlignBottom, 2);
    EXPECT_EQ(controls::AlignLeft, 3);
    EXPECT_EQ(controls::AlignRight, 4);
    EXPECT_EQ(controls::JustifyLeft, 0);
    EXPECT_EQ(controls::JustifyCenter, 1);
    EXPECT_EQ(controls::JustifyRight, 2);
    EXPECT_FALSE(controls::isCheckKind(controls::ThreeD));
    EXPECT_TRUE(controls::isCheckKind(controls::FlatCheck));
    EXPECT_TRUE(controls::isCheckKind(static_cast<controls::ButtonAppearance>(5)));
    EXPECT_FALSE(controls::isCheckKind(static_cast<controls::ButtonAppearance>(-1)));
}

struct ShadeCase {
    host::ColorRef face;
    host::ColorRef light, highlight, shadow, darkShadow;
};

class FaceShades : public ::testing::TestWithParam<ShadeCase> {};

TEST_P(FaceShades, ShiftEachChannelAndClamp)
{
    const ShadeCase c = GetParam();
    EXPECT_EQ(ucButton::ShiftColor(c.face, 31), c.light);
    EXPECT_EQ(ucButton::ShiftColor(c.face, 63), c.highlight);
    EXPECT_EQ(ucButton::ShiftColor(c.face, -64), c.shadow);
    EXPECT_EQ(ucButton::ShiftColor(c.face, -192), c.darkShadow);
}

INSTANTIATE_TEST_SUITE_P(
    Faces, FaceShades,
    ::testing::Values(ShadeCase{host::RGB(212, 208, 200), host::RGB(243, 239, 231),
                                host::RGB(255, 255, 255), host::RGB(148, 144, 136),
                                host::RGB(20, 16, 8)},
                      ShadeCase{host::RGB(0, 0, 0), host::RGB(31, 31, 31), host::RGB(63, 63, 63),
                                host::RGB(0, 0, 0), host::RGB(0, 0, 0)},
                      ShadeCase{host::RGB(255, 255, 255), host::RGB(255, 255, 255),
                                host::RGB(255, 255, 255), host::RGB(191, 191, 191),
                                host::RGB(63, 63, 63)}));

TEST_F(ButtonProperties, ButtonColorRepaintsTheFaceAndItsShades)
{
    createButton();
    button->setCaption(QString());
    button->setButtonColor(host::RGB(212, 208, 200));
    const QImage &image = button->backingImage();
    ASSERT_EQ(image.size(), QSize(41, 25));
    EXPECT_EQ(image.pixel(20, 12), qRgb(212, 208, 200));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(40, 24), qRgb(20, 16, 8));

    // A system colour is translated when the shades are derived.
    button->setButtonColor(host::kButtonFace);
    EXPECT_EQ(button->ButtonColor(), host::kButtonFace);
    EXPECT_EQ(image.pixel(20, 12), host::toQRgb(host::GetSysColor(host::COLOR_BTNFACE)));
}

} // namespace
