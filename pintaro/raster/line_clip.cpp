#include "line_clip.h"

#include <algorithm>

namespace raster {

bool clipSegment(const ClipBox& b, long double& x1, long double& y1, long double& x2, long double& y2) {
    using LD = long double;
    const LD ax = x1, ay = y1, dx = x2 - x1, dy = y2 - y1;
    LD t0 = 0, t1 = 1;
    int edge0 = -1, edge1 = -1;
    const LD p[4] = {-dx, dx, -dy, dy};
    const LD q[4] = {ax - b.x0, b.x1 - ax, ay - b.y0, b.y1 - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const LD t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            if (t > t0) t0 = t, edge0 = i;
        } else {
            if (t < t0) return false;
            if (t < t1) t1 = t, edge1 = i;
        }
    }
    const LD edges[4] = {b.x0, b.x1, b.y0, b.y1};
    auto cutAt = [&](LD t, int edge, LD& x, LD& y) {
        x = std::clamp(ax + t * dx, b.x0, b.x1);
        y = std::clamp(ay + t * dy, b.y0, b.y1);
        if (edge < 2)
            x = edges[edge];
        else
            y = edges[edge];
    };
    if (edge1 >= 0) cutAt(t1, edge1, x2, y2);
    if (edge0 >= 0) cutAt(t0, edge0, x1, y1);
    return true;
}

}  // namespace raster
