#include "label.h"

#include "gtk_object.h"

namespace toolkit {

// The label's area is a drawable surface; the platform's label inside it is
// kept at its natural size and moved to where the alignment puts it.
Label::Label(const std::string& text)
    : Control(initializedGtk().gtk_layout_new(nullptr, nullptr), initializedGtk().gtk_label_new(text.c_str()), WidthMode_Auto,
              HeightMode_Auto, true),
      fText(text) {
    gtk().gtk_container_add(as<GtkContainer>(platformWidget()), innerWidget());
    setMinWidth(10);
    setMinHeight(10);
    applySize(*naturalWidth(), *naturalHeight());
    placeText();
}

void Label::setText(const std::string& text) {
    fText = text;
    // The platform label is made anew for each text: the layer has no way
    // to change the text of an existing one.
    gtk().gtk_widget_destroy(innerWidget());
    replaceInnerWidget(gtk().gtk_label_new(fText.c_str()));
    gtk().gtk_container_add(as<GtkContainer>(platformWidget()), innerWidget());
    gtk().gtk_widget_show(innerWidget());
    reapplyLook();
    contentChanged();
}

void Label::setTextAlign(XTextAlign x, YTextAlign y) {
    fXTextAlign = x;
    fYTextAlign = y;
    placeText();
}

void Label::contentChanged() {
    Control::contentChanged();
    placeText();
}

void Label::measure() {
    const Extents text = textExtents(innerWidget(), fText);
    const GtkBorder pad = stylePadding(innerWidget());
    fNaturalWidthCache = text.width + pad.left + pad.right;
    fNaturalHeightCache = text.height + pad.top + pad.bottom;
}

std::optional<int> Label::naturalWidth() {
    if (!fNaturalWidthCache) measure();
    return fNaturalWidthCache;
}

std::optional<int> Label::naturalHeight() {
    if (!fNaturalHeightCache) measure();
    return fNaturalHeightCache;
}

void Label::placeText() {
    const int w = *naturalWidth();
    const int h = *naturalHeight();
    gtk().gtk_widget_set_size_request(innerWidget(), w, h);
    const int x = fXTextAlign == XTextAlign_Left ? 0 : fXTextAlign == XTextAlign_Right ? width() - w : (width() - w) / 2;
    const int y = fYTextAlign == YTextAlign_Top ? 0 : fYTextAlign == YTextAlign_Bottom ? height() - h : (height() - h) / 2;
    gtk().gtk_layout_move(as<GtkLayout>(platformWidget()), innerWidget(), x, y);
}

}  // namespace toolkit
