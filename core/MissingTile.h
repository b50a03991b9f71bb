#pragma once

#include <QImage>

#include <cstdint>

namespace core {

// The cell an export draws for a code without a tile bitmap: 16 x 16 magenta in a black
// frame, the code in two white hexadecimal digits, so that a gap in the tile folder shows
// at a glance and says which bitmap is missing. Drawn from its own pixel font, so it looks
// the same on every machine.
QImage missingTileImage(std::uint8_t code);

} // namespace core
