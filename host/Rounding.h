#pragma once

#include <cstdint>
#include <optional>

namespace host {

// The runtime turns real numbers into 32-bit integers by rounding to nearest, halves to
// the even number (banker's rounding). These helpers are the one place that happens.

// The rounded value, or nothing when it does not fit a signed 32-bit integer (or is NaN).
std::optional<std::int32_t> tryRoundHalfEven(double value);

// The rounded value; raises RuntimeError 6 (overflow) when it does not fit.
std::int32_t roundHalfEven(double value);

// Whole-number division truncating toward zero; nothing for a zero divisor or for
// INT32_MIN / -1, which has no 32-bit result.
std::optional<std::int32_t> tryDivide(std::int32_t dividend, std::int32_t divisor);

// a + b and a * b in 32 bits; raise RuntimeError 6 when the result does not fit.
std::int32_t checkedAdd(std::int32_t a, std::int32_t b);
std::int32_t checkedMultiply(std::int32_t a, std::int32_t b);

// Halving a length for centring truncates toward zero.
constexpr std::int32_t halve(std::int32_t length) { return length / 2; }

} // namespace host
