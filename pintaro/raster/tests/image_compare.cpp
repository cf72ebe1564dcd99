#include "image_compare.h"

#include <cstdlib>

namespace raster {

ImageDifference compareImages(const Image& a, const Image& b, int tolerance) {
    ImageDifference d;
    d.total = static_cast<long>(a.width()) * a.height();
    auto far = [tolerance](int p, int q) { return std::abs(p - q) > tolerance; };
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const Color p = a.pixel(x, y), q = b.pixel(x, y);
            if (!far(p.r, q.r) && !far(p.g, q.g) && !far(p.b, q.b) && !far(p.a, q.a)) continue;
            if (d.differing++ == 0) d.firstX = x, d.firstY = y;
        }
    return d;
}

}  // namespace raster
