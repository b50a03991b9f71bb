#pragma once

#include "Cell.h"

#include <QtGlobal>

#include <cstdint>

namespace core {

// A cell an edit changed: its byte in the image, and its code before and after the edit.
struct ChangedCell {
    Cell cell;
    qsizetype byte = 0;
    std::uint8_t before = 0;
    std::uint8_t after = 0;
};

} // namespace core
