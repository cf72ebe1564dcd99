#include "recording.h"

#include <algorithm>
#include <cstring>

#include "image.h"
#include "raster_api.h"

namespace raster {

std::shared_ptr<const Image> snapshot(const Image& source) {
    auto copy = std::make_shared<Image>(source.raster());
    copy->resize(source.width(), source.height());
    // Drawn over a transparent surface, the source's pixels arrive unchanged.
    if (source.width() > 0 && source.height() > 0) copy->canvas().drawImage(source, 0, 0);
    return copy;
}

namespace {

// The one premultiplied ARGB value every pixel of the image has, if any.
bool uniformPixel(const Image& image, std::uint32_t& value) {
    const RasterApi& g = image.raster();
    cairo_surface_t* s = image.surface();
    g.cairo_surface_flush(s);
    const unsigned char* data = g.cairo_image_surface_get_data(s);
    const int stride = g.cairo_image_surface_get_stride(s);
    std::memcpy(&value, data, 4);
    for (int y = 0; y < image.height(); ++y) {
        const unsigned char* row = data + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < image.width(); ++x) {
            std::uint32_t v;
            std::memcpy(&v, row + 4 * static_cast<std::ptrdiff_t>(x), 4);
            if (v != value) return false;
        }
    }
    return true;
}

}  // namespace

void Recorder::attach(Image& image) {
    fOps.clear();
    image.canvas().fRecorder = this;
    const int w = image.width(), h = image.height();
    // Braced operations (clang 14 builds no aggregate from parentheses),
    // made in place: a variant moved in from a temporary draws gcc's false
    // "may be used uninitialized".
    fOps.emplace_back(std::in_place_type<NewSurfaceOp>, NewSurfaceOp{w, h});
    if (!image.hasSurface() || w == 0 || h == 0) {
        fStart = fOps.size();
        return;
    }
    std::uint32_t argb = 0;
    const bool uniform = uniformPixel(image, argb);
    if (uniform && argb >> 24 == 255) {
        // A plain start image stays a plain rectangle in a vector file
        // rather than an embedded picture of one colour.
        fOps.emplace_back(std::in_place_type<RectangleOp>, RectangleOp{0, 0, w, h, image.pixel(0, 0), 0.0, true});
    } else if (!uniform || argb >> 24 != 0) {  // a transparent image has nothing to show
        fOps.emplace_back(std::in_place_type<PictureOp>,
                          PictureOp{snapshot(image), 0, 0, -1, -1, InterpolationMode_Default});
    }
    fStart = fOps.size();
}

void Recorder::add(DrawingOp op) {
    if (fOnOperation) fOnOperation();
    fOps.push_back(std::move(op));
}

namespace {

bool coversOpaquely(const DrawingOp& op, int width, int height) {
    const auto* r = std::get_if<RectangleOp>(&op);
    if (!r || !r->filled || r->color.a != 255) return false;
    const std::int64_t left = std::min(r->x, r->x + r->w), right = std::max(r->x, r->x + r->w);
    const std::int64_t top = std::min(r->y, r->y + r->h), bottom = std::max(r->y, r->y + r->h);
    return left <= 0 && top <= 0 && right >= width && bottom >= height;
}

}  // namespace

CurrentPicture currentPicture(const std::vector<DrawingOp>& ops) {
    CurrentPicture p{0, 0, 0};
    for (std::size_t i = 0; i < ops.size(); ++i) {
        if (const auto* s = std::get_if<NewSurfaceOp>(&ops[i])) {
            p = {i + 1, s->width, s->height};
        } else if (coversOpaquely(ops[i], p.width, p.height)) {
            p.first = i;
        }
    }
    return p;
}

namespace {

using Shape = void (Canvas::*)(std::int64_t, std::int64_t, std::int64_t, std::int64_t);

// A rectangle or an ellipse: filled in its colour, or outlined in its
// colour and width.
template <class Op>
void replayShape(Canvas& c, const Op& o, Shape area, Shape outline) {
    if (o.filled) {
        c.fAreaColor = o.color;
        (c.*area)(o.x, o.y, o.w, o.h);
    } else {
        c.fLineColor = o.color;
        c.fLineWidth = o.width;
        (c.*outline)(o.x, o.y, o.w, o.h);
    }
}

}  // namespace

void replay(const DrawingOp& op, Canvas& c) {
    struct Draw {
        Canvas& c;
        void operator()(const LineOp& o) const {
            c.fLineColor = o.color;
            c.fLineWidth = o.width;
            c.drawLine(o.x1, o.y1, o.x2, o.y2);
        }
        void operator()(const RectangleOp& o) const {
            replayShape(c, o, &Canvas::drawRectangleArea, &Canvas::drawRectangleOutline);
        }
        void operator()(const EllipseOp& o) const {
            replayShape(c, o, &Canvas::drawEllipseArea, &Canvas::drawEllipseOutline);
        }
        void operator()(const TextOp& o) const {
            c.fTextColor = o.color;
            c.fFontFamily = o.family;
            c.fFontSize = o.size;
            c.fFontBold = o.bold;
            c.drawText(o.text, o.x, o.y);
        }
        void operator()(const PictureOp& o) const {
            c.fInterpolationMode = o.mode;
            c.drawImage(*o.picture, o.x, o.y, o.w, o.h);
        }
        void operator()(const PixelOp& o) const { c.setPixel(o.x, o.y, o.color); }
        void operator()(const NewSurfaceOp&) const {}
    };
    std::visit(Draw{c}, op);
}

void replay(const DrawingOp& op, Image& target) {
    if (const auto* s = std::get_if<NewSurfaceOp>(&op)) {
        target.resize(s->width, s->height);
        return;
    }
    replay(op, target.canvas());
}

}  // namespace raster
