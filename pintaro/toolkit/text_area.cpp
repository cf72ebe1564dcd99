#include "text_area.h"

#include <algorithm>

#include "error_guard.h"
#include "gtk_object.h"
#include "toolkit_error.h"
#include "toolkit_limits.h"

namespace toolkit {
namespace {

GtkTextBuffer* bufferOf(GtkWidget* view) { return gtk().gtk_text_view_get_buffer(as<GtkTextView>(view)); }

}  // namespace

TextArea::TextArea(const std::string& text)
    : Control(initializedGtk().gtk_scrolled_window_new(nullptr, nullptr), initializedGtk().gtk_text_view_new(), WidthMode_Expand,
              HeightMode_Expand, false) {
    const GtkApi& g = gtk();
    GtkWidget* view = innerWidget();
    g.gtk_container_add(as<GtkContainer>(platformWidget()), view);
    g.gtk_scrolled_window_set_policy(as<GtkScrolledWindow>(platformWidget()), GTK_POLICY_AUTOMATIC,
                                     GTK_POLICY_AUTOMATIC);
    const int margin = scaleToScreen(limits::kTextAreaMargin);
    g.gtk_text_view_set_left_margin(as<GtkTextView>(view), margin);
    g.gtk_text_view_set_right_margin(as<GtkTextView>(view), margin);
    g.gtk_text_view_set_top_margin(as<GtkTextView>(view), margin);
    g.gtk_text_view_set_bottom_margin(as<GtkTextView>(view), margin);
    g.gtk_text_buffer_set_text(bufferOf(view), text.c_str(), -1);
    setMinWidth(20);
    setMinHeight(20);
    connectSignal(bufferOf(view), "changed", G_CALLBACK(&TextArea::onChanged), this);
}

std::string TextArea::text() const {
    GtkTextBuffer* buffer = bufferOf(innerWidget());
    GtkTextIter start, end;
    gtk().gtk_text_buffer_get_start_iter(buffer, &start);
    gtk().gtk_text_buffer_get_end_iter(buffer, &end);
    return takeGlibString(gtk().gtk_text_buffer_get_text(buffer, &start, &end, TRUE));
}

void TextArea::setText(const std::string& text) {
    gtk().gtk_text_buffer_set_text(bufferOf(innerWidget()), text.c_str(), -1);
    handlePendingEvents();
}

void TextArea::addText(const std::string& text) {
    GtkTextBuffer* buffer = bufferOf(innerWidget());
    GtkTextIter end;
    gtk().gtk_text_buffer_get_end_iter(buffer, &end);
    gtk().gtk_text_buffer_insert(buffer, &end, text.c_str(), static_cast<gint>(text.size()));
    handlePendingEvents();
}

void TextArea::addLine(const std::string& text) { addText(text + "\n"); }

void TextArea::scrollToBottom() {
    GtkTextIter end;
    gtk().gtk_text_buffer_get_end_iter(bufferOf(innerWidget()), &end);
    gtk().gtk_text_view_scroll_to_iter(as<GtkTextView>(innerWidget()), &end, 0.0, FALSE, 0.0, 0.0);
    handlePendingEvents();
}

void TextArea::select(int start, int end) {
    GtkTextBuffer* buffer = bufferOf(innerWidget());
    GtkTextIter from, to;
    // An offset past the end gives the end; a negative one is taken as 0.
    gtk().gtk_text_buffer_get_iter_at_offset(buffer, &from, std::max(start, 0));
    gtk().gtk_text_buffer_get_iter_at_offset(buffer, &to, std::max(end, 0));
    gtk().gtk_text_buffer_select_range(buffer, &from, &to);
    // Scrolling needs the line heights, which are measured while events run.
    handlePendingEvents();
    gtk().gtk_text_buffer_get_iter_at_offset(buffer, &from, std::max(start, 0));
    gtk().gtk_text_view_scroll_to_iter(as<GtkTextView>(innerWidget()), &from, 0.0, FALSE, 0.0, 0.0);
    handlePendingEvents();
}

int TextArea::cursor() const {
    GtkTextBuffer* buffer = bufferOf(innerWidget());
    GtkTextIter at;
    gtk().gtk_text_buffer_get_iter_at_mark(buffer, &at, gtk().gtk_text_buffer_get_insert(buffer));
    return gtk().gtk_text_iter_get_offset(&at);
}

void TextArea::replace(int start, int end, const std::string& text) {
    GtkTextBuffer* buffer = bufferOf(innerWidget());
    GtkTextIter from, to;
    gtk().gtk_text_buffer_get_iter_at_offset(buffer, &from, std::max(start, 0));
    gtk().gtk_text_buffer_get_iter_at_offset(buffer, &to, std::max(end, start));
    gtk().gtk_text_buffer_delete(buffer, &from, &to);
    // Deleting keeps `from` valid, at the place of the deleted text.
    gtk().gtk_text_buffer_select_range(buffer, &from, &from);
    gtk().gtk_text_buffer_insert(buffer, &from, text.c_str(), static_cast<gint>(text.size()));
    handlePendingEvents();
}

void TextArea::addToContextMenu(PopupMenu& menu) {
    if (!fContextMenu) connectSignal(innerWidget(), "populate-popup", G_CALLBACK(&TextArea::onPopulatePopup), this);
    fContextMenu = &menu;
}

void TextArea::onPopulatePopup(void*, void* popup, void* self) {
    guarded([&] {
        auto* t = static_cast<TextArea*>(self);
        if (t->fContextMenu) t->fContextMenu->appendTo(popup);
    });
}

void TextArea::setEditable(bool editable) {
    fEditable = editable;
    gtk().gtk_text_view_set_editable(as<GtkTextView>(innerWidget()), editable);
}

void TextArea::setWrap(bool wrap) {
    fWrap = wrap;
    gtk().gtk_text_view_set_wrap_mode(as<GtkTextView>(innerWidget()), wrap ? GTK_WRAP_WORD_CHAR : GTK_WRAP_NONE);
}

void TextArea::setOnDraw(DrawHandler) { throw ToolkitError("NativeTextArea does not allow onDraw."); }

void TextArea::onChanged(void*, void* self) {
    guarded([&] {
        auto* t = static_cast<TextArea*>(self);
        if (!t->fOnTextChange) return;
        TextChangeHandler handler = t->fOnTextChange;
        TextChangeEvent e{t};
        handler(e);
    });
}

}  // namespace toolkit
