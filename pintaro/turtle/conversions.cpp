#include "conversions.h"

#include <cmath>

#include "turtle_limits.h"

namespace turtle {

std::int64_t toPixel(double v) {
    constexpr double bound = static_cast<double>(limits::kMaxPixel);
    if (std::isnan(v)) return 0;
    if (v >= bound) return limits::kMaxPixel;
    if (v <= -bound) return -limits::kMaxPixel;
    return static_cast<std::int64_t>(v);
}

std::int64_t toChannel(double v) {
    constexpr double two63 = 9223372036854775808.0;
    if (std::isnan(v)) return 0;
    std::int64_t n;
    if (v >= two63) n = INT64_MAX;
    else if (v < -two63) n = INT64_MIN;
    else n = static_cast<std::int64_t>(v);
    return n & 0xff;
}

std::optional<int> toPaletteIndex(double v) {
    if (!(v > -1.0 && v < 16.0)) return std::nullopt;  // NaN fails too
    return static_cast<int>(v);
}

}  // namespace turtle
