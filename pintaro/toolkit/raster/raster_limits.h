// Fixed numbers of the raster layer. cairo stores path coordinates as 24.8
// fixed-point numbers, so anything beyond about 8.3 million pixels from the
// origin wraps around and lands on the wrong pixels; geometry is therefore
// cut down to the visible area (plus a margin) first.
#pragma once

namespace toolkit::limits {

// Largest coordinate handed to cairo after clipping; well inside the
// fixed-point range even after the ellipse's scale and translate.
inline constexpr double kMaxCoordinate = 4194304.0;  // 2^22

// Largest line width used for drawing (a wider pen covers any real image).
inline constexpr double kMaxLineWidth = 65536.0;

// Largest font size used for text, in the toolkit's text-size unit. Glyphs
// are rasterised whole, so a huge size would cost gigabytes for one letter.
inline constexpr double kMaxFontSize = 2000.0;

// Pango units per unit of the toolkit's text size: every font the layer
// builds, for a canvas or a control, is sized size x 700.
inline constexpr double kPangoUnitsPerTextSize = 700.0;

// The text size a new canvas or control starts with.
inline constexpr double kDefaultTextSize = 15.0;

}  // namespace toolkit::limits
