#include "ButtonRenderFixture.h"

#include "Twips.h"

using namespace button_render;
using controls::ucButton;

namespace {

// --- Shades of the face ---------------------------------------------------------------

struct BevelShadeCase {
    host::ColorRef face;
    host::ColorRef light;
    host::ColorRef highlight;
    host::ColorRef shadow;
    host::ColorRef darkShadow;
};

class BevelShades : public ButtonRenderTest, public ::testing::WithParamInterface<BevelShadeCase> {};

// A bevelled button shows all four shades: highlight and light on the outer and inner top
// left, dark shadow and shadow on the outer and inner bottom right.
TEST_P(BevelShades, AreThoseOfTheFace)
{
    const BevelShadeCase &c = GetParam();
    makeButton(20, 12, controls::ThreeD);
    button->setButtonColor(c.face);
    EXPECT_EQ(at(5, 5), c.face);
    EXPECT_EQ(at(5, 0), c.highlight);
    EXPECT_EQ(at(5, 1), c.light);
    EXPECT_EQ(at(5, 11), c.darkShadow);
    EXPECT_EQ(at(5, 10), c.shadow);
}

INSTANTIATE_TEST_SUITE_P(
    Faces, BevelShades,
    ::testing::Values(BevelShadeCase{kFace, kLight, kHighlight, kShadow, kDarkShadow},
                      BevelShadeCase{host::RGB(0, 0, 0), host::RGB(31, 31, 31), host::RGB(63, 63, 63),
                                host::RGB(0, 0, 0), host::RGB(0, 0, 0)},
                      BevelShadeCase{host::RGB(255, 255, 255), host::RGB(255, 255, 255),
                                host::RGB(255, 255, 255), host::RGB(191, 191, 191),
                                host::RGB(63, 63, 63)},
                      // Channels clamp one by one.
                      BevelShadeCase{host::RGB(250, 100, 30), host::RGB(255, 131, 61),
                                host::RGB(255, 163, 93), host::RGB(186, 36, 0),
                                host::RGB(58, 0, 0)}));

TEST(ShiftColor, ZeroAmountClampsNothing)
{
    EXPECT_EQ(ucButton::ShiftColor(host::RGB(1, 2, 3), 0), host::RGB(1, 2, 3));
}

TEST_F(ButtonRenderTest, SystemFaceColourIsTranslatedOnceWhenSet)
{
    makeButton(20, 12);
    button->setButtonColor(host::kButtonFace);
    const host::ColorRef face = host::GetSysColor(host::COLOR_BTNFACE);
    EXPECT_EQ(at(5, 5), face);
    EXPECT_EQ(at(5, 0), ucButton::ShiftColor(face, 63));
    EXPECT_EQ(at(5, 11), ucButton::ShiftColor(face, -64));
}

// --- Size and geometry ----------------------------------------------------------------

struct SizeCase {
    int width;
    int height;
    int grownWidth;
    int grownHeight;
};

// When the small size is given: to a shown button, to a new one before it is first shown,
// or to one hidden after it was shown. A hidden control hears of its size only as it shows.
enum class SizedWhen { Shown, BeforeFirstShow, WhileHidden };

class MinimumSize : public ButtonRenderTest,
                    public ::testing::WithParamInterface<std::tuple<SizeCase, SizedWhen>> {};

TEST_P(MinimumSize, GrowsToTenPixels)
{
    const auto &[c, when] = GetParam();
    if (when == SizedWhen::BeforeFirstShow) {
        makeHiddenButton(c.width, c.height);
        button->show();
    } else if (when == SizedWhen::WhileHidden) {
        makeButton(40, 40);
        button->hide();
        button->resize(c.width, c.height);
        button->show();
    } else {
        makeButton(40, 40);
        button->resize(c.width, c.height);
    }
    EXPECT_EQ(button->width(), c.grownWidth);
    EXPECT_EQ(button->height(), c.grownHeight);
    EXPECT_EQ(button->extenderWidth(), c.grownWidth * host::kTwipsPerPixel);
    EXPECT_EQ(image().size(), QSize(c.grownWidth, c.grownHeight));
    EXPECT_EQ(ButtonAccess::clientRect(*button), (host::RECT{0, 0, c.grownWidth, c.grownHeight}));
    EXPECT_EQ(ButtonAccess::focusRect(*button),
              (host::RECT{4, 4, c.grownWidth - 4, c.grownHeight - 4}));
    // The edge runs around the grown image, and the face fills all of it.
    EXPECT_EQ(at(c.grownWidth - 1, 0), kShadow);
    EXPECT_EQ(at(0, c.grownHeight - 1), kShadow);
    EXPECT_EQ(at(c.grownWidth - 1, c.grownHeight - 1), kShadow);
    EXPECT_EQ(at(c.grownWidth - 2, c.grownHeight - 2), kFace);
    // What reaches the screen is that image.
    EXPECT_EQ(button->grab().toImage().convertToFormat(QImage::Format_RGB32),
              image().convertToFormat(QImage::Format_RGB32));
}

std::string
minimumSizeCaseName(const ::testing::TestParamInfo<std::tuple<SizeCase, SizedWhen>> &info)
{
    static const char *const kWhen[] = {"Shown", "BeforeFirstShow", "WhileHidden"};
    const SizeCase &c = std::get<0>(info.param);
    return std::to_string(c.width) + "x" + std::to_string(c.height) + "_" +
           kWhen[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, MinimumSize,
    ::testing::Combine(
        ::testing::Values(SizeCase{5, 30, 10, 30}, SizeCase{30, 3, 30, 10}, SizeCase{1, 1, 10, 10},
                          SizeCase{10, 10, 10, 10}, SizeCase{41, 25, 41, 25}),
        ::testing::Values(SizedWhen::Shown, SizedWhen::BeforeFirstShow, SizedWhen::WhileHidden)),
    minimumSizeCaseName);

TEST_F(ButtonRenderTest, EveryPaintStartsFromTheFaceAndIsShown)
{
    makeButton(30, 20);
    button->setCaption(QStringLiteral("Wide caption"));
    const int refreshes = button->refreshes;
    button->setCaption(QString());
    EXPECT_EQ(button->refreshes, refreshes + 1);
    EXPECT_EQ(pixelsOf(image(), kCaptionColor), PixelSet{});
    EXPECT_EQ(inkBounds(image(), kFace, QRect(1, 1, 28, 18)), QRect());
}

TEST_F(ButtonRenderTest, PaintDeletesTheBrushAndPensItMakes)
{
    makeButton(30, 20, controls::ThreeDCheck);
    button->setCaption(QStringLiteral("Go"));
    button->setChecked(host::kTrue);
    button->setShowFocus(host::kTrue);
    focusIn();
    const int objects = host::gdiObjectCount();
    button->setStyle(controls::Graphical);
    button->setUseMaskColor(host::kTrue);
    QImage bitmap(6, 6, QImage::Format_RGB32);
    bitmap.fill(Qt::red);
    button->setPictureDown(host::StdPicture::makeOfType(host::StdPicture::Bitmap, bitmap));
    EXPECT_EQ(ButtonAccess::hasPicture(*button), host::kTrue);
    EXPECT_EQ(host::gdiObjectCount(), objects);
}

TEST_F(ButtonRenderTest, PatternBrushLivesAsLongAsTheControl)
{
    const int before = host::gdiObjectCount();
    makeButton(20, 12);
    EXPECT_EQ(host::gdiObjectCount(), before + 1);
    button.reset();
    EXPECT_EQ(host::gdiObjectCount(), before);
}

} // namespace
