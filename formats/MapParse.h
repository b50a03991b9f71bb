#pragma once

#include "MapGrid.h"

#include <QString>

#include <variant>

namespace formats {

// Why a map file was refused, naming the line or the cell.
struct MapFault {
    QString message;
};

// What reading a map file gives: the chapter's tile codes, or why the file was refused.
using MapParse = std::variant<core::MapGrid, MapFault>;

} // namespace formats
