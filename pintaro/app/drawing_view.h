// Painting the drawing view: the image centred in the view at its natural
// size (cut off, never scaled or scrolled, when it is larger), the
// background colour around it, the coordinate grid when it is on, a frame in
// the pen colour along its edge and the turtle sprite on top. None of it but
// the image is in the image.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>

#include "raster/canvas.h"
#include "turtle/turtle.h"

namespace app {

// Where the image and the turtle land in a view of the given size.
struct ViewPlacement {
    int x0;           // image's top-left corner in the view; negative when cut off
    int y0;
    std::int64_t tx;  // turtle's centre in the view
    std::int64_t ty;
};

// x0 = (view width - image width) / 2 and likewise y0, truncating toward
// zero; the turtle's coordinates are truncated toward zero and added.
ViewPlacement placeInView(int viewWidth, int viewHeight, int imageWidth, int imageHeight, double turtleX,
                          double turtleY);

// The image pixel under a point of the view (image coordinates: origin
// top-left, y downward), or nothing when the point is not over the image.
std::optional<std::pair<int, int>> imagePointAt(int viewWidth, int viewHeight, int imageWidth, int imageHeight,
                                                int viewX, int viewY);

// Paints the whole view. `view` must be in drawing state (inside the draw
// handler); its size is the view's size. `grid`: with the coordinate grid.
void paintDrawingView(raster::Canvas& view, turtle::TurtleState& t, bool grid = false);

}  // namespace app
