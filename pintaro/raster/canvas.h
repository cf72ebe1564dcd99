// A drawing context with its colours, line width and font: the thing lines,
// rectangles, ellipses and text are drawn through.
//
// A canvas belongs to one image (which keeps it attached to the image's own
// surface) or to one control (whose draw handler attaches the platform's
// context for the length of one repaint). It can draw only while attached;
// otherwise every drawing operation raises "Canvas is not in drawing state."
//
// It draws with the raster table it is given (raster_api.h) and holds no
// other state than its own. No platform header is needed to use this one:
// the cairo and pango types are only declared here.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "color.h"
#include "font_cache.h"
#include "scaled_text.h"
#include "raster_limits.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace raster {

class Image;
class Recorder;
struct RasterApi;

// Deleters for the platform objects the layer owns; defined where the
// platform's headers are seen.
struct CairoSurfaceDeleter {
    const RasterApi* api;
    void operator()(cairo_surface_t* s) const;
};
struct CairoContextDeleter {
    const RasterApi* api;
    void operator()(cairo_t* cr) const;
};

enum InterpolationMode {
    InterpolationMode_Default,
    InterpolationMode_NearestNeighbor,
    InterpolationMode_Bilinear,
};

class Canvas {
public:
    // Draws through `api`, which must outlive the canvas. Text starts in
    // `textColor` (a control passes its theme's colour).
    explicit Canvas(const RasterApi& api, Color textColor = Color(0, 0, 0, 255));
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // ---- properties (the font cache notices family, size and bold changes) ----
    int fWidth = 0;
    int fHeight = 0;
    std::string fFontFamily;  // empty: the platform's default face
    double fFontSize = limits::kDefaultTextSize;  // x kPangoUnitsPerTextSize gives pango units
    bool fFontBold = false;
    Color fTextColor;
    Color fLineColor{0, 0, 0, 255};
    double fLineWidth = 1.0;
    Color fAreaColor{0, 0, 0, 255};
    InterpolationMode fInterpolationMode = InterpolationMode_Default;
    // Text as filled glyph outlines instead of the font's glyphs: a vector
    // file then needs no font and shows the same shapes in every viewer.
    bool fTextAsOutlines = false;
    // When set, every operation that draws is also reported there with the
    // attributes it used (recording.h); not owned.
    Recorder* fRecorder = nullptr;

    // ---- drawing state ----
    // Borrows `cr` (not owned) until detach(); the size is that of the area
    // it draws on. A control's draw handler brackets itself with these.
    void attach(cairo_t* cr, int width, int height);
    void detach();
    bool inDrawingState() const { return fCairoContext != nullptr; }
    cairo_t* context() const { return fCairoContext; }
    const RasterApi& raster() const { return *fApi; }

    // ---- drawing (coordinates in pixels, origin top-left, y downward) ----
    void drawLine(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2);
    void drawRectangleArea(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height);
    void drawRectangleOutline(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height);
    // A width or height of 0 draws nothing (it would have no area and would
    // leave the context with a singular transformation).
    void drawEllipseArea(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height);
    void drawEllipseOutline(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height);
    // A text too long for one pango layout (whose coordinates are 32-bit
    // integers of 1/1024 pixel) is laid out line by line and in pieces, so
    // that the far end of a long line never wraps back onto the picture.
    void drawText(std::string_view text, std::int64_t x, std::int64_t y);
    void fill();
    // At natural size when width and height are -1, otherwise scaled.
    void drawImage(const Image& image, std::int64_t x, std::int64_t y, std::int64_t width = -1,
                   std::int64_t height = -1);
    void setPixel(std::int64_t x, std::int64_t y, Color c);

    // ---- measuring (needs the drawing state too: pango measures through it) ----
    // The widest line in pixels; long lines are measured in pieces, as
    // drawText draws them.
    std::int64_t textWidth(std::string_view text);
    int textLineHeight();

    // The fonts behind the text operations (tests look at its bound).
    const FontCache& fonts() const { return fFonts; }

private:
    cairo_t* requireContext() const;
    FontChoice font() const { return {fFontFamily, fFontSize, fFontBold}; }
    // The text laid out once at the reference size and placed at fFontSize.
    PlacedText place(cairo_t* cr, std::string_view text);
    static std::size_t pieceBytes();

    const RasterApi* fApi;
    cairo_t* fCairoContext = nullptr;  // borrowed
    FontCache fFonts;
};

}  // namespace raster
