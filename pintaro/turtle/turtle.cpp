#include "turtle.h"

#include <algorithm>
#include <cmath>

#include "conversions.h"
#include "raster/line_clip.h"
#include "turtle_limits.h"

namespace turtle {

namespace {
constexpr Color kBlack{0, 0, 0, 255};
constexpr Color kWhite{255, 255, 255, 255};
}  // namespace

const std::array<NamedColor, 16> kColorNames{{
    {"black", {0, 0, 0}},
    {"blue", {0, 0, 255}},
    {"green", {0, 80, 0}},
    {"cyan", {0, 255, 255}},
    {"red", {255, 0, 0}},
    {"magenta", {255, 0, 255}},
    {"yellow", {255, 255, 0}},
    {"white", {255, 255, 255}},
    {"brown", {165, 42, 42}},
    {"tan", {210, 180, 140}},
    {"forest", {34, 139, 34}},
    {"aqua", {127, 255, 212}},
    {"salmon", {250, 128, 114}},
    {"purple", {128, 0, 128}},
    {"orange", {255, 165, 0}},
    {"grey", {128, 128, 128}},
}};

const Color* findColorName(std::string_view name) {
    for (const NamedColor& c : kColorNames)
        if (c.name == name) return &c.color;
    return nullptr;
}

TurtleState::TurtleState(const raster::RasterApi& raster) : image(std::make_unique<raster::Image>(raster)) {
    imageReset(*this, limits::kStartWidth, limits::kStartHeight);
    std::tie(x, y) = homePosition(*this);
    for (std::size_t i = 0; i < palette.size(); ++i) palette[i] = kColorNames[i].color;
}

std::unique_ptr<raster::Image> TurtleState::blankImage() const {
    auto fresh = std::make_unique<raster::Image>(image->raster());
    fresh->canvas().fRecorder = image->canvas().fRecorder;
    return fresh;
}

void imageReset(TurtleState& t, int width, int height) {
    t.image->resize(width, height);
    raster::Canvas& c = t.canvas();
    c.fAreaColor = kBlack;
    c.fLineColor = kWhite;
    c.fTextColor = kWhite;
    c.fill();
}

std::pair<double, double> homePosition(const TurtleState& t) {
    return {static_cast<double>(t.image->width() / 2), static_cast<double>(t.image->height() / 2)};
}

namespace {

// Cuts the segment to the square of +-limits::kMaxPixel, keeping its
// direction (clamping each end on its own would bend it); false when no
// part of it is inside. Segments already inside are left exactly as given.
bool clipToPixelRange(double& x1, double& y1, double& x2, double& y2) {
    using LD = long double;
    constexpr LD lo = -static_cast<LD>(limits::kMaxPixel), hi = static_cast<LD>(limits::kMaxPixel);
    auto inside = [&](double x, double y) { return x >= lo && x <= hi && y >= lo && y <= hi; };
    if (inside(x1, y1) && inside(x2, y2)) return true;
    if (std::isinf(x1) || std::isinf(y1) || std::isinf(x2) || std::isinf(y2)) {
        // No direction can be taken from infinities; saturate instead.
        x1 = std::clamp<double>(x1, lo, hi), y1 = std::clamp<double>(y1, lo, hi);
        x2 = std::clamp<double>(x2, lo, hi), y2 = std::clamp<double>(y2, lo, hi);
        return true;
    }
    LD ax = x1, ay = y1, bx = x2, by = y2;
    if (!raster::clipSegment({lo, lo, hi, hi}, ax, ay, bx, by)) return false;
    x1 = static_cast<double>(ax), y1 = static_cast<double>(ay);
    x2 = static_cast<double>(bx), y2 = static_cast<double>(by);
    return true;
}

}  // namespace

void turtleLine(TurtleState& t, double x1, double y1, double x2, double y2) {
    t.unsaved = true;
    if (std::isnan(x1) || std::isnan(y1) || std::isnan(x2) || std::isnan(y2)) return;
    if (!clipToPixelRange(x1, y1, x2, y2)) return;
    t.canvas().drawLine(toPixel(x1), toPixel(y1), toPixel(x2), toPixel(y2));
}

void moveTo(TurtleState& t, double nx, double ny) {
    if (t.penDown) turtleLine(t, t.x, t.y, nx, ny);
    t.x = nx;
    t.y = ny;
}

std::pair<double, double> direction(double heading) {
    const double theta = (heading - 90) * limits::kRadiansPerDegree;
    return {std::cos(theta), std::sin(theta)};
}

void walk(TurtleState& t, double d) {
    const auto [c, s] = direction(t.heading);
    moveTo(t, t.x + d * c, t.y + d * s);
}

std::pair<std::int64_t, std::int64_t> centredCopy(raster::Canvas& target, const raster::Image& source) {
    target.fAreaColor = source.canvas().fAreaColor;
    target.fill();
    const std::int64_t left = (std::int64_t{target.fWidth} - source.width()) / 2;
    const std::int64_t top = (std::int64_t{target.fHeight} - source.height()) / 2;
    target.drawImage(source, left, top);
    return {left, top};
}

void headingMark(raster::Canvas& canvas, std::int64_t px, std::int64_t py, double heading, double length) {
    const auto [c, s] = direction(heading);
    // Summed in doubles (exact for any real view coordinate) so that no
    // position can overflow.
    canvas.drawLine(px, py, toPixel(static_cast<double>(px) + std::trunc(c * length)),
                    toPixel(static_cast<double>(py) + std::trunc(s * length)));
}

SpritePose spritePose(const TurtleState& t) {
    return {t.x, t.y, t.heading, t.image->canvas().fLineColor, t.visible};
}

void drawSprite(raster::Canvas& canvas, std::int64_t px, std::int64_t py, double heading, Color pen) {
    constexpr std::int64_t r = limits::kSpriteRadius;
    canvas.fLineWidth = limits::kSpriteLineWidth;
    canvas.fLineColor = pen;
    // Summed in doubles and clamped: the turtle may stand anywhere.
    canvas.drawEllipseOutline(toPixel(static_cast<double>(px) - r), toPixel(static_cast<double>(py) - r), 2 * r,
                              2 * r);
    headingMark(canvas, px, py, heading);
}

}  // namespace turtle
