#include "gtk_loader.h"
#include "gtk_object.h"

#include <cstdlib>

#include "application.h"

namespace toolkit {

OwnedWidget::OwnedWidget(GtkWidget* widget) : fWidget(widget) {
    (gtk().g_object_ref)(fWidget);
    gtk().gtk_widget_show(fWidget);
    park();
}

OwnedWidget::~OwnedWidget() {
    // Destroying removes the widget from its parent; our reference is the last.
    gtk().gtk_widget_destroy(fWidget);
    gtkRaster().g_object_unref(fWidget);
}

void OwnedWidget::moveTo(GtkWidget* parent) {
    if (parent == fParent) return;
    if (fParent) gtk().gtk_container_remove(as<GtkContainer>(fParent), fWidget);
    gtk().gtk_container_add(as<GtkContainer>(parent), fWidget);
    fParent = parent;
}

void OwnedWidget::park() { moveTo(Application::current().parkingPlace()); }

void ObjectRef::reset(gpointer object) {
    if (fObject) gtkRaster().g_object_unref(fObject);
    fObject = object;
}

const GtkApi& initializedGtk() {
    Application::current();
    return gtk();
}

void freeGlibMemory(void* memory) { std::free(memory); }

std::string takeGlibString(gchar* text) {
    if (!text) return {};
    std::string copy(text);
    freeGlibMemory(text);
    return copy;
}

namespace {
int g_eventsHeld = 0;
}  // namespace

EventsHeld::EventsHeld() { ++g_eventsHeld; }
EventsHeld::~EventsHeld() { --g_eventsHeld; }

void handlePendingEvents() {
    if (g_eventsHeld > 0) return;
    while (gtk().gtk_events_pending()) gtk().gtk_main_iteration();
}

Extents textExtents(GtkWidget* widget, const std::string& text) {
    PangoLayout* layout = gtk().gtk_widget_create_pango_layout(widget, text.c_str());
    Extents e;
    gtkRaster().pango_layout_get_pixel_size(layout, &e.width, &e.height);
    gtkRaster().g_object_unref(layout);
    return e;
}

GtkBorder stylePadding(GtkWidget* widget) {
    GtkBorder padding{};
    gtk().gtk_style_context_get_padding(gtk().gtk_widget_get_style_context(widget), GTK_STATE_FLAG_NORMAL, &padding);
    return padding;
}

void connectSignal(gpointer instance, const char* signal, GCallback callback, gpointer data) {
    gtk().g_signal_connect_data(instance, signal, callback, data, nullptr, GConnectFlags(0));
}

}  // namespace toolkit
