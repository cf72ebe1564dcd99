#include "font_cache.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>

#include "raster_api.h"
#include "raster_limits.h"
#include "utf8_repair.h"

namespace raster {

void GObjectDeleter::operator()(void* object) const { api->g_object_unref(object); }
void FontDescriptionDeleter::operator()(PangoFontDescription* f) const { api->pango_font_description_free(f); }

int pangoSize(double fontSize) {
    if (!(fontSize > 0)) return 0;
    return static_cast<int>(std::min(fontSize, limits::kMaxFontSize) * limits::kPangoUnitsPerTextSize);
}

FontCache::FontCache(const RasterApi& api)
    : fApi(&api),
      fMap(nullptr, GObjectDeleter{&api}),
      fDescription(nullptr, FontDescriptionDeleter{&api}),
      fLineFont(nullptr, GObjectDeleter{&api}) {}

FontCache::~FontCache() = default;

PangoFontDescription* FontCache::description(const FontChoice& font) {
    if (fDescription && fBuiltFor == font) return fDescription.get();
    const RasterApi& g = *fApi;
    fDescription.reset(g.pango_font_description_new());
    if (!font.family.empty()) g.pango_font_description_set_family(fDescription.get(), font.family.c_str());
    g.pango_font_description_set_size(fDescription.get(), pangoSize(font.size));
    g.pango_font_description_set_weight(fDescription.get(), font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    fBuiltFor = font;
    return fDescription.get();
}

FontChoice FontCache::atReferenceSize(FontChoice font) {
    font.size = limits::kReferenceTextSize;
    return font;
}

std::unique_ptr<PangoContext, GObjectDeleter> FontCache::context(cairo_t* cr, const FontChoice& font,
                                                                 bool unrounded) {
    const RasterApi& g = *fApi;
    const bool current = fDescription && fBuiltFor == font;  // then already served
    if (!current && std::find(fServed.begin(), fServed.end(), font) == fServed.end()) {
        // A font the map has not loaded yet: once the map holds its share,
        // a fresh map starts over (the old one and its fonts are released
        // when no layout uses them any more).
        if (!fMap || fServed.size() >= limits::kMaxFontsPerMap) {
            fMap.reset(g.pango_cairo_font_map_new());
            fServed.clear();
            fLineFont.reset();
        }
        fServed.push_back(font);
    }
    std::unique_ptr<PangoContext, GObjectDeleter> context(g.pango_font_map_create_context(fMap.get()),
                                                          GObjectDeleter{&g});
    // The context takes the surface's font options (antialiasing, hinting),
    // but lays out with unrounded metrics: the placed text rounds them at
    // the size it is drawn at (scaled_text.h).
    g.pango_cairo_update_context(cr, context.get());
    if (!unrounded) return context;
    // Options set on the context replace those pango took from the cairo
    // context (a vector file's hinting), so they start as a copy of them.
    cairo_font_options_t* unhinted = g.cairo_font_options_create();
    g.cairo_get_font_options(cr, unhinted);
    g.cairo_font_options_set_hint_metrics(unhinted, CAIRO_HINT_METRICS_OFF);
    g.pango_cairo_context_set_font_options(context.get(), unhinted);
    g.cairo_font_options_destroy(unhinted);
    g.pango_context_set_round_glyph_positions(context.get(), FALSE);
    return context;
}

TextLayout FontCache::layoutOn(PangoContext* context, const FontChoice& font, std::string_view text) {
    const RasterApi& g = *fApi;
    TextLayout layout(g.pango_layout_new(context), GObjectDeleter{&g});
    g.pango_layout_set_font_description(layout.get(), description(font));
    // pango would warn on standard error and draw the bad bytes as boxes.
    const std::optional<std::string> repaired = repairedUtf8(text);
    if (repaired) text = *repaired;
    g.pango_layout_set_text(layout.get(), text.data(),
                            static_cast<int>(std::min<std::size_t>(text.size(), std::numeric_limits<int>::max())));
    return layout;
}

TextLayout FontCache::layout(cairo_t* cr, const FontChoice& wanted, std::string_view text) {
    const FontChoice font = atReferenceSize(wanted);
    return layoutOn(context(cr, font, true).get(), font, text);
}

TextLayout FontCache::exactLayout(cairo_t* cr, const FontChoice& font, std::string_view text) {
    return layoutOn(context(cr, font, false).get(), font, text);
}

PangoFont* FontCache::lineFont(cairo_t* cr, const FontChoice& wanted) {
    const FontChoice font = atReferenceSize(wanted);
    if (fLineFont && fLineFontFor == font) return fLineFont.get();
    auto context = this->context(cr, font, true);
    fLineFont.reset(fApi->pango_font_map_load_font(fMap.get(), context.get(), description(font)));
    fLineFontFor = font;
    return fLineFont.get();
}

double FontCache::scaleFor(double fontSize) {
    return static_cast<double>(pangoSize(fontSize)) / pangoSize(limits::kReferenceTextSize);
}

}  // namespace raster
