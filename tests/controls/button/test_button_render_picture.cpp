#include "ButtonRenderFixture.h"

#include "RuntimeError.h"

#include <functional>
#include <limits>

using namespace button_render;
using controls::ucButton;
using host::RECT;

namespace {

constexpr host::ColorRef kRed = host::RGB(255, 0, 0);
constexpr host::ColorRef kGreen = host::RGB(0, 160, 0);
constexpr host::ColorRef kBlue = host::RGB(0, 0, 255);
constexpr host::ColorRef kYellow = host::RGB(230, 230, 0);
constexpr host::ColorRef kMagenta = host::RGB(255, 0, 255);

host::Picture pictureOf(host::StdPicture::Type type, host::ColorRef color, int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(host::toQRgb(color));
    return host::StdPicture::makeOfType(type, image);
}

// The smallest rectangle holding every pixel of this colour.
QRect shownArea(const QImage &image, host::ColorRef color)
{
    QRect bounds;
    for (const Pixel &p : pixelsOf(image, color))
        bounds |= QRect(p.first, p.second, 1, 1);
    return bounds;
}

// The part of a picture at (x, y) that the one-pixel edge leaves visible.
QRect visiblePart(int x, int y, int size, QSize button)
{
    return QRect(x, y, size, size) & QRect(1, 1, button.width() - 2, button.height() - 2);
}

class PictureTest : public ButtonRenderTest {
protected:
    // A graphical flat button with a one-line caption 12 pixels high.
    void makeGraphical(int width, int height)
    {
        makeButton(width, height);
        button->setCaption(QStringLiteral("Ab"));
        button->setStyle(controls::Graphical);
    }
};

// --- Placement --------------------------------------------------------------------------

struct PlaceCase {
    const char *name;
    std::int32_t align;
    std::int32_t tab;
    bool pressed;
    int x, y;                  // the icon's top-left corner
    RECT caption, captionDown; // the caption rectangles after the caption is placed
};

class IconPlacement : public PictureTest, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(IconPlacement, FollowsCaptionAlignAndPictureTab)
{
    const PlaceCase &c = GetParam();
    makeGraphical(60, 40);
    button->setCaptionAlign(static_cast<controls::CaptionAlignment>(c.align));
    button->setPictureTab(c.tab);
    button->setPicture(pictureOf(host::StdPicture::Icon, kRed, 16));
    button->setPictureDown(pictureOf(host::StdPicture::Icon, kRed, 16));
    if (c.pressed)
        press();

