#include "ButtonRenderFixture.h"

#include "FormLayout.h"

using namespace button_render;
using controls::ucButton;
using host::RECT;

namespace {

constexpr unsigned kCentred = host::DT_CENTER | host::DT_WORDBREAK;

// One caption drawn by itself with the text-drawing call, for comparison.
struct TextRun {
    QString text;
    RECT rect;
    unsigned format;
    host::ColorRef color;
};

QImage drawnAlone(QSize size, const QFont &font, std::initializer_list<TextRun> runs)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(host::toQRgb(kFace));
    host::DeviceContext dc(&image);
    dc.setFont(font);
    for (TextRun run : runs) {
        host::SetTextColor(dc, run.color);
        host::DrawTextA(dc, run.text, -1, run.rect, run.format);
    }
    return image;
}

// The pixels of one colour inside the edge of a flat button.
PixelSet inkOf(const QImage &image, host::ColorRef color)
{
    PixelSet ink;
    for (const Pixel &p : pixelsOf(image, color))
        if (p.first > 0 && p.second > 0 && p.first < image.width() - 1 &&
            p.second < image.height() - 1)
            ink.insert(p);
    return ink;
}

PixelSet shifted(const PixelSet &pixels, int dx, int dy)
{
    PixelSet moved;
    for (const Pixel &p : pixels)
        moved.emplace(p.first + dx, p.second + dy);
    return moved;
}

// --- Placement --------------------------------------------------------------------------

TEST_F(ButtonRenderTest, FirstWindowButtonCentresItsCaptionAndMovesItWhenHeld)
{
    makeButton(41, 25);
    setFont(testFontWithLineHeight(12));
    ASSERT_EQ(lineHeightOf(button->font()), 12);
    const QString caption = QStringLiteral("关于");
    button->setCaption(caption);

    EXPECT_EQ(ButtonAccess::captionRect(*button), (RECT{4, 6, 37, 23}));
    EXPECT_EQ(ButtonAccess::captionRectDown(*button), (RECT{5, 7, 38, 23}));
    const PixelSet released = inkOf(image(), kCaptionColor);
    ASSERT_FALSE(released.empty());
    EXPECT_EQ(released, inkOf(drawnAlone(image().size(), button->font(),
                                         {{caption, {4, 6, 37, 23}, kCentred, kCaptionColor}}),
                              kCaptionColor));

    press();
    EXPECT_EQ(inkOf(image(), kCaptionColor), shifted(released, 1, 1));
    release();
    EXPECT_EQ(inkOf(image(), kCaptionColor), released);
}

struct TallCase {
    int lineHeight;
    const char16_t *caption;
    int captionHeight;
};

class TallCaption : public ButtonRenderTest, public ::testing::WithParamInterface<TallCase> {};

TEST_P(TallCaption, StartsAboveTheTopAndIsClippedAboveTheBottom)
{
    const TallCase &c = GetParam();
    makeButton(30, 10);
    const QFont font = testFontWithLineHeight(c.lineHeight);
    ASSERT_EQ(lineHeightOf(font), c.lineHeight);
    setFont(font);
    const QString caption = QString::fromUtf16(c.caption);
    button->setCaption(caption);

    // half(10 - h) truncates toward zero: -7 for both 24 and 25.
    EXPECT_EQ(ButtonAccess::captionRect(*button), (RECT{4, -7, 26, 8}));
    EXPECT_EQ(ButtonAccess::captionRectDown(*button), (RECT{5, -6, 27, 8}));
    RECT measured{4, -7, 26, 8};
    host::DeviceContext probe(&button->backingImage());
    probe.setFont(font);
    host::DrawTextA(probe, caption, -1, measured, host::DT_CALCRECT | host::DT_WORDBREAK);
    EXPECT_EQ(measured.bottom - measured.top, c.captionHeight);

    const PixelSet ink = inkOf(image(), kCaptionColor);
    ASSERT_FALSE(ink.empty());
    EXPECT_EQ(ink, inkOf(drawnAlone(image().size(), font,
                                    {{caption, {4, -7, 26, 8}, kCentred, kCaptionColor}}),
                         kCaptionColor));
    for (const Pixel &p : ink) {
        EXPECT_LT(p.second, 8);
    }
}

INSTANTIATE_TEST_SUITE_P(Heights, TallCaption,
                         ::testing::Values(TallCase{25, u"关", 25},
                                           // Two words too wide for one line: two lines.
                                           TallCase{12, u"关于 关于", 24}));

TEST_F(ButtonRenderTest, EmptyCaptionDrawsNothing)
{
    makeButton(30, 20);
    EXPECT_EQ(ButtonAccess::captionRect(*button), (RECT{4, 10, 26, 18}));
    EXPECT_EQ(ButtonAccess::captionRectDown(*button), (RECT{5, 11, 27, 18}));
    EXPECT_EQ(inkOf(image(), kCaptionColor), PixelSet{});
}

