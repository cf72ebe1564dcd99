#include "text_box.h"

#include <algorithm>

#include "error_guard.h"
#include "gtk_object.h"
#include "toolkit_error.h"
#include "toolkit_limits.h"

namespace toolkit {

TextBox::TextBox(const std::string& text)
    : Control(initializedGtk().gtk_entry_new(), nullptr, WidthMode_Expand, HeightMode_Auto, false) {
    // Without this the platform insists on about 150 pixels of width.
    gtk().gtk_entry_set_width_chars(as<GtkEntry>(platformWidget()), 0);
    gtk().gtk_entry_set_text(as<GtkEntry>(platformWidget()), text.c_str());
    setMinWidth(20);
    setMinHeight(20);
    connectSignal(platformWidget(), "changed", G_CALLBACK(&TextBox::onChanged), this);
    applySize(*naturalWidth(), *naturalHeight());
}

int TextBox::cursor() const { return gtk().gtk_editable_get_position(as<GtkEditable>(platformWidget())); }

void TextBox::replace(int start, int end, const std::string& text) {
    GtkEditable* field = as<GtkEditable>(platformWidget());
    gtk().gtk_editable_delete_text(field, start, end);
    gint at = start;
    gtk().gtk_editable_insert_text(field, text.c_str(), static_cast<gint>(text.size()), &at);
    gtk().gtk_editable_set_position(field, at);
    handlePendingEvents();
}

std::string TextBox::text() const { return gtk().gtk_entry_get_text(as<GtkEntry>(platformWidget())); }

void TextBox::setText(const std::string& text) {
    gtk().gtk_entry_set_text(as<GtkEntry>(platformWidget()), text.c_str());
    handlePendingEvents();
}

void TextBox::setEditable(bool editable) {
    fEditable = editable;
    gtk().gtk_editable_set_editable(as<GtkEditable>(platformWidget()), editable);
}

void TextBox::setOnDraw(DrawHandler) { throw ToolkitError("NativeTextBox does not allow onDraw."); }

void TextBox::measure() {
    const Extents digits = textExtents(platformWidget(), std::string(limits::kTextBoxNaturalChars, '0'));
    const GtkBorder pad = stylePadding(platformWidget());
    const int border = 2 * limits::kNativeBorder;
    fNaturalWidthCache = digits.width + pad.left + pad.right + border;
    fNaturalHeightCache = std::max(digits.height, limits::kTextBoxMinContentHeight) + pad.top + pad.bottom + border;
}

std::optional<int> TextBox::naturalWidth() {
    if (!fNaturalWidthCache) measure();
    return fNaturalWidthCache;
}

std::optional<int> TextBox::naturalHeight() {
    if (!fNaturalHeightCache) measure();
    return fNaturalHeightCache;
}

void TextBox::onChanged(GtkWidget*, void* self) {
    guarded([&] {
        auto* t = static_cast<TextBox*>(self);
        if (!t->fOnTextChange) return;
        TextChangeHandler handler = t->fOnTextChange;
        TextChangeEvent e{t};
        handler(e);
    });
}

}  // namespace toolkit
