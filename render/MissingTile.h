#pragma once

#include "Picture.h"

#include <QImage>

#include <cstdint>

namespace render {

// What a cell shows for a code without a loadable tile bitmap, in the map view and in an
// export alike: 16 x 16 magenta in a black frame, the code in two white hexadecimal
// digits, so that a gap in the tile folder shows at a glance and says which bitmap is
// missing. Drawn from its own pixel font, so it looks the same on every machine.
QImage missingTileImage(std::uint8_t code);

// The same as a picture object, for the window's image controls and picture boxes.
host::Picture missingTilePicture(std::uint8_t code);

} // namespace render