struct JustifyCase {
    std::int32_t justify;
    unsigned format;
};

class CaptionJustify : public ButtonRenderTest,
                       public ::testing::WithParamInterface<JustifyCase> {};

TEST_P(CaptionJustify, PassesTheValueAsTheAlignmentFlags)
{
    makeButton(60, 20);
    const QString caption = QStringLiteral("A&b");
    button->setCaption(caption);
    button->setCaptionJustify(static_cast<controls::CaptionJustification>(GetParam().justify));
    const int top = (20 - lineHeightOf(button->font())) / 2;
    const PixelSet ink = inkOf(image(), kCaptionColor);
    ASSERT_FALSE(ink.empty());
    EXPECT_EQ(ink,
              inkOf(drawnAlone(image().size(), button->font(),
                               {{caption, {4, top, 56, 18}, GetParam().format, kCaptionColor}}),
                    kCaptionColor));
}

INSTANTIATE_TEST_SUITE_P(
    Values, CaptionJustify,
    ::testing::Values(JustifyCase{0, host::DT_LEFT | host::DT_WORDBREAK}, JustifyCase{1, kCentred},
                      JustifyCase{2, host::DT_RIGHT | host::DT_WORDBREAK},
                      // Other bits mean what they mean to the call: DT_NOPREFIX shows "&".
                      JustifyCase{0x801,
                                  host::DT_CENTER | host::DT_NOPREFIX | host::DT_WORDBREAK}));

// --- Access-key marks -------------------------------------------------------------------

struct PrefixCase {
    const char16_t *caption;
    const char16_t *shown;   // what appears, drawn without prefix processing
    int underlinedCharacter; // index into shown, or -1
};

class CaptionPrefix : public ButtonRenderTest, public ::testing::WithParamInterface<PrefixCase> {};

TEST_P(CaptionPrefix, AmpersandHidesItselfAndUnderlinesTheNextCharacter)
{
    const PrefixCase &c = GetParam();
    makeButton(80, 24);
    button->setCaptionJustify(controls::JustifyLeft);
    button->setCaption(QString::fromUtf16(c.caption));
    const QString shown = QString::fromUtf16(c.shown);
    const QFont font = button->font();
    const RECT rect = ButtonAccess::captionRect(*button);
    const PixelSet plain =
        inkOf(drawnAlone(image().size(), font,
                         {{shown, rect, host::DT_NOPREFIX | host::DT_WORDBREAK, kCaptionColor}}),
              kCaptionColor);
    const PixelSet ink = inkOf(image(), kCaptionColor);
    ASSERT_FALSE(plain.empty());

    PixelSet extra;
    for (const Pixel &p : ink)
        if (!plain.count(p))
            extra.insert(p);
    for (const Pixel &p : plain) {
        EXPECT_TRUE(ink.count(p)) << "missing " << p.first << ',' << p.second;
    }
    if (c.underlinedCharacter < 0) {
        EXPECT_EQ(extra, PixelSet{});
        return;
    }
    // The underline: one row below the baseline, as wide as the marked character.
    const QFontMetrics metrics(font, &button->backingImage());
    const int left = rect.left + metrics.horizontalAdvance(shown.left(c.underlinedCharacter));
    const int width = metrics.horizontalAdvance(shown.mid(c.underlinedCharacter, 1));
    const int row = rect.top + metrics.ascent() + std::max(1, metrics.underlinePos());
    PixelSet underline;
    for (int x = left; x < left + width; ++x)
        if (!plain.count({x, row}))
            underline.emplace(x, row);
    EXPECT_EQ(extra, underline);
    EXPECT_FALSE(underline.empty());
}

INSTANTIATE_TEST_SUITE_P(Captions, CaptionPrefix,
                         ::testing::Values(PrefixCase{u"&Open", u"Open", 0},
                                           PrefixCase{u"Op&en", u"Open", 2},
                                           PrefixCase{u"&&Open", u"&Open", -1},
                                           PrefixCase{u"关于", u"关于", -1}));

// --- Disabled, embossed -----------------------------------------------------------------

// A face whose light and dark shades differ from the system highlight of the checkerboard.
constexpr host::ColorRef kEmbossFace = host::RGB(100, 120, 140);

struct EmbossCase {
    std::int32_t appearance;
    bool checked;
};

class EmbossedCaption : public ButtonRenderTest,
                        public ::testing::WithParamInterface<EmbossCase> {};

