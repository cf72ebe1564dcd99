// The fonts a canvas lays its text out with: a pango font description for
// the canvas's current family, size and weight, and a pango font map of the
// canvas's own that loads the fonts.
//
// A font map keeps every font it has ever loaded (pango, fontconfig and
// cairo data of some 21 KB per size), so a script that steps through many
// label heights would grow without end. The cache therefore replaces its
// map by a fresh one once the map has served limits::kMaxFontsPerMap
// distinct fonts; a few sizes used over and over stay loaded.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

typedef struct _cairo cairo_t;
typedef struct _PangoFontDescription PangoFontDescription;
typedef struct _PangoFontMap PangoFontMap;
typedef struct _PangoLayout PangoLayout;
typedef struct _PangoFont PangoFont;
typedef struct _PangoContext PangoContext;

namespace raster {

struct RasterApi;

struct GObjectDeleter {
    const RasterApi* api;
    void operator()(void* object) const;
};
struct FontDescriptionDeleter {
    const RasterApi* api;
    void operator()(PangoFontDescription* f) const;
};
using TextLayout = std::unique_ptr<PangoLayout, GObjectDeleter>;

// A font as the canvas's fields give it.
struct FontChoice {
    std::string family;  // empty: the platform's default face
    double size = 0;     // the toolkit's text-size unit
    bool bold = false;
    friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

class FontCache {
public:
    explicit FontCache(const RasterApi& api);
    ~FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    // A layout of `text` in `font`'s family and weight at the reference
    // size (limits::kReferenceTextSize), with unrounded metrics, for placing
    // at `font`'s size (PlacedText) on `cr`.
    TextLayout layout(cairo_t* cr, const FontChoice& font, std::string_view text);
    // A layout of `text` in `font` at its own size, with the surface's
    // metrics (small text, which fontconfig may hint differently by size).
    TextLayout exactLayout(cairo_t* cr, const FontChoice& font, std::string_view text);

    // The font the layout's description names, which sizes a line without
    // glyphs; owned by the cache.
    PangoFont* lineFont(cairo_t* cr, const FontChoice& font);

    // How much larger a text size is than the reference size.
    static double scaleFor(double fontSize);

    // Distinct fonts served by the current map (tests watch it renewed).
    std::size_t fontsInMap() const { return fServed.size(); }

private:
    static FontChoice atReferenceSize(FontChoice font);
    std::unique_ptr<PangoContext, GObjectDeleter> context(cairo_t* cr, const FontChoice& font, bool unrounded);
    TextLayout layoutOn(PangoContext* context, const FontChoice& font, std::string_view text);
    PangoFontDescription* description(const FontChoice& font);

    const RasterApi* fApi;
    std::unique_ptr<PangoFontMap, GObjectDeleter> fMap;
    std::vector<FontChoice> fServed;  // fonts loaded through fMap
    std::unique_ptr<PangoFontDescription, FontDescriptionDeleter> fDescription;  // of fBuiltFor
    FontChoice fBuiltFor;
    std::unique_ptr<PangoFont, GObjectDeleter> fLineFont;  // of fLineFontFor, on fMap
    FontChoice fLineFontFor;
};

// Pango's size for the toolkit's text size: trunc(size x 700), with the size
// capped at limits::kMaxFontSize, and 0 for NaN or a size below 0.
int pangoSize(double fontSize);

}  // namespace raster
