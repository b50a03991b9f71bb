#pragma once

#include <QImage>

#include <cstdint>
#include <vector>

namespace sample {

// Every tile code that has a picture, in ascending order.
std::vector<std::uint8_t> tileArtCodes();

// The code's 16 x 16 picture, the same pixels on every call; a null image for a code
// without one.
QImage drawTileArt(std::uint8_t code);

} // namespace sample
