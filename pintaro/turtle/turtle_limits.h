// Bounds on the turtle's pixel arithmetic.
#pragma once

#include <cstddef>
#include <cstdint>

namespace turtle::limits {

// Truncated positions and radii are clamped to +-2^61 pixels, so that the
// ellipse box (position - radius, 2 x radius) can never overflow a 64-bit
// integer. Nothing that far out is visible: the canvas clips or refuses it.
inline constexpr std::int64_t kMaxPixel = std::int64_t{1} << 61;

// Length of the heading mark of the turtle sprite, in pixels.
inline constexpr double kHeadingMarkLength = 12.0;

// The turtle sprite: a circle of this radius with the heading mark as long,
// stroked this wide, big enough to find the turtle on a busy drawing.
inline constexpr int kSpriteRadius = 12;
inline constexpr double kSpriteLineWidth = 2.0;

// Headings are degrees; the sine and cosine want radians (pi / 180).
inline constexpr double kRadiansPerDegree = 0.017453292519943295;

// The longest script a PNG picture keeps (bytes). libpng refuses to read
// chunks beyond 8 MB, and other readers have smaller limits; a script this
// long is about a thousand pages of text already.
inline constexpr std::size_t kMaxScriptBytes = std::size_t{1} << 20;

// The start image, and the one an image reset brings back.
inline constexpr int kStartWidth = 640;
inline constexpr int kStartHeight = 400;

}  // namespace turtle::limits