    EXPECT_EQ(ButtonAccess::hasPicture(*button), host::kTrue);
    EXPECT_EQ(shownArea(image(), kRed), visiblePart(c.x, c.y, 16, image().size()));
    EXPECT_EQ(ButtonAccess::captionRect(*button), c.caption);
    EXPECT_EQ(ButtonAccess::captionRectDown(*button), c.captionDown);
}

INSTANTIATE_TEST_SUITE_P(
    Alignments, IconPlacement,
    ::testing::Values(
        // Caption centred over a centred picture.
        PlaceCase{"Center", 0, 0, false, 22, 12, {4, 14, 56, 38}, {5, 15, 57, 38}},
        PlaceCase{"CenterPressed", 0, 0, true, 23, 13, {4, 14, 56, 38}, {5, 15, 57, 38}},
        // Picture on the left, caption beside it, centred vertically.
        PlaceCase{"Right", 4, 0, false, 3, 12, {20, 14, 56, 38}, {21, 15, 57, 38}},
        PlaceCase{"RightPressed", 4, 0, true, 4, 13, {20, 14, 56, 38}, {21, 15, 57, 38}},
        PlaceCase{"RightTab10", 4, 10, false, 13, 12, {20, 14, 56, 38}, {21, 15, 57, 38}},
        PlaceCase{"RightTabTooWide", 4, 50, false, 47, 12, {20, 14, 56, 38}, {21, 15, 57, 38}},
        // Picture on the right.
        PlaceCase{"Left", 3, 0, false, 40, 12, {4, 14, 40, 38}, {5, 15, 41, 38}},
        PlaceCase{"LeftTab7Pressed", 3, 7, true, 34, 13, {4, 14, 40, 38}, {5, 15, 41, 38}},
        // Picture at the bottom, caption at the top.
        PlaceCase{"TopTab5", 1, 5, false, 22, 15, {4, 3, 56, 38}, {5, 4, 57, 38}},
        PlaceCase{"TopTab30", 1, 30, false, 22, -4, {4, 3, 56, 38}, {5, 4, 57, 38}},
        PlaceCase{"TopTab0Pressed", 1, 0, true, 23, 21, {4, 3, 56, 38}, {5, 4, 57, 38}},
        // Picture at the top, caption at the bottom.
        PlaceCase{"Bottom", 2, 0, false, 22, 3, {4, 22, 56, 38}, {5, 23, 57, 38}},
        PlaceCase{"BottomPressed", 2, 0, true, 23, 4, {4, 22, 56, 38}, {5, 23, 57, 38}},
        PlaceCase{"BottomTab30", 2, 30, false, 22, 27, {4, 22, 56, 38}, {5, 23, 57, 38}},
        // Outside the list: the corner, no press offset, the caption at the top.
        PlaceCase{"Nine", 9, 0, false, 0, 0, {4, 3, 56, 38}, {5, 4, 57, 38}},
        PlaceCase{"NinePressed", 9, 0, true, 0, 0, {4, 3, 56, 38}, {5, 4, 57, 38}},
        PlaceCase{"MinusOne", -1, 0, false, 0, 0, {4, 3, 56, 38}, {5, 4, 57, 38}}),
    [](const ::testing::TestParamInfo<PlaceCase> &param) { return std::string(param.param.name); });

TEST_F(PictureTest, CaptionIsDrawnAtItsPlaceBesideThePicture)
{
    makeGraphical(60, 40);
    button->setCaptionJustify(controls::JustifyLeft);
    button->setCaptionAlign(controls::AlignBottom);
    const QRect withoutPicture = inkBounds(image(), kFace, QRect(1, 1, 58, 38));
    button->setPicture(pictureOf(host::StdPicture::Icon, kRed, 16));
    // The caption is drawn from the rectangle's top, moved from the centre to y = 22.
    QRect caption;
    for (const Pixel &p : pixelsOf(image(), kCaptionColor))
        caption |= QRect(p.first, p.second, 1, 1);
    EXPECT_EQ(caption, withoutPicture.translated(0, 22 - 14));
}

TEST_F(PictureTest, HimetricSizeIsRoundedToPixels)
{
    makeGraphical(60, 40);
    const host::Picture picture = pictureOf(host::StdPicture::Bitmap, kRed, 15);
    ASSERT_EQ(picture->Width(), 397); // 15.005 pixels
    button->setPicture(picture);
    EXPECT_EQ(shownArea(image(), kRed), QRect(22, 12, 15, 15));
}

// --- Which picture ----------------------------------------------------------------------

enum class State { Released, Pressed, Over, OverPressed };

struct ChoiceCase {
    const char *name;
    std::int32_t appearance;
    bool checked;
    State state;
    bool enabled;
    bool withDown, withOver, withDisabled; // false: the property holds no picture
    host::ColorRef shown;
    int offset;
};

class PictureChoice : public PictureTest, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(PictureChoice, PicksByStateAndFallsBackToPicture)
{
    const ChoiceCase &c = GetParam();
    makeGraphical(30, 20);
    button->setAppearance(static_cast<controls::ButtonAppearance>(c.appearance));
    const auto pictureIf = [](bool present, host::ColorRef color) {
        return present ? pictureOf(host::StdPicture::Bitmap, color, 8) : host::Picture();
    };
    button->setPicture(pictureOf(host::StdPicture::Bitmap, kRed, 8));
    button->setPictureDown(pictureIf(c.withDown, kGreen));
    button->setPictureOver(pictureIf(c.withOver, kBlue));
    button->setPictureDisabled(pictureIf(c.withDisabled, kYellow));
    button->setChecked(host::fromBool(c.checked));
    if (c.state == State::Over || c.state == State::OverPressed)
        hover();
    if (c.state == State::Pressed || c.state == State::OverPressed)
        press();
    button->setEnabled(host::fromBool(c.enabled));

