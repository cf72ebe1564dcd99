// The one application object: GTK's initialisation, the event loop, the
// list of windows, the keys currently held and the alert box.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "raster/color.h"
#include "control_handle.h"
#include "events.h"
#include "key_codes.h"

typedef struct _GtkWidget GtkWidget;
typedef struct _GtkClipboard GtkClipboard;

namespace toolkit {

class Control;
class Window;

class Application {
public:
    Application() = default;
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Initialises GTK (GTK must have been loaded), takes the default
    // clipboard and reads the theme's colours. Must run before any window or
    // control is created; this object then is the process's application.
    // A non-empty application id becomes the program name and class GTK
    // hands the window system (the Wayland app id, both halves of X11's
    // WM_CLASS), so desktops match the windows to the desktop entry of that
    // name; it also names the installed icon a window falls back to.
    void init(const std::string& applicationId = {});

    // Runs the event loop until quit(). An error escaping the loop goes to
    // the error handler and the loop is entered again while still running.
    void run();
    // Asks the event loop to end; with force the process ends at once with
    // status 0. Asked before the loop runs (a window closed while it was
    // being shown), the next run() returns at once.
    void quit(bool force = false);
    // Handles events for the given time, napping 20 ms between rounds.
    void sleep(int milliseconds);
    // Handles events one at a time, waiting for each, until `done` holds or
    // the event loop is asked to end; also before run() has started. Events
    // that arrive after the one that made `done` true stay queued for the
    // loop below, so keys typed right after a question is answered run
    // after the answer's effect, not before it.
    void runUntil(const std::function<bool()>& done);
    // The same, also ending once `milliseconds` have passed (a negative time
    // never ends it): a timer wakes the wait, so it never blocks the windows
    // and ends as soon as `done` holds after an event.
    void runUntil(const std::function<bool()>& done, int milliseconds);
    // True while the key is held.
    bool isDown(KeyCode key) const;
    // A native one-button dialog; returns when the user dismisses it.
    void alertBox(Window* parent, const std::string& message, const std::string& title);
    // The same, with a key of the caller's that also closes it: a key press
    // in the box for which `endsBox` holds closes it, and the call then
    // returns true. The box's own keys keep their meaning.
    bool alertBox(Window* parent, const std::string& message, const std::string& title,
                  const std::function<bool(const KeyEvent&)>& endsBox);

    // Errors that escape event handlers go here when set; otherwise to the
    // unhandled-error handler, which ends the process.
    void setErrorHandler(ErrorHandler handler) { fErrorHandler = std::move(handler); }
    void setQuitOnLastWindowDisposed(bool on) { fQuitOnLastWindow = on; }

    bool running() const { return fRunning; }
    bool initialized() const { return fInitialized; }
    const std::vector<Window*>& windows() const { return fWindows; }
    const std::vector<KeyCode>& pressedKeys() const { return fPressedKeys; }
    int resolution() const { return fResolution; }
    const std::string& applicationId() const { return fApplicationId; }
    raster::Color defaultBackgroundColor() const { return fDefaultBackgroundColor; }
    raster::Color defaultTextColor() const { return fDefaultTextColor; }

    // The initialised application; raises "You need to call 'app.init()' at
    // first." when there is none.
    static Application& current();
    // The same, or null; for code that must not raise (error reporting).
    static Application* currentOrNull();

    // ---- used by the layer's own objects ----
    GtkWidget* parkingPlace() const { return fParkingPlace; }
    void addWindow(Window* w);
    void removeWindow(Window* w);  // quits when it was the last and the switch is on
    void forgetWindow(Window* w);  // the same without quitting
    void keyPressed(KeyCode key);
    void keyReleased(KeyCode key);
    void clearPressedKeys() { fPressedKeys.clear(); }
    void reportError(const std::string& message);
    // The last mouse press, for the click rule: where it was, when it was
    // on `c` and `c` still lives.
    struct Press {
        int x = 0;
        int y = 0;
    };
    void notePress(const Control& c, int x, int y);
    std::optional<Press> pressOn(const Control& c) const;
    void endPress() { fPressed.reset(); }

private:
    bool fInitialized = false;
    bool fRunning = false;
    bool fQuitBeforeRun = false;
    int fMainDepth = 0;  // how many gtk_main calls of ours are active
    bool fQuitOnLastWindow = true;
    std::string fApplicationId;
    ErrorHandler fErrorHandler;
    std::vector<Window*> fWindows;
    std::vector<KeyCode> fPressedKeys;
    int fResolution = 96;
    raster::Color fDefaultBackgroundColor{255, 255, 255, 255};
    raster::Color fDefaultTextColor{0, 0, 0, 255};
    GtkClipboard* fClipboard = nullptr;
    // A hidden window holding the widgets of controls not yet placed.
    GtkWidget* fParkingWindow = nullptr;
    GtkWidget* fParkingPlace = nullptr;
    // A handle, so that a control destroyed while pressed leaves nothing behind.
    ControlHandle fPressed;
    Press fPress;
};

}  // namespace toolkit
