// Fixed numbers of the raster layer. cairo stores path coordinates as 24.8
// fixed-point numbers, so anything beyond about 8.3 million pixels from the
// origin wraps around and lands on the wrong pixels; geometry is therefore
// cut down to the visible area (plus a margin) first.
#pragma once

#include <cstddef>

namespace raster::limits {

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

// The one size text is laid out at; it is drawn at any other by placing
// the glyphs at that size (scaled_text.h), so that a new label height
// loads no font. Large, so that the glyph advances scaled from it keep
// their precision: pango gives them in 1/1024 pixel, which scaled up to the
// largest size (5 times) stays within 1/200 pixel of the exact advance
// before it is rounded to whole pixels.
inline constexpr double kReferenceTextSize = 400.0;

// Glyphs larger than this many pixels are filled as outlines rather than
// drawn as glyph images: an image is rasterised whole, however little of
// it lies on the canvas (a letter at the largest size is 2,600 pixels
// high, 6 MB to clear and fill), where a filled outline only costs what
// the canvas shows. Smaller glyphs stay images, which FreeType rasterises
// faster than cairo fills them; the two differ only in antialiasing.
inline constexpr double kLargestRasterisedGlyphPixels = 256.0;

// Text smaller than this is still laid out by pango at its own size, since
// fontconfig's rules may render small sizes differently (Debian's turn
// hinting off for DejaVu below 7.5 pixels, the size-7.5 text here is 6.8
// pixels): size 10 is 9.1 pixels. Few labels are that small, and there are
// few such sizes.
inline constexpr double kSmallestScaledTextSize = 10.0;

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
// kWidestGlyphEms ems wide at the size layouts are made at: 359 bytes at
// the reference size.
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

// How a PNG is compressed, chosen on a drawn 4000 x 4000 picture
// (png_bench, docs/performance.md). zlib's level 1 is the fastest, and on
// a drawing its file was smaller than ImageMagick's; without filters it is
// smaller still, since lines on a plain ground are runs of equal bytes
// that a filter only turns into differences (level 1 with "sub" took 1.3
// times as long for a file 20 % larger). A picture that is not mostly runs
// (a photograph opened and saved again) keeps libpng's adaptive filters,
// which make such a file much smaller: "mostly" is this share of pixels
// equal to the one on their left (a drawing has well over 0.9, a photograph
// a few per cent).
inline constexpr int kPngZlibLevel = 1;
inline constexpr int kPngZlibStrategy = 0;  // Z_DEFAULT_STRATEGY
inline constexpr double kPngDrawnRepeatShare = 0.5;
inline constexpr int kPngDrawnFilters = 0x08;  // PNG_FILTER_NONE
inline constexpr int kPngOtherFilters = 0xF8;  // PNG_ALL_FILTERS

// Bytes libpng compresses into before it writes them out as one IDAT
// chunk: fewer, larger writes than its default of 8 KiB.
inline constexpr std::size_t kPngBufferBytes = 256 * 1024;
// Longest temporary file name that a signal during the save can remove (the
// handler reads it from a buffer of this size made in advance): Linux's
// PATH_MAX. A longer one cannot be opened anyway.
inline constexpr std::size_t kMaxTemporaryPathBytes = 4096;

}  // namespace raster::limits
