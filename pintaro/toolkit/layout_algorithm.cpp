#include "layout_algorithm.h"

#include <algorithm>

namespace toolkit::layout {
namespace {

enum class Kind { Fixed, Natural, Flexible };

// Static children keep their size, Auto children with a natural size take
// it; everything else shares the free space.
Kind kindOf(const Axis& a) {
    if (a.mode == SizeMode::Static) return Kind::Fixed;
    if (a.mode == SizeMode::Auto && a.natural) return Kind::Natural;
    return Kind::Flexible;
}

int clampSize(int size, const Axis& a) {
    size = std::max(size, a.min);
    if (a.max > 0) size = std::min(size, a.max);
    return std::max(size, 0);  // a negative size would mean "unset" to the platform
}

}  // namespace

Result arrange(const Box& box, std::span<Child> children) {
    Result result;
    if (children.empty()) return result;

    const int along = box.layout == Layout_Horizontal ? kX : kY;
    const int P = box.padding;
    const int S = box.spacing;

    // Hidden children are neither sized nor placed, and take no spacing.
    int n = 0;
    for (const Child& c : children) n += c.visible ? 1 : 0;

    int needed[2] = {0, 0};
    int flexible[2] = {0, 0};
    for (const Child& c : children) {
        if (!c.visible) continue;
        for (int ax = 0; ax < 2; ++ax) {
            const Axis& a = c.axis[ax];
            const Kind k = kindOf(a);
            if (k == Kind::Flexible) ++flexible[ax];
            if (ax == along) {
                needed[ax] += k == Kind::Fixed ? a.size : k == Kind::Natural ? *a.natural : a.min;
            } else if (k != Kind::Flexible) {
                needed[ax] = std::max(needed[ax], k == Kind::Fixed ? a.size : *a.natural);
            }
        }
    }
    needed[kX] += 2 * P;
    needed[kY] += 2 * P;
    if (n > 1) needed[along] += (n - 1) * S;

    int free[2];
    int start[2];
    for (int ax = 0; ax < 2; ++ax) {
        result.scrollable[ax] = std::max(box.inner[ax], needed[ax]);
        free[ax] = std::max(0, box.inner[ax] - needed[ax]);
        start[ax] = P;
        // Along an axis with flexible children the free space goes to them,
        // so it must not also shift the group (that would push the last
        // child past the far edge).
        const bool shiftable = ax != along || flexible[ax] == 0;
        const Align al = box.align[ax];
        if ((al == Align::Center || (al == Align::Spread && n == 1)) && shiftable)
            start[ax] += free[ax] / 2;
        else if (al == Align::End && shiftable)
            start[ax] += free[ax];
    }

    int running = start[along];
    for (Child& c : children) {
        if (!c.visible) continue;
        for (int ax = 0; ax < 2; ++ax) {
            Axis& a = c.axis[ax];
            int size;
            switch (kindOf(a)) {
                case Kind::Fixed: size = a.size; break;
                case Kind::Natural: size = *a.natural; break;
                default:
                    size = ax == along ? a.min + free[ax] / flexible[ax] : box.inner[ax] - 2 * P;
                    break;
            }
            a.size = clampSize(size, a);
        }
        for (int ax = 0; ax < 2; ++ax) {
            Axis& a = c.axis[ax];
            if (ax == along && n > 1) {
                a.position = running;
                continue;
            }
            const int D = std::max(box.inner[ax], needed[ax]);
            switch (box.align[ax]) {
                case Align::Center: a.position = (D - a.size) / 2; break;
                case Align::End: a.position = D - a.size - P; break;
                default: a.position = ax == along ? running : start[ax]; break;
            }
        }
        running += c.axis[along].size + S;
        if (box.align[along] == Align::Spread && flexible[along] == 0 && n > 1)
            running += free[along] / (n - 1);
    }
    result.placed = true;
    return result;
}

std::optional<int> naturalSize(const Box& box, std::span<const Child> children, int axis,
                               SizeMode ownMode, int ownSize) {
    if (ownMode == SizeMode::Static) return ownSize;
    if (ownMode == SizeMode::Expand) return std::nullopt;

    const int along = box.layout == Layout_Horizontal ? kX : kY;
    // Measured as if the children were packed from the start edge, so the
    // result does not depend on where alignment put them in the last pass
    // (otherwise an Auto container could never shrink back to its content).
    int extent = 0;
    int n = 0;
    for (const Child& c : children) {
        if (!c.visible) continue;
        const Axis& a = c.axis[axis];
        int size;
        if (a.mode == SizeMode::Expand) return std::nullopt;
        if (a.mode == SizeMode::Static) {
            size = a.size;
        } else if (a.natural) {
            size = *a.natural;
        } else if (a.mode == SizeMode::Auto) {
            return std::nullopt;  // an Expand further down makes this one stretch too
        } else {
            size = a.min;  // Fill without natural size: what it needs at least
        }
        size = clampSize(size, a);
        extent = axis == along ? extent + size : std::max(extent, size);
        ++n;
    }
    if (axis == along && n > 1) extent += (n - 1) * box.spacing;
    return extent + 2 * box.padding;
}

SizeMode sizeMode(WidthMode m) { return static_cast<SizeMode>(m); }
SizeMode sizeMode(HeightMode m) { return static_cast<SizeMode>(m); }
Align alignment(XAlign a) { return static_cast<Align>(a); }
Align alignment(YAlign a) { return static_cast<Align>(a); }

}  // namespace toolkit::layout
