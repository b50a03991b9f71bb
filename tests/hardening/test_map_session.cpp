#include "FuzzEntries.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

// The session model of the fuzz target map_session (EntryMapSession.cpp) over a fixed set of
// random sequences, so that every build plays them.
TEST(MapSession, RandomSequencesKeepEveryRule)
{
    constexpr int kSequences = 40;
    constexpr std::size_t kBytes = 900;
    std::mt19937 random(34);
    for (int sequence = 0; sequence < kSequences; ++sequence) {
        std::vector<std::uint8_t> input(kBytes);
        for (std::uint8_t &byte : input)
            byte = static_cast<std::uint8_t>(random());
        try {
            fuzzing::mapSession(input.data(), input.size());
        } catch (const fuzzing::Finding &finding) {
            FAIL() << "sequence " << sequence << ", " << finding.what();
        }
    }
}
