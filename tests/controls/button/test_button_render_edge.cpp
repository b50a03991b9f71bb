#include "ButtonRenderFixture.h"

using namespace button_render;
using controls::ucButton;

namespace {

// --- The design's flat button, pixel by pixel ------------------------------------------

TEST_F(ButtonRenderTest, FlatButtonReleasedHasLitTopLeftAndShadedBottomRight)
{
    makeButton(20, 10);
    const PixelSet lit = run(0, 0, 18, 0) + run(0, 1, 0, 8);
    const PixelSet shaded = run(19, 0, 19, 8) + run(0, 9, 19, 9);
    EXPECT_EQ(pixelsOf(image(), kHighlight), lit);
    EXPECT_EQ(pixelsOf(image(), kShadow), shaded);
    EXPECT_EQ(pixelsOf(image(), kFace), run(1, 1, 18, 8));

    press();
    EXPECT_EQ(pixelsOf(image(), kShadow), lit);
    EXPECT_EQ(pixelsOf(image(), kHighlight), shaded);
    EXPECT_EQ(pixelsOf(image(), kFace), run(1, 1, 18, 8));

    release();
    EXPECT_EQ(pixelsOf(image(), kHighlight), lit);
}

// --- Every appearance and state ---------------------------------------------------------

// A face whose shades differ from each other and from the system highlight that the
// checkerboard uses, so that every pixel tells which colour it got.
constexpr host::ColorRef kTableFace = host::RGB(100, 120, 140);

enum Shade { None, Light, Highlight, Shadow, DarkShadow };

host::ColorRef shadeOf(Shade shade)
{
    switch (shade) {
    case Light:
        return ucButton::ShiftColor(kTableFace, 31);
    case Highlight:
        return ucButton::ShiftColor(kTableFace, 63);
    case Shadow:
        return ucButton::ShiftColor(kTableFace, -64);
    case DarkShadow:
        return ucButton::ShiftColor(kTableFace, -192);
    case None:
        break;
    }
    return kTableFace;
}

enum class Pointer { Away, Over, Pressed, PressedAway };

struct EdgeCase {
    const char *name;
    std::int32_t appearance;
    bool checked;
    bool flatOver;
    Pointer pointer;
    bool enabled;
    Shade outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
    bool checkerboard;
};

class EdgeLooks : public ButtonRenderTest, public ::testing::WithParamInterface<EdgeCase> {};

// Which line of the edge covers a pixel of a W x H button, 0 for none: 1 outer top-left,
// 2 outer bottom-right, 3 inner top-left, 4 inner bottom-right.
int edgePart(int x, int y, int W, int H)
{
    if (y == H - 1 || x == W - 1)
        return 2;
    if (x == 0 || y == 0)
        return 1;
    if (y == H - 2 || x == W - 2)
        return 4;
    if (x == 1 || y == 1)
        return 3;
    return 0;
}

TEST_P(EdgeLooks, DrawTheListedLinesInTheListedShades)
{
    const EdgeCase &c = GetParam();
    constexpr int W = 20, H = 10;
    makeButton(W, H, static_cast<controls::ButtonAppearance>(c.appearance));
    button->setButtonColor(kTableFace);
    button->setFlatOver(host::fromBool(c.flatOver));
    button->setChecked(host::fromBool(c.checked));
    if (c.pointer == Pointer::Over || c.pointer == Pointer::Pressed)
        hover();
    if (c.pointer == Pointer::Pressed || c.pointer == Pointer::PressedAway)
        press();
    button->setEnabled(host::fromBool(c.enabled));

    const host::ColorRef checker = host::GetSysColor(host::COLOR_BTNHIGHLIGHT);
    const auto background = [&](int x, int y) {
        return c.checkerboard && (x + y) % 2 != 0 ? checker : kTableFace;
    };
    const Shade shades[] = {None, c.outerTopLeft, c.outerBottomRight, c.innerTopLeft,
                            c.innerBottomRight};
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const Shade shade = shades[edgePart(x, y, W, H)];
            const host::ColorRef want = shade == None ? background(x, y) : shadeOf(shade);
            ASSERT_EQ(at(x, y), want) << "at " << x << ',' << y;
        }
}

constexpr Pointer Away = Pointer::Away, Over = Pointer::Over, Pressed = Pointer::Pressed,
                  PressedAway = Pointer::PressedAway;

