#include "layout_container.h"

#include <algorithm>

#include "gtk_object.h"
#include "toolkit_error.h"
#include "window.h"

namespace toolkit {
namespace {

using layout::kX;
using layout::kY;

// What the algorithm needs to know about a child on one axis. The natural
// size is asked for only where a mode uses it: measuring text is not free.
layout::Axis describeAxis(Control& c, int axis) {
    layout::Axis a;
    a.mode = axis == kX ? layout::sizeMode(c.widthMode()) : layout::sizeMode(c.heightMode());
    a.size = axis == kX ? c.width() : c.height();
    a.min = axis == kX ? c.minWidth() : c.minHeight();
    a.max = axis == kX ? c.maxWidth() : c.maxHeight();
    if (a.mode == layout::SizeMode::Auto || a.mode == layout::SizeMode::Fill)
        a.natural = axis == kX ? c.naturalWidth() : c.naturalHeight();
    a.position = axis == kX ? c.x() : c.y();
    return a;
}

}  // namespace

LayoutContainer::LayoutContainer(Layout layout)
    : Control(initializedGtk().gtk_layout_new(nullptr, nullptr), nullptr, WidthMode_Auto, HeightMode_Auto, true),
      fLayout(layout),
      fPadding(scaleToScreen(2)),
      fSpacing(scaleToScreen(4)) {
    fWidth = fHeight = 2 * fPadding;  // the size of an empty container
    gtk().gtk_widget_set_size_request(platformWidget(), fWidth, fHeight);
}

LayoutContainer::~LayoutContainer() {
    // The children outlive their container's widget: park them first, or
    // destroying the container would destroy their widgets too.
    for (Control* c : fChildControls) {
        c->fParentControl = nullptr;
        c->fIndex = -1;
        c->fPlaced = false;
        c->fOuter->park();
    }
}

void LayoutContainer::add(Control& child) {
    if (child.fParentControl || child.fParentWindow)
        throw ToolkitError("Control can be added only to one container.");
    for (Control* c = this; c; c = c->fParentControl)
        if (c == &child) throw ToolkitError("A container cannot be added to itself or to its own children.");
    child.fOuter->moveTo(platformWidget());
    child.fParentControl = this;
    child.fIndex = static_cast<int>(fChildControls.size());
    child.fPlaced = false;
    fChildControls.push_back(&child);
    requestLayout();
}

void LayoutContainer::remove(Control& child) {
    if (child.fParentControl != this)
        throw ToolkitError("control can not be removed because it is not member of the container");
    forgetChild(&child);
    child.fOuter->park();
    child.fPlaced = false;
    requestLayout();
}

void LayoutContainer::forgetChild(Control* child) {
    std::erase(fChildControls, child);
    child->fParentControl = nullptr;
    child->fIndex = -1;
    renumber();
}

void LayoutContainer::renumber() {
    for (size_t i = 0; i < fChildControls.size(); ++i) fChildControls[i]->fIndex = static_cast<int>(i);
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
    b.inner[kX] = fWidth;
    b.inner[kY] = fHeight;
    return b;
}

std::optional<int> LayoutContainer::naturalSize(int axis) {
    const auto ownMode = axis == kX ? layout::sizeMode(fWidthMode) : layout::sizeMode(fHeightMode);
    if (ownMode == layout::SizeMode::Static) return axis == kX ? fWidth : fHeight;
    if (ownMode == layout::SizeMode::Expand) return std::nullopt;
    std::vector<layout::Child> cs;
    cs.reserve(fChildControls.size());
    for (Control* c : fChildControls) {
        layout::Child d;
        d.visible = c->visible();
        if (d.visible) d.axis[axis] = describeAxis(*c, axis);
        cs.push_back(d);
    }
    return layout::naturalSize(box(), cs, axis, ownMode, axis == kX ? fWidth : fHeight);
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
            d.axis[kX] = describeAxis(*c, kX);
            d.axis[kY] = describeAxis(*c, kY);
        }
        cs.push_back(d);
    }
    const layout::Result r = layout::arrange(box(), cs);
    if (!r.placed) return;
    if (r.scrollable[kX] != fScrollableWidth || r.scrollable[kY] != fScrollableHeight) {
        fScrollableWidth = r.scrollable[kX];
        fScrollableHeight = r.scrollable[kY];
        gtk().gtk_layout_set_size(as<GtkLayout>(platformWidget()), fScrollableWidth, fScrollableHeight);
    }
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
