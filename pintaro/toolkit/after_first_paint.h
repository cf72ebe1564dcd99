// Work that a window's first paint does not need (other windows, dialogs,
// what only they use), done after that paint instead of in its way: at the
// first idle moment after the window was drawn for the first time, or just
// before the first event that may run a handler (a key, a click, a drop, a
// close) is handled, whichever comes first, so that no handler finds it
// undone. The pointer's moves and the window system's own notices (exposure,
// mapping, focus) do not count: they reach the window before it is painted.
//
// The work runs once, with events held (EventsHeld): a key queued behind it
// waits until it is complete, instead of being handled while it is half
// done. Without the platform functions this needs, or without a platform
// window, the work runs at once, when the object is made.
#pragma once

#include <functional>

typedef union _GdkEvent GdkEvent;

namespace toolkit {

class Window;

class AfterFirstPaint {
public:
    // `window` must outlive this object.
    AfterFirstPaint(Window& window, std::function<void()> work);
    // Work not run by then is dropped: what it would have built is not needed.
    ~AfterFirstPaint();
    AfterFirstPaint(const AfterFirstPaint&) = delete;
    AfterFirstPaint& operator=(const AfterFirstPaint&) = delete;

    // Runs the work now, unless it ran already. An error it raises reaches
    // the caller (the work counts as done).
    void runNow();
    bool done() const { return !fWork; }

private:
    // Stops waiting: no more draw, idle or event callbacks for this object.
    void disarm();
    static int onDraw(void* widget, void* cr, void* self);
    static int onIdle(void* self);
    static void onEvent(GdkEvent* event, void* self);

    std::function<void()> fWork;
    void* fWidget = nullptr;  // the window's platform widget, referenced while waiting
    unsigned fIdle = 0;
    bool fHandlingEvents = false;  // the platform's events pass through onEvent
};

}  // namespace toolkit
