// Cutting a straight line to a rectangle (Liang-Barsky), for the canvas
// (lines to the visible area, so cairo's fixed-point coordinates never wrap)
// and the turtle (its far-away lines to the range a pixel position may take).
#pragma once

namespace raster {

// Edges included; x0 <= x1 and y0 <= y1.
struct ClipBox {
    long double x0, y0, x1, y1;
};

// Cuts the segment from (x1, y1) to (x2, y2) to the box, keeping its
// direction; false when no part of it is inside. Worked in long double,
// which holds every 64-bit integer, so a line between two far-away points
// still crosses the box within a fraction of a pixel of where it should.
// A cut end lies exactly on the edge it crossed and inside the box on the
// other axis; an end that needs no cut is left exactly as given. The ends
// must be finite.
bool clipSegment(const ClipBox& box, long double& x1, long double& y1, long double& x2, long double& y2);

}  // namespace raster
