// The layout of a layout container as a plain computation over numbers:
// the children's modes and sizes go in, their sizes and positions come out.
// Nothing here knows GTK, so every rule can be checked on numbers alone.
//
// Both axes are handled by the same code: index 0 is x (widths), index 1 is
// y (heights). The container's layout direction is the "along" axis, the
// other one the "across" axis.
#pragma once

#include <optional>
#include <span>

#include "size_modes.h"
#include "toolkit_limits.h"

namespace toolkit::layout {

enum class SizeMode { Static, Auto, Fill, Expand };
// Left/Top, Right/Bottom, Center, Spread: the same order as XAlign and YAlign.
enum class Align { Start, End, Center, Spread };

inline constexpr int kX = 0;
inline constexpr int kY = 1;

// One child on one axis.
struct Axis {
    SizeMode mode = SizeMode::Static;
    int size = 0;                // current size; the laid-out size on return
    int min = 0;
    int max = 0;                 // 0 or less: no maximum
    std::optional<int> natural;  // none: the child has no natural size here
    int position = 0;            // current position; the laid-out one on return
};

struct Child {
    bool visible = true;
    Axis axis[2];
};

// The container's own settings, already scaled to screen pixels.
struct Box {
    Layout layout = Layout_Horizontal;
    Align align[2] = {Align::Start, Align::Start};
    int padding = limits::kDefaultPadding;
    int spacing = limits::kDefaultSpacing;
    int inner[2] = {0, 0};  // the container's inner width and height
};

struct Result {
    bool placed = false;            // false: no children, nothing was done
    int scrollable[2] = {0, 0};     // the larger of inner size and needed size
};

// Sizes and places the visible children; hidden ones are left untouched.
Result arrange(const Box& box, std::span<Child> children);

// The size a container wants on `axis` for its children: none when a visible
// child on that axis is Expand or has no natural size while Auto (the
// container then behaves as a flexible child in its own parent).
// ownMode and ownSize are the container's own: Static gives ownSize, Expand
// gives none.
std::optional<int> naturalSize(const Box& box, std::span<const Child> children, int axis,
                               SizeMode ownMode, int ownSize);

SizeMode sizeMode(WidthMode m);
SizeMode sizeMode(HeightMode m);
Align alignment(XAlign a);
Align alignment(YAlign a);

}  // namespace toolkit::layout
