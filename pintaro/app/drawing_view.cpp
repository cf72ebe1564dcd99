#include "drawing_view.h"

#include <algorithm>
#include <string>

#include "app_limits.h"
#include "turtle/conversions.h"

namespace app {

ViewPlacement placeInView(int viewWidth, int viewHeight, int imageWidth, int imageHeight, double turtleX,
                          double turtleY) {
    ViewPlacement p{};
    // Differences of two non-negative ints always fit; the division truncates
    // toward zero, so an odd surplus leaves the extra pixel right and below.
    p.x0 = (viewWidth - imageWidth) / 2;
    p.y0 = (viewHeight - imageHeight) / 2;
    // The turtle may stand anywhere, even at NaN or far outside; the pixel
    // conversion clamps so that the sums cannot overflow.
    p.tx = p.x0 + turtle::toPixel(turtleX);
    p.ty = p.y0 + turtle::toPixel(turtleY);
    return p;
}

std::optional<std::pair<int, int>> imagePointAt(int viewWidth, int viewHeight, int imageWidth, int imageHeight,
                                                int viewX, int viewY) {
    const ViewPlacement p = placeInView(viewWidth, viewHeight, imageWidth, imageHeight, 0, 0);
    const std::int64_t x = std::int64_t{viewX} - p.x0, y = std::int64_t{viewY} - p.y0;
    if (x < 0 || y < 0 || x >= imageWidth || y >= imageHeight) return std::nullopt;
    return std::make_pair(static_cast<int>(x), static_cast<int>(y));
}

namespace {

// Lines every kGridSpacing image pixels and the home axes over the image,
// numbers every kGridLabelEvery along its top and left edges; white on a
// dark background, black on a light one. Only what the view shows is drawn.
void paintGrid(raster::Canvas& view, const ViewPlacement& p, const raster::Image& image) {
    using raster::Color;
    const Color bg = image.canvas().fAreaColor;
    const bool dark = 299 * bg.r + 587 * bg.g + 114 * bg.b < 128 * 1000;
    const std::uint8_t ink = dark ? 255 : 0;
    auto inkWith = [ink](int alpha) { return Color(ink, ink, ink, static_cast<std::uint8_t>(alpha)); };
    const int w = image.width(), h = image.height();
    // The image's visible part, in image pixels, widened to whole steps.
    auto first = [](int from) { return std::max(0, from - from % limits::kGridSpacing); };
    const int left = first(-p.x0), top = first(-p.y0);
    const int right = std::min(w, view.fWidth - p.x0), bottom = std::min(h, view.fHeight - p.y0);

    view.fLineWidth = 1.0;
    view.fLineColor = inkWith(limits::kGridLineAlpha);
    for (int gx = left; gx <= right; gx += limits::kGridSpacing) view.drawLine(p.x0 + gx, p.y0, p.x0 + gx, p.y0 + h);
    for (int gy = top; gy <= bottom; gy += limits::kGridSpacing) view.drawLine(p.x0, p.y0 + gy, p.x0 + w, p.y0 + gy);
    view.fLineColor = inkWith(limits::kGridAxisAlpha);
    view.drawLine(p.x0 + w / 2, p.y0, p.x0 + w / 2, p.y0 + h);
    view.drawLine(p.x0, p.y0 + h / 2, p.x0 + w, p.y0 + h / 2);

    view.fTextColor = inkWith(limits::kGridLabelAlpha);
    view.fFontSize = limits::kGridLabelSize;
    const int off = limits::kGridLabelOffset;
    for (int gx = left; gx < right; gx += limits::kGridSpacing)
        if (gx % limits::kGridLabelEvery == 0) view.drawText(std::to_string(gx), p.x0 + gx + off, p.y0 + off);
    for (int gy = top; gy < bottom; gy += limits::kGridSpacing)
        if (gy > 0 && gy % limits::kGridLabelEvery == 0) view.drawText(std::to_string(gy), p.x0 + off, p.y0 + gy + off);
}

}  // namespace

void paintDrawingView(raster::Canvas& view, turtle::TurtleState& t, bool grid) {
    raster::Image& image = *t.image;
    raster::Canvas& picture = image.canvas();
    const ViewPlacement p = placeInView(view.fWidth, view.fHeight, image.width(), image.height(), t.x, t.y);

    view.fAreaColor = picture.fAreaColor;
    view.fill();
    if (image.hasSurface()) view.drawImage(image, p.x0, p.y0);
    if (grid) paintGrid(view, p, image);

    view.fLineWidth = limits::kFrameLineWidth;
    view.fLineColor = picture.fLineColor;
    view.drawRectangleOutline(p.x0, p.y0, image.width(), image.height());
    if (t.visible) turtle::drawSprite(view, p.tx, p.ty, t.heading, picture.fLineColor);
}

}  // namespace app
