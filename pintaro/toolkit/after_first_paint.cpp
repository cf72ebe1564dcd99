#include "after_first_paint.h"

#include <utility>

#include "error_guard.h"
#include "gtk_loader.h"
#include "gtk_object.h"
#include "window.h"

namespace toolkit {
namespace {

// GDK has one event handler; the object waiting holds it.
AfterFirstPaint* g_waiting = nullptr;

// Events that reach a window while it comes up, before its first paint,
// and run none of the application's handlers that the work could serve.
bool comesBeforeThePaint(GdkEventType type) {
    switch (type) {
        case GDK_NOTHING:
        case GDK_EXPOSE:
        case GDK_CONFIGURE:
        case GDK_MAP:
        case GDK_UNMAP:
        case GDK_PROPERTY_NOTIFY:
        case GDK_VISIBILITY_NOTIFY:
        case GDK_WINDOW_STATE:
        case GDK_DAMAGE:
        case GDK_FOCUS_CHANGE:
        case GDK_SETTING:
        case GDK_GRAB_BROKEN:
        // A window that maps under the pointer is entered at once.
        case GDK_ENTER_NOTIFY:
        case GDK_LEAVE_NOTIFY:
        case GDK_MOTION_NOTIFY:
            return true;
        default:
            return false;
    }
}

bool canWait(const GtkApi& g) {
    return g.g_idle_add && g.g_source_remove && g.g_signal_handlers_disconnect_matched && g.gdk_event_handler_set &&
           g.gtk_main_do_event;
}

}  // namespace

AfterFirstPaint::AfterFirstPaint(Window& window, std::function<void()> work) : fWork(std::move(work)) {
    const GtkApi& g = gtk();
    GtkWidget* widget = window.platformWindow();
    if (!widget || !canWait(g)) {
        runNow();
        return;
    }
    // One waiting at a time: an earlier one's work goes first.
    if (g_waiting) g_waiting->runNow();
    (g.g_object_ref)(widget);
    fWidget = widget;
    // After the window's own drawing, which draws its children.
    g.g_signal_connect_data(widget, "draw", G_CALLBACK(&AfterFirstPaint::onDraw), this, nullptr, G_CONNECT_AFTER);
    g.gdk_event_handler_set(&AfterFirstPaint::onEvent, this, nullptr);
    fHandlingEvents = true;
    g_waiting = this;
}

AfterFirstPaint::~AfterFirstPaint() { disarm(); }

void AfterFirstPaint::runNow() {
    if (!fWork) return;
    disarm();
    const std::function<void()> work = std::move(fWork);
    fWork = nullptr;
    const EventsHeld held;
    work();
}

void AfterFirstPaint::disarm() {
    const GtkApi& g = gtk();
    if (fHandlingEvents) {
        // Back to GTK's own handler, as gtk_init set it (which takes no
        // data, so the extra argument is ignored, as in GTK itself).
        g.gdk_event_handler_set(reinterpret_cast<GdkEventFunc>(reinterpret_cast<void (*)()>(g.gtk_main_do_event)),
                                nullptr, nullptr);
        fHandlingEvents = false;
    }
    if (g_waiting == this) g_waiting = nullptr;
    if (fIdle) {
        g.g_source_remove(fIdle);
        fIdle = 0;
    }
    if (fWidget) {
        // Matched by data: no complaint when the draw handler has gone already.
        g.g_signal_handlers_disconnect_matched(fWidget, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, this);
        gtkRaster().g_object_unref(fWidget);
        fWidget = nullptr;
    }
}

int AfterFirstPaint::onDraw(void*, void*, void* self) {
    auto* a = static_cast<AfterFirstPaint*>(self);
    const GtkApi& g = gtk();
    // Idle: once the paint has gone to the window system, before the loop sleeps.
    if (!a->fIdle) a->fIdle = g.g_idle_add(&AfterFirstPaint::onIdle, a);
    g.g_signal_handlers_disconnect_matched(a->fWidget, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, a);
    return FALSE;
}

int AfterFirstPaint::onIdle(void* self) {
    auto* a = static_cast<AfterFirstPaint*>(self);
    a->fIdle = 0;  // this source ends by returning FALSE
    guarded([a] { a->runNow(); });
    return FALSE;
}

void AfterFirstPaint::onEvent(GdkEvent* e, void* self) {
    if (!comesBeforeThePaint(e->type)) guarded([self] { static_cast<AfterFirstPaint*>(self)->runNow(); });
    gtk().gtk_main_do_event(e);
}

}  // namespace toolkit
