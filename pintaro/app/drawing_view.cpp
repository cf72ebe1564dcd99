#include "drawing_view.h"

#include "app_limits.h"
#include "conversions.h"

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

void paintDrawingView(toolkit::Canvas& view, turtle::TurtleState& t) {
    toolkit::Image& image = *t.image;
    toolkit::Canvas& picture = image.canvas();
    const ViewPlacement p = placeInView(view.fWidth, view.fHeight, image.width(), image.height(), t.x, t.y);

    view.fAreaColor = picture.fAreaColor;
    view.fill();
    if (image.hasSurface()) view.drawImage(image, p.x0, p.y0);

    view.fLineWidth = limits::kFrameLineWidth;
    view.fLineColor = picture.fLineColor;
    view.drawRectangleOutline(p.x0, p.y0, image.width(), image.height());
    if (t.visible) turtle::drawSprite(view, p.tx, p.ty, t.heading, picture.fLineColor);
}

}  // namespace app
