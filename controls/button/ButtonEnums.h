#pragma once

#include <cstdint>

namespace controls
{

// The button's enumerations. Each has a fixed 32-bit underlying type, so every 32-bit value
// is a valid value of it: the setters store values outside these lists unchanged, and the
// drawing decides what they look like.

// Property Appearance. A button is of the check kind when the value is greater than 1.
enum ButtonAppearance : std::int32_t {
    Flat = 0,        // push button with a one-pixel edge
    ThreeD = 1,      // push button with a two-pixel bevel; the default
    FlatCheck = 2,   // check button, flat; each click toggles Checked
    ThreeDCheck = 3, // check button, bevelled; each click toggles Checked
};

// Property Style.
enum ButtonStyle : std::int32_t {
    Standard = 0,  // caption only; the default
    Graphical = 1, // the picture of the current state as well as the caption
};

// Property CaptionAlign: where the caption sits relative to the picture.
enum CaptionAlignment : std::int32_t {
    AlignCenter = 0, // picture centred, caption vertically centred over it; the default
    AlignTop = 1,    // caption at the top, picture at the bottom
    AlignBottom = 2, // caption at the bottom, picture at the top
    AlignLeft = 3,   // caption on the left, picture on the right
    AlignRight = 4,  // caption on the right, picture on the left
};

// Property CaptionJustify: passed unchanged as the text-drawing call's horizontal flags.
enum CaptionJustification : std::int32_t {
    JustifyLeft = 0,
    JustifyCenter = 1, // the default
    JustifyRight = 2,
};

// Whether a button of this appearance toggles Checked when clicked (signed comparison).
constexpr bool isCheckKind(ButtonAppearance appearance)
{
    return appearance > ThreeD;
}

} // namespace controls
