// Conversions of the map views from single-precision screen arithmetic to
// whole numbers. Every conversion is range-checked: a value that is not
// finite or lies beyond 32 bits converts to nothing instead of wrapping.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace mapmath {

// To the nearest whole number, halves to even.
inline std::optional<int32_t> Round(double value) {
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<int32_t>::min() ||
        rounded > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(rounded);
}

// The largest whole number not above the value.
inline std::optional<int32_t> Floor(double value) {
    return Round(std::floor(value));
}

} // namespace mapmath
