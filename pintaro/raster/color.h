// The colour value shared by the canvas, the image and the turtle.
#pragma once

#include <cstdint>

namespace raster {

// Four 8-bit channels; alpha 255 is opaque. As one 32-bit value red is the
// lowest byte, then green, blue, and alpha in the highest byte.
struct Color {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 255;

    constexpr Color() = default;
    constexpr Color(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha = 255)
        : r(red), g(green), b(blue), a(alpha) {}

    // Keeps the low 8 bits of each channel, so 256 becomes 0 and -1 becomes 255.
    static constexpr Color fromInts(std::int64_t red, std::int64_t green, std::int64_t blue,
                                    std::int64_t alpha = 255) {
        return Color(static_cast<std::uint8_t>(red & 0xff), static_cast<std::uint8_t>(green & 0xff),
                     static_cast<std::uint8_t>(blue & 0xff), static_cast<std::uint8_t>(alpha & 0xff));
    }
    static constexpr Color fromPacked(std::uint32_t v) {
        return Color(v & 0xff, (v >> 8) & 0xff, (v >> 16) & 0xff, (v >> 24) & 0xff);
    }
    constexpr std::uint32_t packed() const {
        return std::uint32_t{r} | std::uint32_t{g} << 8 | std::uint32_t{b} << 16 | std::uint32_t{a} << 24;
    }

    friend constexpr bool operator==(Color, Color) = default;
};

}  // namespace raster
