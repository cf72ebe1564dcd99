#include "text_area.h"

#include <algorithm>

#include "error_guard.h"
#include "gtk_loader.h"
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

void TextArea::setLineNumbers(bool shown) {
    GtkWidget* view = innerWidget();
    if (!fLineNumbersConnected) {
        // After the view's own drawing, which paints the column's background.
        gtk().g_signal_connect_data(view, "draw", G_CALLBACK(&TextArea::onDrawLineNumbers), this, nullptr,
                                    G_CONNECT_AFTER);
        fLineNumbersConnected = true;
    }
    fLineNumbers = shown;
    gtk().gtk_text_view_set_border_window_size(as<GtkTextView>(view), GTK_TEXT_WINDOW_LEFT,
                                               shown ? scaleToScreen(limits::kLineNumberWidth) : 0);
    handlePendingEvents();
}

int TextArea::onDrawLineNumbers(GtkWidget* widget, cairo_t* cr, void* self) {
    guarded([&] {
        if (!static_cast<TextArea*>(self)->fLineNumbers) return;
        const GtkApi& g = gtk();
        const raster::RasterApi& r = gtkRaster();
        GtkTextView* view = as<GtkTextView>(widget);
        GdkWindow* column = g.gtk_text_view_get_window(view, GTK_TEXT_WINDOW_LEFT);
        if (!column || !g.gtk_cairo_should_draw_window(cr, column)) return;
        r.cairo_save(cr);
        g.gtk_cairo_transform_to_window(cr, widget, column);
        GdkRectangle visible;
        g.gtk_text_view_get_visible_rect(view, &visible);
        GtkTextIter line;
        int top = 0;
        g.gtk_text_view_get_line_at_y(view, &line, visible.y, &top);
        PangoLayout* layout = g.gtk_widget_create_pango_layout(widget, nullptr);
        const GdkRGBA grey{0.5, 0.5, 0.5, 1.0};
        g.gdk_cairo_set_source_rgba(cr, &grey);
        const int right = scaleToScreen(limits::kLineNumberWidth - limits::kLineNumberGap);
        for (;;) {
            int y = 0, height = 0, wx = 0, wy = 0;
            g.gtk_text_view_get_line_yrange(view, &line, &y, &height);
            if (y > visible.y + visible.height) break;
            g.gtk_text_view_buffer_to_window_coords(view, GTK_TEXT_WINDOW_LEFT, 0, y, &wx, &wy);
            const std::string number = std::to_string(g.gtk_text_iter_get_line(&line) + 1);
            r.pango_layout_set_text(layout, number.c_str(), -1);
            int w = 0, h = 0;
            r.pango_layout_get_pixel_size(layout, &w, &h);
            r.cairo_move_to(cr, right - w, wy);
            r.pango_cairo_show_layout(cr, layout);
            // The last line may be an empty one at the very end: the move
            // onto it says no, but it is a line to number.
            const int before = g.gtk_text_iter_get_line(&line);
            if (!g.gtk_text_iter_forward_line(&line) && g.gtk_text_iter_get_line(&line) == before) break;
        }
        r.g_object_unref(layout);
        r.cairo_restore(cr);
    });
    return FALSE;
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
