#include "button.h"

#include <algorithm>

#include "error_guard.h"
#include "gtk_object.h"
#include "toolkit_error.h"
#include "toolkit_limits.h"

namespace toolkit {

Button::Button(const std::string& text)
    : Control(initializedGtk().gtk_button_new(), nullptr, WidthMode_Auto, HeightMode_Auto, false), fText(text) {
    gtk().gtk_button_set_label(as<GtkButton>(platformWidget()), fText.c_str());
    setMinWidth(15);
    setMinHeight(15);
    connectSignal(platformWidget(), "clicked", G_CALLBACK(&Button::onClicked), this);
    applySize(*naturalWidth(), *naturalHeight());
}

void Button::setText(const std::string& text) {
    fText = text;
    gtk().gtk_button_set_label(as<GtkButton>(platformWidget()), fText.c_str());
    contentChanged();
}

void Button::setOnDraw(DrawHandler) { throw ToolkitError("NativeButton does not allow onDraw."); }

void Button::measure() {
    const Extents text = textExtents(platformWidget(), fText);
    const GtkBorder pad = stylePadding(platformWidget());
    const int border = 2 * limits::kNativeBorder;
    fNaturalWidthCache = text.width + pad.left + pad.right + border;
    fNaturalHeightCache = std::max(text.height, limits::kButtonMinContentHeight) + pad.top + pad.bottom + border;
}

std::optional<int> Button::naturalWidth() {
    if (!fNaturalWidthCache) measure();
    return fNaturalWidthCache;
}

std::optional<int> Button::naturalHeight() {
    if (!fNaturalHeightCache) measure();
    return fNaturalHeightCache;
}

void Button::onClicked(GtkWidget*, void* self) {
    guarded([&] {
        auto* b = static_cast<Button*>(self);
        if (!b->clickHandler()) return;
        ClickHandler handler = b->clickHandler();
        ClickEvent e{b};
        handler(e);
    });
}

}  // namespace toolkit
