// How the turtle words turn popped values (doubles) into integers. Casting a
// double outside the target's range is undefined in C++, so every
// conversion here saturates or wraps explicitly.
#pragma once

#include <cstdint>
#include <optional>

namespace turtle {

// Toward zero, clamped to +-limits::kMaxPixel; NaN gives 0.
std::int64_t toPixel(double v);

// Toward zero, then the low 8 bits (256 gives 0, -1 gives 255, 300 gives 44).
// Values beyond the 64-bit range saturate first; NaN gives 0.
std::int64_t toChannel(double v);

// Toward zero (-0.5 counts as 0); empty unless the result lies in 0..15.
std::optional<int> toPaletteIndex(double v);

}  // namespace turtle
