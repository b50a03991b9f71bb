#pragma once

#include "ucProgress.h"

namespace controls {

// The bar's own fields, which its tests compare with what it painted.
class ucProgressTestAccess {
public:
    static const host::RECT &FillArea(const ucProgress &bar) { return bar.m_FillArea; }
    static const host::RECT &BackArea(const ucProgress &bar) { return bar.m_BackArea; }
    static std::int32_t FillLength(const ucProgress &bar) { return bar.m_FillLength; }
    static std::int32_t PaintedLength(const ucProgress &bar) { return bar.m_PaintedLength; }
    static host::HBRUSH FillBrush(const ucProgress &bar) { return bar.m_FillBrush; }
    static host::HBRUSH BackBrush(const ucProgress &bar) { return bar.m_BackBrush; }
};

} // namespace controls
