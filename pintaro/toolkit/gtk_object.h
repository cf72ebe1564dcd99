// Ownership of the GTK objects the layer creates. Internal to the layer:
// it includes GTK's headers.
#pragma once

#include <string>

#include "gtk_api.h"

namespace toolkit {

// GTK's cast macros (GTK_WINDOW(w) ...) check types through functions the
// layer does not load; a plain pointer cast is what they amount to.
template <class To>
To* as(void* object) {
    return static_cast<To*>(object);
}

// One widget of a control, with a reference of our own so that the widget
// survives being moved between parents. A new widget is put at once into
// the application's hidden parking place, which takes over GTK's floating
// reference; from then on the widget always has exactly one parent.
class OwnedWidget {
public:
    explicit OwnedWidget(GtkWidget* widget);
    ~OwnedWidget();
    OwnedWidget(const OwnedWidget&) = delete;
    OwnedWidget& operator=(const OwnedWidget&) = delete;

    GtkWidget* get() const { return fWidget; }
    // Takes the widget out of its current parent and adds it to `parent`.
    void moveTo(GtkWidget* parent);
    // Back to the parking place (out of any window).
    void park();

private:
    GtkWidget* fWidget;
    GtkWidget* fParent = nullptr;
};

// A plain GObject reference (input method contexts and the like).
class ObjectRef {
public:
    ObjectRef() = default;
    explicit ObjectRef(gpointer object) : fObject(object) {}
    ~ObjectRef() { reset(); }
    ObjectRef(const ObjectRef&) = delete;
    ObjectRef& operator=(const ObjectRef&) = delete;
    void reset(gpointer object = nullptr);
    gpointer get() const { return fObject; }

private:
    gpointer fObject = nullptr;
};

// The function table, once the application is initialised; raises "You
// need to call 'app.init()' at first." before. Controls make their platform
// widgets through it, so that none is made without GTK being ready.
const GtkApi& initializedGtk();

// Memory that GLib hands over (strings from GTK). GLib allocates with the
// system allocator since 2.46, and g_free is not among the functions the
// layer loads, so it is returned with free().
void freeGlibMemory(void* memory);
// Copies a GLib string into a std::string and frees it; null gives "".
std::string takeGlibString(gchar* text);

// Handles every pending platform event, so that a change shows at once even
// while a long handler is running. Does nothing while events are held.
void handlePendingEvents();

// While one lives, handlePendingEvents handles nothing: for work that must
// finish before any handler runs, such as building windows that the
// handlers of queued keys and clicks will use. What the work changed shows
// once the event loop turns again.
class EventsHeld {
public:
    EventsHeld();
    ~EventsHeld();
    EventsHeld(const EventsHeld&) = delete;
    EventsHeld& operator=(const EventsHeld&) = delete;
};

// The pixel size of `text` in the widget's font, and the widget's padding
// from its style.
struct Extents {
    int width = 0;
    int height = 0;
};
Extents textExtents(GtkWidget* widget, const std::string& text);
GtkBorder stylePadding(GtkWidget* widget);

// Connects a C callback; user data is the object that owns the widget and
// outlives the connection (the widget is destroyed before the object).
void connectSignal(gpointer instance, const char* signal, GCallback callback, gpointer data);

}  // namespace toolkit