    EXPECT_EQ(shownArea(image(), c.shown), QRect(11 + c.offset, 6 + c.offset, 8, 8));
    for (const host::ColorRef other : {kRed, kGreen, kBlue, kYellow}) {
        if (other != c.shown) {
            EXPECT_EQ(pixelsOf(image(), other), PixelSet{});
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    States, PictureChoice,
    ::testing::Values(
        ChoiceCase{"Released", 0, false, State::Released, true, true, true, true, kRed, 0},
        ChoiceCase{"Pressed", 0, false, State::Pressed, true, true, true, true, kGreen, 1},
        ChoiceCase{"Over", 0, false, State::Over, true, true, true, true, kBlue, 0},
        ChoiceCase{"OverPressed", 0, false, State::OverPressed, true, true, true, true, kGreen, 1},
        ChoiceCase{"Checked", 2, true, State::Released, true, true, true, true, kGreen, 1},
        ChoiceCase{"CheckedOver", 3, true, State::Over, true, true, true, true, kGreen, 1},
        ChoiceCase{"Disabled", 0, false, State::Released, false, true, true, true, kYellow, 0},
        ChoiceCase{"DisabledOver", 0, false, State::Over, false, true, true, true, kBlue, 0},
        ChoiceCase{"DisabledChecked", 3, true, State::Released, false, true, true, true, kYellow,
                   1},
        ChoiceCase{"DisabledCheckedAppearance5", 5, true, State::Released, false, true, true, true,
                   kYellow, 1},
        ChoiceCase{"DisabledCheckedPushButton", 1, true, State::Released, false, true, true, true,
                   kYellow, 0},
        ChoiceCase{"NoDownPicture", 0, false, State::Pressed, true, false, true, true, kRed, 1},
        ChoiceCase{"NoOverPicture", 0, false, State::Over, true, true, false, true, kRed, 0},
        ChoiceCase{"NoDisabledPicture", 0, false, State::Released, false, true, true, false, kRed,
                   0}),
    [](const ::testing::TestParamInfo<ChoiceCase> &param) {
        return std::string(param.param.name);
    });

TEST_F(PictureTest, EmptyDownPictureDrawsNothingAndCentresTheCaption)
{
    makeGraphical(60, 40);
    button->setCaptionAlign(controls::AlignBottom);
    button->setPicture(pictureOf(host::StdPicture::Bitmap, kRed, 16));
    button->setPictureDown(host::LoadPicture());
    EXPECT_EQ(ButtonAccess::captionRect(*button).top, 22);
    press();
    EXPECT_EQ(ButtonAccess::hasPicture(*button), host::kFalse);
    EXPECT_EQ(pixelsOf(image(), kRed), PixelSet{});
    EXPECT_EQ(ButtonAccess::captionRect(*button), (RECT{4, 14, 56, 38}));
    EXPECT_EQ(ButtonAccess::captionRectDown(*button), (RECT{5, 15, 57, 38}));
}

TEST_F(PictureTest, NoPictureAtAllDrawsNone)
{
    makeGraphical(30, 20);
    button->setPicture(nullptr);
    EXPECT_EQ(ButtonAccess::hasPicture(*button), host::kFalse);
    EXPECT_EQ(ButtonAccess::captionRect(*button).top, 4);
}

TEST_F(PictureTest, OnlyTheGraphicalStyleDrawsPictures)
{
    makeGraphical(30, 20);
    button->setPicture(pictureOf(host::StdPicture::Bitmap, kRed, 8));
    EXPECT_FALSE(pixelsOf(image(), kRed).empty());
    for (const std::int32_t style : {0, 2, -1}) {
        button->setStyle(static_cast<controls::ButtonStyle>(style));
        EXPECT_EQ(pixelsOf(image(), kRed), PixelSet{}) << style;
    }
}

// --- Drawing calls ----------------------------------------------------------------------

// A 6 x 6 picture: red with a magenta centre of 2 x 2 and, for icons, a transparent top row.
host::Picture maskedPicture(host::StdPicture::Type type)
{
    QImage image(6, 6, QImage::Format_ARGB32);
    image.fill(host::toQRgb(kRed));
    for (int y = 2; y < 4; ++y)
        for (int x = 2; x < 4; ++x)
            image.setPixel(x, y, host::toQRgb(kMagenta));
    if (type == host::StdPicture::Icon)
        for (int x = 0; x < 6; ++x)
            image.setPixel(x, 0, qRgba(0, 0, 0, 0));
    return host::StdPicture::makeOfType(type, image);
}

struct MaskCase {
    const char *name;
    host::StdPicture::Type type;
    bool useMaskColor;
    bool magentaShown;
    bool topRowShown;
};

class MaskColorDrawing : public PictureTest, public ::testing::WithParamInterface<MaskCase> {};

TEST_P(MaskColorDrawing, UsesTheCallForTheType)
{
    const MaskCase &c = GetParam();
    makeGraphical(30, 20);
    button->setCaption(QString());
    button->setMaskColor(kMagenta);
    button->setUseMaskColor(host::fromBool(c.useMaskColor));
    button->setPicture(maskedPicture(c.type));
    // Centred: (12, 7).
    EXPECT_EQ(at(12, 8), kRed);
    EXPECT_EQ(at(14, 9), c.magentaShown ? kMagenta : kFace);
    EXPECT_EQ(at(12, 7), c.topRowShown ? kRed : kFace);
}

INSTANTIATE_TEST_SUITE_P(
    Types, MaskColorDrawing,
    ::testing::Values(MaskCase{"BitmapMasked", host::StdPicture::Bitmap, true, false, true},
                      MaskCase{"BitmapOpaque", host::StdPicture::Bitmap, false, true, true},
                      MaskCase{"IconMasked", host::StdPicture::Icon, true, true, false},
                      MaskCase{"IconPlain", host::StdPicture::Icon, false, true, false},
                      MaskCase{"MetafileMasked", host::StdPicture::Metafile, true, true, true},
                      MaskCase{"EnhMetafileMasked", host::StdPicture::EnhMetafile, true, true,
                               true}),
    [](const ::testing::TestParamInfo<MaskCase> &param) { return std::string(param.param.name); });

// --- Errors -----------------------------------------------------------------------------

int errorNumber(const std::function<void()> &action)
{
    try {
        action();
    } catch (const host::RuntimeError &error) {
        return error.number();
    }
    return 0;
}

// A failed paint leaves the face (and checkerboard) it drew, and nothing after it, and does
// not show the image.
void expectStoppedAfterTheFace(const WatchedButton &button, const QImage &image, int refreshes)
{
    EXPECT_EQ(button.refreshes, refreshes);
    EXPECT_EQ(colorAt(image, 0, 0), kFace);
    EXPECT_EQ(colorAt(image, image.width() - 1, image.height() - 1), kFace);
    EXPECT_EQ(pixelsOf(image, kCaptionColor), PixelSet{});
}

TEST_F(PictureTest, PictureTypeThatCannotBeMaskedRaises481)
{
    makeGraphical(30, 20);
    button->setUseMaskColor(host::kTrue);
    const int refreshes = button->refreshes;
    const int objects = host::gdiObjectCount();
    const auto unknown = static_cast<host::StdPicture::Type>(7);
    EXPECT_EQ(errorNumber([&] { button->setPicture(pictureOf(unknown, kRed, 8)); }),
              host::RuntimeError::InvalidPicture);
    expectStoppedAfterTheFace(*button, image(), refreshes);
    EXPECT_EQ(pixelsOf(image(), kRed), PixelSet{});
    EXPECT_EQ(host::gdiObjectCount(), objects);
}

struct OverflowCase {
    std::int32_t align;
    bool raises;
};

class PictureTabOverflow : public PictureTest,
                           public ::testing::WithParamInterface<OverflowCase> {};

TEST_P(PictureTabOverflow, RaisesOverflowWhereTheTabIsAdded)
{
    makeGraphical(60, 40);
    button->setCaptionAlign(static_cast<controls::CaptionAlignment>(GetParam().align));
    button->setPicture(pictureOf(host::StdPicture::Icon, kRed, 16));
    const int refreshes = button->refreshes;
    const int number =
        errorNumber([&] { button->setPictureTab(std::numeric_limits<std::int32_t>::max() - 10); });
    if (!GetParam().raises) {
        EXPECT_EQ(number, 0);
        EXPECT_EQ(button->refreshes, refreshes + 1);
        return;
    }
    EXPECT_EQ(number, host::RuntimeError::Overflow);
    EXPECT_EQ(button->PictureTab(), std::numeric_limits<std::int32_t>::max() - 10);
    expectStoppedAfterTheFace(*button, image(), refreshes);
    EXPECT_EQ(pixelsOf(image(), kRed), PixelSet{});
}

INSTANTIATE_TEST_SUITE_P(Alignments, PictureTabOverflow,
                         ::testing::Values(OverflowCase{1, true}, OverflowCase{2, true},
                                           OverflowCase{3, true}, OverflowCase{4, true},
                                           OverflowCase{0, false}, OverflowCase{9, false}));

TEST_F(PictureTest, FailedPaintOfACheckedButtonKeepsTheCheckerboard)
{
    makeGraphical(30, 20);
    button->setAppearance(controls::FlatCheck);
    button->setChecked(host::kTrue);
    button->setUseMaskColor(host::kTrue);
    EXPECT_EQ(errorNumber([&] {
                  button->setPictureDown(
                      pictureOf(static_cast<host::StdPicture::Type>(0), kRed, 8));
              }),
              host::RuntimeError::InvalidPicture);
    const host::ColorRef checker = host::GetSysColor(host::COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(at(0, 0), kFace);
    EXPECT_EQ(at(1, 0), checker);
    EXPECT_EQ(at(29, 19), kFace);
}

} // namespace