TEST_P(EmbossedCaption, IsALightCopyUnderAShadedOneNeverPressed)
{
    makeButton(50, 24, static_cast<controls::ButtonAppearance>(GetParam().appearance));
    button->setButtonColor(kEmbossFace);
    const QString caption = QStringLiteral("关于");
    button->setCaption(caption);
    button->setChecked(host::fromBool(GetParam().checked));
    button->setEnabled(host::kFalse);

    const host::ColorRef light = ucButton::ShiftColor(kEmbossFace, 63);
    const host::ColorRef dark = ucButton::ShiftColor(kEmbossFace, -64);
    // Lines 12 pixels high: both rectangles centred at the released place.
    const QImage alone = drawnAlone(
        image().size(), button->font(),
        {{caption, {5, 7, 47, 22}, kCentred, light}, {caption, {4, 6, 46, 22}, kCentred, dark}});
    const QRect inside(2, 2, 46, 20); // within the widest edge
    const auto within = [&](const PixelSet &pixels) {
        PixelSet kept;
        for (const Pixel &p : pixels)
            if (inside.contains(p.first, p.second))
                kept.insert(p);
        return kept;
    };
    EXPECT_EQ(within(pixelsOf(image(), dark)), within(pixelsOf(alone, dark)));
    EXPECT_EQ(within(pixelsOf(image(), light)), within(pixelsOf(alone, light)));
    EXPECT_FALSE(within(pixelsOf(image(), dark)).empty());
    EXPECT_EQ(pixelsOf(image(), kCaptionColor), PixelSet{});
}

INSTANTIATE_TEST_SUITE_P(Looks, EmbossedCaption,
                         ::testing::Values(EmbossCase{0, false}, EmbossCase{3, true},
                                           EmbossCase{2, true}));

TEST_F(ButtonRenderTest, CheckedCheckButtonDrawsItsCaptionPressed)
{
    makeButton(41, 25, controls::FlatCheck);
    button->setCaption(QStringLiteral("关于"));
    const PixelSet released = inkOf(image(), kCaptionColor);
    button->setChecked(host::kTrue);
    EXPECT_EQ(inkOf(image(), kCaptionColor), shifted(released, 1, 1));
}

// --- The window's own buttons -----------------------------------------------------------

struct WindowButton {
    const char16_t *name;
    int width;
};

class WindowButtons : public ButtonRenderTest,
                      public ::testing::WithParamInterface<WindowButton> {};

// As the window loads them: flat, raised by one pixel in the shades of the button face, the
// caption in the Song face centred, drawn in the button text colour.
TEST_P(WindowButtons, DrawAsStored)
{
    const host::FormRecord layout = host::readFormLayoutFile(QStringLiteral(TARVOS_LAYOUT_FILE));
    const QString name = QString::fromUtf16(GetParam().name);
    const host::ControlRecord *record = layout.find(name);
    ASSERT_NE(record, nullptr);
    button = std::make_unique<WatchedButton>();
    button->resize(record->width / 15, record->height / 15);
    host::Ambient ambient;
    ambient.displayName = name;
    button->load(record->bag, ambient);
    button->show();

    const int W = GetParam().width, H = 25;
    ASSERT_EQ(image().size(), QSize(W, H));
    const int line = lineHeightOf(button->font());
    EXPECT_EQ(line, 12);
    EXPECT_EQ(ButtonAccess::captionRect(*button), (RECT{4, (H - line) / 2, W - 4, 23}));

    const host::ColorRef face = host::GetSysColor(host::COLOR_BTNFACE);
    EXPECT_EQ(at(W - 2, 0), ucButton::ShiftColor(face, 63));
    EXPECT_EQ(at(0, H - 2), ucButton::ShiftColor(face, 63));
    EXPECT_EQ(at(W - 1, 1), ucButton::ShiftColor(face, -64));
    EXPECT_EQ(at(1, H - 1), ucButton::ShiftColor(face, -64));
    EXPECT_EQ(at(1, 1), face);

    const QRect inside(1, 1, W - 2, H - 2);
    const QRect ink = inkBounds(image(), face, inside);
    ASSERT_FALSE(ink.isEmpty());
    // Centred between x = 4 and W - 4, to the pixel that halving loses.
    EXPECT_LE(std::abs((ink.left() - 4) - (W - 4 - 1 - ink.right())), 2);
    EXPECT_GE(ink.top(), (H - line) / 2);

    QImage alone(W, H, QImage::Format_RGB32);
    alone.fill(host::toQRgb(face));
    host::DeviceContext dc(&alone);
    dc.setFont(button->font());
    host::SetTextColor(dc, host::GetSysColor(host::COLOR_BTNTEXT));
    RECT rect{4, (H - line) / 2, W - 4, 23};
    host::DrawTextA(dc, button->Caption(), -1, rect, kCentred);
    EXPECT_EQ(image().copy(inside), alone.copy(inside));
}

INSTANTIATE_TEST_SUITE_P(Layout, WindowButtons,
                         ::testing::Values(WindowButton{u"ucButton1", 41},
                                           WindowButton{u"ucButton2", 49},
                                           WindowButton{u"ucButton3", 49}));

} // namespace
