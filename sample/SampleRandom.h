#pragma once

#include <cstdint>

namespace sample {

// SplitMix64 with integer-only helpers. The standard distributions differ between
// library vendors; this gives the same numbers everywhere, so the sample files come out
// byte for byte the same on every build.
class SampleRandom {
public:
    explicit SampleRandom(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        m_state += 0x9E3779B97F4A7C15ULL;
        std::uint64_t z = m_state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // 0 .. bound - 1; bound is at least 1. The modulo bias is far below anything visible.
    int below(int bound) { return static_cast<int>(next() % static_cast<std::uint64_t>(bound)); }

    // low .. high, both included; high is not below low.
    int between(int low, int high) { return low + below(high - low + 1); }

    bool chance(int percent) { return below(100) < percent; }

    std::uint8_t byte() { return static_cast<std::uint8_t>(next() >> 56); }

private:
    std::uint64_t m_state;
};

} // namespace sample
