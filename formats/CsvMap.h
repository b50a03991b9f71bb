#pragma once

#include "MapParse.h"

#include <QByteArray>

namespace formats {

// One line per map row, the row's tile codes in decimal separated by commas.
QByteArray writeCsvMap(const core::MapGrid &grid);

// Reads such a file: lines of equal length, each field a decimal number 0..255 (blanks
// around it, a byte-order mark, CR-LF line ends and empty lines at the end are allowed).
MapParse parseCsvMap(const QByteArray &text);

} // namespace formats