INSTANTIATE_TEST_SUITE_P(
    AppearanceAndState, EdgeLooks,
    ::testing::Values(
        EdgeCase{"FlatReleased", 0, false, false, Away, true, Highlight, Shadow, None, None, false},
        EdgeCase{"FlatPressed", 0, false, false, Pressed, true, Shadow, Highlight, None, None,
                 false},
        EdgeCase{"FlatOverAway", 0, false, true, Away, true, None, None, None, None, false},
        EdgeCase{"FlatOverOver", 0, false, true, Over, true, Highlight, Shadow, None, None, false},
        EdgeCase{"FlatOverPressed", 0, false, true, Pressed, true, Shadow, Highlight, None, None,
                 false},
        EdgeCase{"FlatOverPressedAway", 0, false, true, PressedAway, true, Shadow, Highlight, None,
                 None, false},
        EdgeCase{"FlatCheckUnchecked", 2, false, false, Away, true, Highlight, Shadow, None, None,
                 false},
        EdgeCase{"FlatCheckChecked", 2, true, false, Away, true, Shadow, Highlight, None, None,
                 true},
        EdgeCase{"FlatCheckCheckedFlatOverAway", 2, true, true, Away, true, Shadow, Highlight, None,
                 None, true},
        EdgeCase{"FlatCheckFlatOverAway", 2, false, true, Away, true, None, None, None, None,
                 false},
        EdgeCase{"FlatCheckCheckedHeld", 2, true, false, Pressed, true, Shadow, Highlight, None,
                 None, false},
        EdgeCase{"FlatCheckCheckedDisabled", 2, true, false, Away, false, Shadow, Highlight, None,
                 None, true},
        EdgeCase{"ThreeDReleased", 1, false, false, Away, true, Highlight, DarkShadow, Light,
                 Shadow, false},
        EdgeCase{"ThreeDPressed", 1, false, false, Pressed, true, DarkShadow, Highlight, Shadow,
                 Light, false},
        EdgeCase{"ThreeDIgnoresFlatOver", 1, false, true, Away, true, Highlight, DarkShadow, Light,
                 Shadow, false},
        EdgeCase{"ThreeDDisabled", 1, false, false, Away, false, Highlight, DarkShadow, Light,
                 Shadow, false},
        EdgeCase{"ThreeDCheckUnchecked", 3, false, false, Over, true, Highlight, DarkShadow, Light,
                 Shadow, false},
        EdgeCase{"ThreeDCheckChecked", 3, true, false, Away, true, DarkShadow, Highlight, Shadow,
                 Light, true},
        EdgeCase{"ThreeDCheckCheckedHeld", 3, true, false, Pressed, true, DarkShadow, Highlight,
                 Shadow, Light, false},
        EdgeCase{"ThreeDCheckCheckedDisabled", 3, true, true, Away, false, DarkShadow, Highlight,
                 Shadow, Light, true},
        // Values outside the list draw no edge; above 1 they still count as check buttons.
        EdgeCase{"Appearance5", 5, false, false, Pressed, true, None, None, None, None, false},
        EdgeCase{"Appearance5Checked", 5, true, false, Away, true, None, None, None, None, true},
        EdgeCase{"AppearanceMinus1Pressed", -1, true, false, Pressed, true, None, None, None, None,
                 false},
        EdgeCase{"AppearanceMinus1CheckedAway", -1, true, false, Away, true, None, None, None, None,
                 false}),
    [](const ::testing::TestParamInfo<EdgeCase> &param) { return std::string(param.param.name); });

// --- The checkerboard -----------------------------------------------------------------

TEST_F(ButtonRenderTest, CheckedFaceIsACheckerboardAlignedToTheCorner)
{
    makeButton(24, 16, controls::ThreeDCheck);
    button->setChecked(host::kTrue);
    const host::ColorRef checker = host::GetSysColor(host::COLOR_BTNHIGHLIGHT);
    for (int y = 2; y < 14; ++y)
        for (int x = 2; x < 22; ++x)
            ASSERT_EQ(at(x, y), (x + y) % 2 == 0 ? kFace : checker) << x << ',' << y;

    // Held down, the face is plain; released again, the checkerboard is back.
    press();
    EXPECT_EQ(pixelsOf(image(), kFace), run(2, 2, 21, 13));
    button->setChecked(host::kFalse);
    EXPECT_EQ(pixelsOf(image(), kFace), run(2, 2, 21, 13));
}

// --- The focus rectangle ----------------------------------------------------------------

struct FocusCase {
    bool focus;
    bool showFocus;
};

class FocusFrame : public ButtonRenderTest, public ::testing::WithParamInterface<FocusCase> {};

TEST_P(FocusFrame, IsDrawnOnlyWithFocusAndShowFocus)
{
    const FocusCase &c = GetParam();
    constexpr int W = 30, H = 20;
    makeButton(W, H, controls::ThreeD);
    button->setShowFocus(host::fromBool(c.showFocus));
    if (c.focus)
        focusIn();
    const bool shown = c.focus && c.showFocus;
    const host::ColorRef inverted = kFace ^ 0xFFFFFFu;
    PixelSet dotted;
    for (int y = 4; y < H - 4; ++y)
        for (int x = 4; x < W - 4; ++x)
            if ((x == 4 || x == W - 5 || y == 4 || y == H - 5) && (x + y) % 2 == 0)
                dotted.emplace(x, y);
    EXPECT_EQ(pixelsOf(image(), inverted), shown ? dotted : PixelSet{});
    EXPECT_EQ(pixelsOf(image(), kFace).size(),
              static_cast<std::size_t>((W - 4) * (H - 4)) - (shown ? dotted.size() : 0));

    focusOut();
    EXPECT_EQ(pixelsOf(image(), inverted), PixelSet{});
}

INSTANTIATE_TEST_SUITE_P(FocusAndShowFocus, FocusFrame,
                         ::testing::Values(FocusCase{true, true}, FocusCase{true, false},
                                           FocusCase{false, true}, FocusCase{false, false}));

} // namespace
