#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "image.h"
#include "line_clip.h"
#include "raster_api.h"
#include "raster_limits.h"
#include "recording.h"
#include "raster_error.h"

namespace raster {
namespace {

void setSource(const RasterApi& g, cairo_t* cr, Color c) {
    g.cairo_set_source_rgba(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0, c.a / 255.0);
}

// NaN and negative widths draw nothing; absurd ones are capped.
double usableLineWidth(double w) {
    if (!(w > 0)) return 0;
    return std::min(w, limits::kMaxLineWidth);
}

// A box around the visible area, edges included. Strokes are cut to it
// with a margin of the line width: beyond that nothing reaches a pixel.
struct Box {
    double x0, y0, x1, y1;
};

Box strokeBox(int width, int height, double lineWidth) {
    const double m = usableLineWidth(lineWidth) + 2;
    return {-m, -m, width + m, height + m};
}

// A rectangle given by corner and (possibly negative) size, in doubles so
// that corner + size cannot overflow.
struct Rect {
    double left, top, right, bottom;
};

Rect normalise(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) {
    const double x0 = static_cast<double>(x), y0 = static_cast<double>(y);
    const double x1 = x0 + static_cast<double>(w), y1 = y0 + static_cast<double>(h);
    return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

bool intersects(const Rect& r, const Box& b) {
    return r.right >= b.x0 && r.left <= b.x1 && r.bottom >= b.y0 && r.top <= b.y1;
}

// pango units rounded up to whole pixels, as pango gives a layout's size.
std::int64_t pixels(std::int64_t units) { return (units + PANGO_SCALE - 1) / PANGO_SCALE; }

// Lines of a text split at CR, LF or CR LF.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

// The end of the next piece of a long line from `start`: at most `limit`
// bytes, after a space when there is one in the piece's second half (so
// that pieces rarely split a word), and never inside a UTF-8 sequence.
std::size_t pieceEnd(std::string_view line, std::size_t start, std::size_t limit) {
    if (line.size() - start <= limit) return line.size();
    std::size_t end = start + limit;
    const std::size_t space = line.rfind(' ', end - 1);
    if (space != std::string_view::npos && space >= start + limit / 2) return space + 1;
    while (end > start + 1 && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) --end;
    return end;
}

}  // namespace

void CairoSurfaceDeleter::operator()(cairo_surface_t* s) const { api->cairo_surface_destroy(s); }
void CairoContextDeleter::operator()(cairo_t* cr) const { api->cairo_destroy(cr); }

Canvas::Canvas(const RasterApi& api, Color textColor)
    : fTextColor(textColor), fApi(&api), fFonts(api) {}

void Canvas::attach(cairo_t* cr, int width, int height) {
    fCairoContext = cr;
    fWidth = width;
    fHeight = height;
}

void Canvas::detach() { fCairoContext = nullptr; }

cairo_t* Canvas::requireContext() const {
    if (!fCairoContext) throw RasterError("Canvas is not in drawing state.");
    return fCairoContext;
}

void Canvas::drawLine(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
    cairo_t* cr = requireContext();
    const Box box = strokeBox(fWidth, fHeight, fLineWidth);
    auto inside = [&](std::int64_t x, std::int64_t y) {
        return x >= box.x0 && x <= box.x1 && y >= box.y0 && y <= box.y1;
    };
    long double ax = x1, ay = y1, bx = x2, by = y2;
    // Most lines lie inside; only the others need cutting.
    if (!(inside(x1, y1) && inside(x2, y2)) && !clipSegment({box.x0, box.y0, box.x1, box.y1}, ax, ay, bx, by))
        return;
    if (fRecorder) fRecorder->add(LineOp{x1, y1, x2, y2, fLineColor, fLineWidth});
    const RasterApi& g = *fApi;
    setSource(g, cr, fLineColor);
    g.cairo_set_line_width(cr, usableLineWidth(fLineWidth));
    g.cairo_move_to(cr, static_cast<double>(ax), static_cast<double>(ay));
    g.cairo_line_to(cr, static_cast<double>(bx), static_cast<double>(by));
    g.cairo_stroke(cr);
}

void Canvas::drawRectangleArea(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) {
    cairo_t* cr = requireContext();
    const Box b{-1.0, -1.0, fWidth + 1.0, fHeight + 1.0};
    Rect r = normalise(x, y, width, height);
    if (!intersects(r, b)) return;
    if (fRecorder) fRecorder->add(RectangleOp{x, y, width, height, fAreaColor, 0, true});
    r = {std::max(r.left, b.x0), std::max(r.top, b.y0), std::min(r.right, b.x1), std::min(r.bottom, b.y1)};
    setSource(*fApi, cr, fAreaColor);
    fApi->cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    fApi->cairo_fill(cr);
}

void Canvas::drawRectangleOutline(std::int64_t x, std::int64_t y, std::int64_t width,
                                  std::int64_t height) {
    cairo_t* cr = requireContext();
    const Box b = strokeBox(fWidth, fHeight, fLineWidth);
    Rect r = normalise(x, y, width, height);
    if (!intersects(r, b)) return;
    if (fRecorder) fRecorder->add(RectangleOp{x, y, width, height, fLineColor, fLineWidth, false});
    // An edge beyond the box is invisible; moving it to the box keeps it so.
    r = {std::max(r.left, b.x0), std::max(r.top, b.y0), std::min(r.right, b.x1), std::min(r.bottom, b.y1)};
    setSource(*fApi, cr, fLineColor);
    fApi->cairo_set_line_width(cr, usableLineWidth(fLineWidth));
    fApi->cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    fApi->cairo_stroke(cr);
}

namespace {

// Shared by both ellipse operations: false when there is nothing to draw.
bool ellipseVisible(const Rect& r, const Box& b, std::int64_t width, std::int64_t height) {
    // A zero radius would scale the context by 0, which cairo cannot undo:
    // the context would refuse every later operation.
    if (width == 0 || height == 0) return false;
    if (!intersects(r, b)) return false;
    for (double v : {r.left, r.top, r.right, r.bottom})
        if (std::fabs(v) > limits::kMaxCoordinate) throw RasterError("Ellipse is too large to draw.");
    return true;
}

// Moves the origin to the box's centre, scales the unit circle onto the box
// and adds that circle as the path. The caller saves and restores the
// context around it, since the scaling must not outlive the operation.
void unitCirclePath(const RasterApi& g, cairo_t* cr, std::int64_t x, std::int64_t y, std::int64_t width,
                    std::int64_t height) {
    const double w = static_cast<double>(width), h = static_cast<double>(height);
    g.cairo_translate(cr, static_cast<double>(x) + w * 0.5, static_cast<double>(y) + h * 0.5);
    g.cairo_scale(cr, w * 0.5, h * 0.5);
    g.cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
}

}  // namespace

void Canvas::drawEllipseArea(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) {
    cairo_t* cr = requireContext();
    const Rect r = normalise(x, y, width, height);
    if (!ellipseVisible(r, {-1.0, -1.0, fWidth + 1.0, fHeight + 1.0}, width, height)) return;
    if (fRecorder) fRecorder->add(EllipseOp{x, y, width, height, fAreaColor, 0, true});
    const RasterApi& g = *fApi;
    setSource(g, cr, fAreaColor);
    g.cairo_save(cr);
    unitCirclePath(g, cr, x, y, width, height);
    g.cairo_fill(cr);
    g.cairo_restore(cr);
}

void Canvas::drawEllipseOutline(std::int64_t x, std::int64_t y, std::int64_t width,
                                std::int64_t height) {
    cairo_t* cr = requireContext();
    const Rect r = normalise(x, y, width, height);
    if (!ellipseVisible(r, strokeBox(fWidth, fHeight, fLineWidth), width, height)) return;
    if (fRecorder) fRecorder->add(EllipseOp{x, y, width, height, fLineColor, fLineWidth, false});
    const RasterApi& g = *fApi;
    const double w = static_cast<double>(width);
    setSource(g, cr, fLineColor);
    g.cairo_save(cr);
    unitCirclePath(g, cr, x, y, width, height);
    // In the scaled space one unit is half the width: this keeps the
    // stroke exact at the left and right ends.
    g.cairo_set_line_width(cr, std::fabs(usableLineWidth(fLineWidth) / w * 2));
    g.cairo_stroke(cr);
    g.cairo_restore(cr);
}

PlacedText Canvas::place(cairo_t* cr, std::string_view text) {
    if (fFontSize < limits::kSmallestScaledTextSize) return PlacedText(*fApi, fFonts.exactLayout(cr, font(), text));
    TextLayout reference = fFonts.layout(cr, font(), text);
    return PlacedText(*fApi, cr, reference.get(), fFonts.lineFont(cr, font()), FontCache::scaleFor(fFontSize));
}

std::size_t Canvas::pieceBytes() {
    // An em at 96 dots per inch, in pango units, of the size text is laid
    // out at.
    const double em = pangoSize(limits::kReferenceTextSize) * 96.0 / 72.0;
    const double bytes = limits::kMaxLayoutUnits / (em * limits::kWidestGlyphEms);
    return std::max(limits::kMinTextPieceBytes, static_cast<std::size_t>(bytes));
}

void Canvas::drawText(std::string_view text, std::int64_t x, std::int64_t y) {
    cairo_t* cr = requireContext();
    // Text starts at (x, y) and runs right and down; a start far outside
    // cannot reach the canvas (and would not fit cairo's coordinates).
    if (x > fWidth || y > fHeight || x < -limits::kMaxCoordinate || y < -limits::kMaxCoordinate) return;
    if (fRecorder)
        fRecorder->add(TextOp{std::string(text), x, y, fTextColor, fFontFamily, fFontSize, fFontBold});
    const RasterApi& g = *fApi;
    setSource(g, cr, fTextColor);
    const std::size_t piece = pieceBytes();
    if (text.size() <= piece) {
        place(cr, text).show(cr, static_cast<double>(x), static_cast<double>(y), fTextAsOutlines);
        return;
    }
    // Each line below the one before, each piece after the one before, as
    // one layout would place them; nothing beyond the canvas is laid out.
    double top = static_cast<double>(y);
    for (std::string_view line : splitLines(text)) {
        if (top > fHeight) break;
        std::int64_t advance = 0;  // pango units from x
        std::int64_t lineHeight = 0;
        std::size_t start = 0;
        do {
            const std::size_t end = pieceEnd(line, start, piece);
            const double left = static_cast<double>(x) + static_cast<double>(advance) / PANGO_SCALE;
            if (left > fWidth) break;
            const PlacedText part = place(cr, line.substr(start, end - start));
            const std::int64_t w = part.width();
            if (left + static_cast<double>(w) / PANGO_SCALE >= 0) part.show(cr, left, top, fTextAsOutlines);
            advance += w;
            lineHeight = std::max(lineHeight, part.height());
            start = end;
        } while (start < line.size());
        top += static_cast<double>(lineHeight) / PANGO_SCALE;
    }
}

void Canvas::fill() { drawRectangleArea(0, 0, fWidth, fHeight); }

void Canvas::drawImage(const Image& image, std::int64_t x, std::int64_t y, std::int64_t width,
                       std::int64_t height) {
    cairo_t* cr = requireContext();
    if (!image.hasSurface()) throw RasterError("Image is not initialized.");
    const RasterApi& g = *fApi;
    const bool natural = width == -1 && height == -1;
    const std::int64_t w = natural ? image.width() : width;
    const std::int64_t h = natural ? image.height() : height;
    if (w == 0 || h == 0 || image.width() == 0 || image.height() == 0) return;
    if (!intersects(normalise(x, y, w, h), {-1.0, -1.0, fWidth + 1.0, fHeight + 1.0})) return;
    for (double v : {static_cast<double>(x), static_cast<double>(y)})
        if (std::fabs(v) > limits::kMaxCoordinate) throw RasterError("Image is too large to draw.");
    if (fRecorder) fRecorder->add(PictureOp{snapshot(image), x, y, width, height, fInterpolationMode});
    if (natural) {
        g.cairo_set_source_surface(cr, image.surface(), static_cast<double>(x), static_cast<double>(y));
        // Every pixel lands on a pixel, so no filter changes the picture
        // here; in an SVG or PDF file this keeps the embedded pixels as
        // sharp as on the image, whatever the viewer's scale.
        g.cairo_pattern_set_filter(g.cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        g.cairo_paint(cr);
        return;
    }
    g.cairo_save(cr);
    g.cairo_translate(cr, static_cast<double>(x), static_cast<double>(y));
    g.cairo_scale(cr, static_cast<double>(w) / image.width(), static_cast<double>(h) / image.height());
    g.cairo_set_source_surface(cr, image.surface(), 0, 0);
    if (fInterpolationMode == InterpolationMode_NearestNeighbor)
        g.cairo_pattern_set_filter(g.cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    else if (fInterpolationMode == InterpolationMode_Bilinear)
        g.cairo_pattern_set_filter(g.cairo_get_source(cr), CAIRO_FILTER_BILINEAR);
    g.cairo_paint(cr);
    g.cairo_restore(cr);
}

void Canvas::setPixel(std::int64_t x, std::int64_t y, Color c) {
    cairo_t* cr = requireContext();
    if (x < 0 || y < 0 || x >= fWidth || y >= fHeight) throw RasterError("Pixel is out of range.");
    if (fRecorder) fRecorder->add(PixelOp{x, y, c});
    setSource(*fApi, cr, c);
    fApi->cairo_rectangle(cr, static_cast<double>(x), static_cast<double>(y), 1, 1);
    fApi->cairo_fill(cr);
}

std::int64_t Canvas::textWidth(std::string_view text) {
    cairo_t* cr = requireContext();
    const std::size_t piece = pieceBytes();
    std::int64_t widest = 0;
    for (std::string_view line : splitLines(text)) {
        if (line.empty()) continue;
        if (line.size() <= piece) {
            widest = std::max(widest, pixels(place(cr, line).width()));
            continue;
        }
        // Pieces summed in pango units, then rounded up to whole pixels as
        // pango rounds one layout's width.
        std::int64_t units = 0;
        for (std::size_t start = 0; start < line.size();) {
            const std::size_t end = pieceEnd(line, start, piece);
            units += place(cr, line.substr(start, end - start)).width();
            start = end;
        }
        widest = std::max(widest, pixels(units));
    }
    return widest;
}

int Canvas::textLineHeight() {
    cairo_t* cr = requireContext();
    return static_cast<int>(pixels(place(cr, "a").height()));
}

}  // namespace raster
