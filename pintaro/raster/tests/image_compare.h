// How far two pictures of the same size are apart, for the tests that hold
// a drawing against its reference: exactly (a golden picture) or within a
// tolerance (the same drawing rasterised by another renderer).
#pragma once

#include "raster/image.h"

namespace raster {

struct ImageDifference {
    long differing = 0;  // pixels with a channel (alpha included) more than the tolerance apart
    long total = 0;
    int firstX = -1, firstY = -1;  // the first such pixel in reading order
    double share() const { return total ? 1.0 - static_cast<double>(differing) / total : 1.0; }
};

// Compares un-premultiplied channels; the images must have the same size.
ImageDifference compareImages(const Image& a, const Image& b, int tolerance);

}  // namespace raster
