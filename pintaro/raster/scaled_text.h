// Text laid out once at one size and drawn at any. pango loads a font for
// every size it is asked for (a fontconfig match and a new face, about
// 3 ms), so a script that gives each label a height of its own spent
// nearly all its time loading fonts. The canvas therefore lays text out at
// limits::kReferenceTextSize only, with unrounded metrics, and places the
// glyphs at the size wanted itself, by the rules pango follows at that
// size: each glyph's advance and offsets rounded to whole pixels, each line
// as high as its fonts' hinted ascent and descent at that size. The glyphs
// are drawn through cairo from the same font face at the wanted size, so
// they are the very glyphs pango would have drawn.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <cairo.h>

#include "font_cache.h"

typedef struct _PangoLayout PangoLayout;
typedef struct _PangoFont PangoFont;

namespace raster {

struct RasterApi;

struct ScaledFontDeleter {
    const RasterApi* api;
    void operator()(cairo_scaled_font_t* f) const;
};

class PlacedText {
public:
    // The text of `reference` (laid out at the reference size, unrounded)
    // placed at `scale` times that size, for drawing through `cr`.
    // `emptyLineFont` sizes lines that hold no glyphs, as pango sizes them
    // by the layout's own font. A scale of 0 (a size of 0) places nothing.
    PlacedText(const RasterApi& g, cairo_t* cr, PangoLayout* reference, PangoFont* emptyLineFont, double scale);
    // Small text as pango lays it out at its own size (see
    // limits::kSmallestScaledTextSize).
    PlacedText(const RasterApi& g, TextLayout exact);

    // pango units (1/1024 pixel) at the placed size, as pango_layout_get_size
    // gives them.
    std::int64_t width() const { return fWidth; }
    std::int64_t height() const { return fHeight; }

    // Draws the glyphs with the layout's top-left corner at (x, y) in the
    // source colour, or adds their outlines to the path and fills them.
    void show(cairo_t* cr, double x, double y, bool outlines) const;

private:
    struct Run {
        cairo_scaled_font_t* font;          // one of fFonts
        bool asPath;                        // glyphs too large to rasterise whole
        std::vector<cairo_glyph_t> glyphs;  // relative to the layout's corner
    };
    const RasterApi* fApi;
    TextLayout fExact;  // or null
    std::vector<std::unique_ptr<cairo_scaled_font_t, ScaledFontDeleter>> fFonts;  // null where cairo had none
    std::vector<Run> fRuns;
    std::int64_t fWidth = 0, fHeight = 0;
};

}  // namespace raster
