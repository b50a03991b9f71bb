#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace core {

// "MAP" inside a folder, whether or not it exists.
QString tileFolderIn(const QString &folder);

// The tile folder the editor and tarvos-cli draw from: the "MAP" folder beside the program
// when there is one (as the Windows zip unpacks), otherwise the first "tarvos/MAP" among the
// user's and then the system's data folders (on Linux $XDG_DATA_HOME, then $XDG_DATA_DIRS),
// where an installed package keeps its tiles and where a user adds tiles without being
// root. With none of them, the one beside the program, which then lists nothing.
QString tileFolder(const QString &programFolder);

// The bitmap a tile code is drawn from: upper-case hexadecimal without leading zeros,
// then ".bmp" (200 -> "C8.bmp", 10 -> "A.bmp", 0 -> "0.bmp").
QString tileFileName(std::uint8_t code);

// The code the palette reads from a file name: its first two characters as hexadecimal
// ("C8.bmp" and "c8 grass.bmp" -> 200, "1C8.bmp" -> 28), or a single hexadecimal digit
// followed by "." ("A.bmp" -> 10), so that the one-digit names of codes 0..15 are found.
std::optional<std::uint8_t> paletteTileCode(const QString &fileName);

} // namespace core
