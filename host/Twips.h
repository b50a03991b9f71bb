#pragma once

namespace host {

// The window, the map view and the palette measure in twips: 15 to the pixel at 96 dpi.
constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) { return twips / kTwipsPerPixel; }
constexpr int pixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

} // namespace host
