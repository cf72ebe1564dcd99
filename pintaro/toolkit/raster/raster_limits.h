// Fixed numbers of the raster layer. cairo stores path coordinates as 24.8
// fixed-point numbers, so anything beyond about 8.3 million pixels from the
// origin wraps around and lands on the wrong pixels; geometry is therefore
// cut down to the visible area (plus a margin) first.
#pragma once

#include <cstddef>

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

// Distinct fonts (family, size, weight) one font map serves before it is
// replaced by a fresh one. A map never releases a font it has loaded, about
// 21 KB each, so a script stepping through label heights grew without end
// (10,000 heights took 228 MB); a new map costs one font match on first use.
// 64 keeps any script that cycles through a few sizes on one map.
inline constexpr std::size_t kMaxFontsPerMap = 64;

// Text laid out in one piece: pango's coordinates are 32-bit integers of
// 1/1024 pixel, so a line wider than about 2 million pixels wraps around
// (1.4 million W's measured 0 and drew over the start of the line). Longer
// text goes to pango in pieces small enough even if every byte were a glyph
// kWidestGlyphEms ems wide; at the largest font size that is 71 bytes, at
// the default one 9,585.
inline constexpr double kMaxLayoutUnits = 2147483647.0;
inline constexpr double kWidestGlyphEms = 16.0;
inline constexpr std::size_t kMinTextPieceBytes = 64;

// Largest image, in pixels, that is made, loaded or resized to: 2^28 pixels
// are 1 GiB of surface (4 bytes each), and loading needs as much again for
// the decoded file. A file's header is checked against it before decoding,
// so a small file that declares a huge picture cannot take the machine's
// memory. Any real drawing (16384 x 16384 is exactly the limit) fits.
inline constexpr long long kMaxImagePixels = 1LL << 28;

// Symbolic links followed to find the file a save replaces: the kernel's
// own limit (MAXSYMLINKS), beyond which opening the path fails anyway.
inline constexpr int kMaxSymlinkHops = 40;

// Names tried for the temporary file a save writes first. The names carry
// the process id, so only the leftovers of earlier crashed saves by a
// process of the same id can be in the way.
inline constexpr int kTemporaryNameAttempts = 100;

// Longest temporary file name that a signal during the save can remove (the
// handler reads it from a buffer of this size made in advance): Linux's
// PATH_MAX. A longer one cannot be opened anyway.
inline constexpr std::size_t kMaxTemporaryPathBytes = 4096;

}  // namespace toolkit::limits
