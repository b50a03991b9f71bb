#include "Rounding.h"

#include "RuntimeError.h"

#include <cmath>
#include <limits>

namespace host {

std::optional<std::int32_t> tryRoundHalfEven(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // nearbyint follows the current rounding mode, which is round-to-nearest-even by default.
    const double rounded = std::nearbyint(value);
    if (rounded < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

std::int32_t roundHalfEven(double value)
{
    if (const auto rounded = tryRoundHalfEven(value))
        return *rounded;
    throw RuntimeError::overflow();
}

std::optional<std::int32_t> tryDivide(std::int32_t dividend, std::int32_t divisor)
{
    if (divisor == 0)
        return std::nullopt;
    if (dividend == std::numeric_limits<std::int32_t>::min() && divisor == -1)
        return std::nullopt;
    return dividend / divisor;
}

std::int32_t checkedAdd(std::int32_t a, std::int32_t b)
{
    std::int32_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        throw RuntimeError::overflow();
    return sum;
}

std::int32_t checkedMultiply(std::int32_t a, std::int32_t b)
{
    std::int32_t product = 0;
    if (__builtin_mul_overflow(a, b, &product))
        throw RuntimeError::overflow();
    return product;
}

} // namespace host
