#include "text_box.h"

#include <algorithm>
#include <cstring>
#include <string_view>

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
    connectSignal(platformWidget(), "insert-text", G_CALLBACK(&TextBox::onInsertText), this);
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

namespace {
// Characters of UTF-8 text: every byte that does not continue a sequence.
std::size_t utf8Length(std::string_view text) {
    std::size_t n = 0;
    for (unsigned char c : text) n += (c & 0xC0) != 0x80;
    return n;
}
}  // namespace

void TextBox::onInsertText(GtkWidget* widget, const char* text, int length, int*, void* self) {
    guarded([&] {
        // Without a way to stop the insertion the platform cuts it as before.
        if (!gtk().g_signal_stop_emission_by_name) return;
        const std::string_view inserted(text, length < 0 ? std::strlen(text) : static_cast<std::size_t>(length));
        const std::size_t total = utf8Length(gtk().gtk_entry_get_text(as<GtkEntry>(widget))) + utf8Length(inserted);
        if (total <= limits::kTextBoxMaxChars) return;
        // Runs before the platform's own handler, which would insert the
        // part that fits and drop the rest without a word.
        gtk().g_signal_stop_emission_by_name(widget, "insert-text");
        auto* t = static_cast<TextBox*>(self);
        if (!t->fOnTextRefused) return;
        TextRefusedHandler handler = t->fOnTextRefused;
        TextRefusedEvent e{t, total};
        handler(e);
    });
}

}  // namespace toolkit
