#include "layout_container.h"

#include <algorithm>

#include "gtk_object.h"
#include "toolkit_error.h"
#include "toolkit_limits.h"
#include "window.h"

namespace toolkit {

using layout::kX;
using layout::kY;

LayoutContainer::LayoutContainer(Layout layout)
    : Control(initializedGtk().gtk_layout_new(nullptr, nullptr), nullptr, WidthMode_Auto, HeightMode_Auto, true),
      fLayout(layout),
      fPadding(scaleToScreen(limits::kDefaultPadding)),
      fSpacing(scaleToScreen(limits::kDefaultSpacing)) {
    applySize(2 * fPadding, 2 * fPadding);  // the size of an empty container
}

LayoutContainer::~LayoutContainer() {
    // The children outlive their container's widget: park them first, or
    // destroying the container would destroy their widgets too.
    for (Control* c : fChildControls) {
        c->leaveParent();
        c->park();
    }
}

void LayoutContainer::add(Control& child) {
    if (child.hasParent()) throw ToolkitError("Control can be added only to one container.");
    for (Control* c = this; c; c = c->parentControl())
        if (c == &child) throw ToolkitError("A container cannot be added to itself or to its own children.");
    child.joinContainer(*this, static_cast<int>(fChildControls.size()), platformWidget());
    fChildControls.push_back(&child);
    requestLayout();
}

void LayoutContainer::remove(Control& child) {
    if (child.parentControl() != this)
        throw ToolkitError("control can not be removed because it is not member of the container");
    forgetChild(&child);
    child.park();
    requestLayout();
}

void LayoutContainer::forgetChild(Control* child) {
    std::erase(fChildControls, child);
    child->leaveParent();
    renumber();
}

void LayoutContainer::renumber() {
    for (size_t i = 0; i < fChildControls.size(); ++i) fChildControls[i]->setIndex(static_cast<int>(i));
}

void LayoutContainer::setLayout(Layout layout) {
    fLayout = layout;
    requestLayout();
}

void LayoutContainer::setXAlign(XAlign align) {
    fXAlign = align;
    requestLayout();
}

void LayoutContainer::setYAlign(YAlign align) {
    fYAlign = align;
    requestLayout();
}

void LayoutContainer::setPadding(int padding) {
    fPadding = scaleToScreen(padding);
    requestLayout();
}

void LayoutContainer::setSpacing(int spacing) {
    fSpacing = scaleToScreen(spacing);
    requestLayout();
}

layout::Box LayoutContainer::box() const {
    layout::Box b;
    b.layout = fLayout;
    b.align[kX] = layout::alignment(fXAlign);
    b.align[kY] = layout::alignment(fYAlign);
    b.padding = fPadding;
    b.spacing = fSpacing;
    b.inner[kX] = width();
    b.inner[kY] = height();
    return b;
}

std::optional<int> LayoutContainer::naturalSize(int axis) {
    const auto ownMode = axis == kX ? layout::sizeMode(widthMode()) : layout::sizeMode(heightMode());
    const int ownSize = axis == kX ? width() : height();
    if (ownMode == layout::SizeMode::Static) return ownSize;
    if (ownMode == layout::SizeMode::Expand) return std::nullopt;
    std::vector<layout::Child> cs;
    cs.reserve(fChildControls.size());
    for (Control* c : fChildControls) {
        layout::Child d;
        d.visible = c->visible();
        if (d.visible) d.axis[axis] = c->layoutAxis(axis);
        cs.push_back(d);
    }
    return layout::naturalSize(box(), cs, axis, ownMode, ownSize);
}

std::optional<int> LayoutContainer::naturalWidth() { return naturalSize(kX); }
std::optional<int> LayoutContainer::naturalHeight() { return naturalSize(kY); }

void LayoutContainer::arrangeChildren() {
    if (fChildControls.empty()) return;
    std::vector<layout::Child> cs;
    cs.reserve(fChildControls.size());
    for (Control* c : fChildControls) {
        layout::Child d;
        d.visible = c->visible();
        if (d.visible) {
            d.axis[kX] = c->layoutAxis(kX);
            d.axis[kY] = c->layoutAxis(kY);
        }
        cs.push_back(d);
    }
    const layout::Result r = layout::arrange(box(), cs);
    if (!r.placed) return;
    if (setScrollableSize(r.scrollable[kX], r.scrollable[kY]))
        gtk().gtk_layout_set_size(as<GtkLayout>(platformWidget()), r.scrollable[kX], r.scrollable[kY]);
    for (size_t i = 0; i < fChildControls.size(); ++i) {
        if (!cs[i].visible) continue;
        Control* c = fChildControls[i];
        c->applySize(cs[i].axis[kX].size, cs[i].axis[kY].size);
        c->applyPosition(platformWidget(), cs[i].axis[kX].position, cs[i].axis[kY].position);
    }
    // Top-down: each child container now lays out its own children at the
    // size it was just given.
    for (size_t i = 0; i < fChildControls.size(); ++i)
        if (cs[i].visible) fChildControls[i]->arrangeChildren();
}

}  // namespace toolkit
