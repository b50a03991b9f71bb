#pragma once

#include <cstdint>
#include <vector>

namespace cli {

// A prefix code as a deflate stream describes it: a bit length per symbol (0 for a symbol
// that does not occur), the codes assigned in order of length, then of symbol.
struct HuffmanCode {
    std::vector<std::uint8_t> lengths;
    // Each code bit-reversed, ready for a stream that is filled from the low bit up.
    std::vector<std::uint16_t> codes;
};

// An optimal code for the symbol counts with no code longer than `limit` bits. At least
// two symbols get a code, even when fewer occur, so that every decoder accepts it: the
// code is always complete.
HuffmanCode huffmanCode(std::vector<std::uint32_t> counts, int limit);

} // namespace cli
