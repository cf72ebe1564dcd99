#include "scaled_text.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "raster_api.h"
#include "raster_limits.h"

namespace raster {

void ScaledFontDeleter::operator()(cairo_scaled_font_t* f) const { api->cairo_scaled_font_destroy(f); }

namespace {

// pango units rounded to whole pixels as pango rounds glyph positions
// (PANGO_UNITS_ROUND: halves go up).
std::int64_t roundToPixel(double units) {
    return static_cast<std::int64_t>(std::floor(units / PANGO_SCALE + 0.5)) * PANGO_SCALE;
}

std::int64_t toUnits(double pixels) { return static_cast<std::int64_t>(std::floor(pixels * PANGO_SCALE + 0.5)); }

// Whether the target hints font metrics, as pango_cairo_update_context
// finds it: the surface's font options with the context's over them.
cairo_hint_metrics_t targetHintMetrics(const RasterApi& g, cairo_t* cr) {
    cairo_font_options_t* surface = g.cairo_font_options_create();
    cairo_font_options_t* own = g.cairo_font_options_create();
    g.cairo_surface_get_font_options(g.cairo_get_target(cr), surface);
    g.cairo_get_font_options(cr, own);
    g.cairo_font_options_merge(surface, own);
    const cairo_hint_metrics_t hint = g.cairo_font_options_get_hint_metrics(surface);
    g.cairo_font_options_destroy(own);
    g.cairo_font_options_destroy(surface);
    return hint;
}

// The reference font's face at `scale` times its size, with its options
// but the target's metrics hinting; null if cairo cannot make it (a font
// in an error state would put the context into one for good).
cairo_scaled_font_t* placedFont(const RasterApi& g, PangoFont* font, double scale, cairo_hint_metrics_t hint) {
    // PangoCairoFont is an interface of every font on a pango-cairo font map.
    cairo_scaled_font_t* reference = g.pango_cairo_font_get_scaled_font(reinterpret_cast<PangoCairoFont*>(font));
    if (!reference) return nullptr;
    cairo_matrix_t matrix, ctm;
    g.cairo_scaled_font_get_font_matrix(reference, &matrix);
    g.cairo_scaled_font_get_ctm(reference, &ctm);
    matrix.xx *= scale, matrix.yx *= scale, matrix.xy *= scale, matrix.yy *= scale;
    cairo_font_options_t* options = g.cairo_font_options_create();
    g.cairo_scaled_font_get_font_options(reference, options);
    g.cairo_font_options_set_hint_metrics(options, hint);
    cairo_scaled_font_t* placed =
        g.cairo_scaled_font_create(g.cairo_scaled_font_get_font_face(reference), &matrix, &ctm, options);
    g.cairo_font_options_destroy(options);
    if (g.cairo_scaled_font_status(placed) != CAIRO_STATUS_SUCCESS) {
        g.cairo_scaled_font_destroy(placed);
        return nullptr;
    }
    return placed;
}

}  // namespace

PlacedText::PlacedText(const RasterApi& g, TextLayout exact) : fApi(&g), fExact(std::move(exact)) {
    int w = 0, h = 0;
    g.pango_layout_get_size(fExact.get(), &w, &h);
    fWidth = w, fHeight = h;
}

PlacedText::PlacedText(const RasterApi& g, cairo_t* cr, PangoLayout* reference, PangoFont* emptyLineFont,
                       double scale)
    : fApi(&g), fExact(nullptr, GObjectDeleter{&g}) {
    if (!(scale > 0)) return;
    const cairo_hint_metrics_t hint = targetHintMetrics(g, cr);
    const bool large = scale * pangoSize(limits::kReferenceTextSize) / PANGO_SCALE * 96.0 / 72.0 >
                       limits::kLargestRasterisedGlyphPixels;
    // One placed font per pango font of the layout (fallback fonts for
    // other scripts are fonts of their own).
    std::vector<PangoFont*> placedFrom;
    auto fontFor = [&](PangoFont* font) -> cairo_scaled_font_t* {
        for (std::size_t i = 0; i < placedFrom.size(); ++i)
            if (placedFrom[i] == font) return fFonts[i].get();
        placedFrom.push_back(font);
        fFonts.emplace_back(font ? placedFont(g, font, scale, hint) : nullptr, ScaledFontDeleter{&g});
        return fFonts.back().get();
    };
    // A line is as high as the hinted ascent and descent of its fonts at
    // the placed size, in pango units.
    auto extentsOf = [&](cairo_scaled_font_t* font, std::int64_t& ascent, std::int64_t& descent) {
        cairo_font_extents_t e{};
        g.cairo_scaled_font_extents(font, &e);
        ascent = std::max(ascent, toUnits(e.ascent));
        descent = std::max(descent, toUnits(e.ascent + e.descent) - toUnits(e.ascent));
    };

    struct LineSpan {
        std::size_t firstRun, endRun;
        std::int64_t width;
        bool rightToLeft;
    };
    std::vector<LineSpan> lines;
    std::int64_t top = 0;
    for (GSList* l = g.pango_layout_get_lines_readonly(reference); l; l = l->next) {
        auto* line = static_cast<PangoLayoutLine*>(l->data);
        std::int64_t ascent = 0, descent = 0;
        bool any = false;
        for (GSList* r = line->runs; r; r = r->next)
            if (cairo_scaled_font_t* font = fontFor(static_cast<PangoGlyphItem*>(r->data)->item->analysis.font)) {
                extentsOf(font, ascent, descent);
                any = true;
            }
        if (!any)
            if (cairo_scaled_font_t* font = fontFor(emptyLineFont)) extentsOf(font, ascent, descent);
        LineSpan span{fRuns.size(), fRuns.size(), 0, line->resolved_dir == PANGO_DIRECTION_RTL};
        for (GSList* r = line->runs; r; r = r->next) {
            auto* run = static_cast<PangoGlyphItem*>(r->data);
            Run placed{fontFor(run->item->analysis.font), large, {}};
            const PangoGlyphString* glyphs = run->glyphs;
            for (int i = 0; i < glyphs->num_glyphs; ++i) {
                const PangoGlyphInfo& info = glyphs->glyphs[i];
                const std::int64_t dx = roundToPixel(info.geometry.x_offset * scale);
                const std::int64_t dy = roundToPixel(info.geometry.y_offset * scale);
                // Nothing drawn for an empty glyph, nor for a character no
                // font has (pango would draw a box with its code).
                if (placed.font && info.glyph != PANGO_GLYPH_EMPTY && !(info.glyph & PANGO_GLYPH_UNKNOWN_FLAG))
                    placed.glyphs.push_back({info.glyph, static_cast<double>(span.width + dx) / PANGO_SCALE,
                                             static_cast<double>(top + ascent + dy) / PANGO_SCALE});
                span.width += roundToPixel(info.geometry.width * scale);
            }
            if (!placed.glyphs.empty()) fRuns.push_back(std::move(placed));
        }
        span.endRun = fRuns.size();
        lines.push_back(span);
        fWidth = std::max(fWidth, span.width);
        top += ascent + descent;
    }
    fHeight = top;
    // A right-to-left line sits at the right of the text, as pango aligns
    // it when the text's direction is found from the text.
    for (const LineSpan& line : lines) {
        if (!line.rightToLeft) continue;
        const double shift = static_cast<double>(fWidth - line.width) / PANGO_SCALE;
        for (std::size_t r = line.firstRun; r < line.endRun; ++r)
            for (cairo_glyph_t& glyph : fRuns[r].glyphs) glyph.x += shift;
    }
}

void PlacedText::show(cairo_t* cr, double x, double y, bool outlines) const {
    const RasterApi& g = *fApi;
    g.cairo_save(cr);
    g.cairo_translate(cr, x, y);
    if (fExact) {
        // pango starts at the current point, which a borrowed context may have.
        g.cairo_move_to(cr, 0, 0);
        if (outlines)
            g.pango_cairo_layout_path(cr, fExact.get());
        else
            g.pango_cairo_show_layout(cr, fExact.get());
    }
    for (const Run& run : fRuns) {
        g.cairo_set_scaled_font(cr, run.font);
        if (outlines || run.asPath)
            g.cairo_glyph_path(cr, run.glyphs.data(), static_cast<int>(run.glyphs.size()));
        else
            g.cairo_show_glyphs(cr, run.glyphs.data(), static_cast<int>(run.glyphs.size()));
    }
    if (outlines || std::any_of(fRuns.begin(), fRuns.end(), [](const Run& r) { return r.asPath; }))
        g.cairo_fill(cr);
    // Nothing may stay on the path: an ellipse drawn next would join it.
    g.cairo_new_path(cr);
    g.cairo_restore(cr);
}

}  // namespace raster
