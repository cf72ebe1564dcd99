#include "application.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "error_guard.h"
#include "gtk_loader.h"
#include "gtk_object.h"
#include "toolkit_error.h"
#include "toolkit_limits.h"
#include "control.h"
#include "window.h"

namespace toolkit {
namespace {

Application* g_current = nullptr;

raster::Color toColor(const GdkRGBA& c) {
    auto channel = [](double v) { return static_cast<std::uint8_t>(std::clamp(v, 0.0, 1.0) * 255.0 + 0.5); };
    return raster::Color(channel(c.red), channel(c.green), channel(c.blue), channel(c.alpha));
}

}  // namespace

Application& Application::current() {
    if (!g_current) throw ToolkitError("You need to call 'app.init()' at first.");
    return *g_current;
}

Application* Application::currentOrNull() { return g_current; }

Application::~Application() {
    if (fParkingWindow) gtk().gtk_widget_destroy(fParkingWindow);
    if (g_current == this) g_current = nullptr;
}

void Application::init(const std::string& applicationId) {
    if (fInitialized) return;
    if (g_current) throw ToolkitError("Only one application can be initialised.");
    if (!gtkLoaded()) throw ToolkitError("GTK 3 is not loaded.");
    const GtkApi& g = gtk();
    // The name before gtk_init, which reads it; the class after, because
    // gtk_init sets it from the name (capitalised) unless given on the command
    // line, and windows read it when they are created.
    if (!applicationId.empty() && g.g_set_prgname) g.g_set_prgname(applicationId.c_str());
    fApplicationId = applicationId;
    // Making the font map starts fontconfig's reading of its configuration
    // and font lists on a thread of pango's; begun before gtk_init, it runs
    // beside GTK's start on the other core instead of holding up the first
    // text the main window measures.
    if (g.pango_cairo_font_map_get_default) g.pango_cairo_font_map_get_default();
    g.gtk_init(nullptr, nullptr);
    if (!applicationId.empty() && g.gdk_set_program_class) g.gdk_set_program_class(applicationId.c_str());
    fClipboard = g.gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);

    // The theme's colours, read from the style of a window that is never shown.
    GtkWidget* probe = g.gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkStyleContext* style = g.gtk_widget_get_style_context(probe);
    GdkRGBA background{}, text{};
    g.gtk_style_context_get_background_color(style, GTK_STATE_FLAG_NORMAL, &background);
    g.gtk_style_context_get_color(style, GTK_STATE_FLAG_NORMAL, &text);
    g.gtk_widget_destroy(probe);
    fDefaultBackgroundColor = toColor(background);
    fDefaultTextColor = toColor(text);

    fParkingWindow = g.gtk_window_new(GTK_WINDOW_TOPLEVEL);
    fParkingPlace = g.gtk_fixed_new();
    g.gtk_container_add(as<GtkContainer>(fParkingWindow), fParkingPlace);

    fInitialized = true;
    g_current = this;
}

void Application::run() {
    current();  // raises when not initialised
    if (fQuitBeforeRun) {
        fQuitBeforeRun = false;
        return;
    }
    fRunning = true;
    while (fRunning) {
        ++fMainDepth;
        try {
            gtk().gtk_main();
        } catch (const std::exception& e) {
            reportEscapedError(e.what());
        } catch (...) {
            reportEscapedError("unknown error");
        }
        --fMainDepth;
    }
}

void Application::quit(bool force) {
    if (force) std::exit(0);
    fRunning = false;
    // gtk_main_quit outside a main loop is a programming error in GTK; the
    // running flag alone ends a loop that waits with runUntil().
    if (fMainDepth > 0)
        gtk().gtk_main_quit();
    else
        fQuitBeforeRun = true;
}

void Application::sleep(int milliseconds) {
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + std::chrono::milliseconds(std::max(milliseconds, 0));
    for (;;) {
        handlePendingEvents();
        const auto now = Clock::now();
        if (now >= end) break;
        std::this_thread::sleep_for(
            std::min<Clock::duration>(end - now, std::chrono::milliseconds(limits::kSleepNapMilliseconds)));
    }
}

void Application::runUntil(const std::function<bool()>& done) {
    // gtk_main_iteration dispatches one event and returns. A handler may
    // wait before run() has started (showing the first window handles
    // pending events), so a quit ends the wait through the flag quit() set
    // for the loop it found: running, or about to run.
    while (!done() && !fQuitBeforeRun && (fRunning || fMainDepth == 0)) gtk().gtk_main_iteration();
}

void Application::runUntil(const std::function<bool()>& done, int milliseconds) {
    if (milliseconds < 0) return runUntil(done);
    const GtkApi& g = gtk();
    if (!g.g_timeout_add || !g.g_source_remove) {
        // No timer to wake the wait: handle events in short naps instead.
        using Clock = std::chrono::steady_clock;
        const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
        while (!done() && Clock::now() < end && (fRunning || fMainDepth == 0)) sleep(limits::kSleepNapMilliseconds);
        return;
    }
    bool timeUp = false;
    const guint timer = g.g_timeout_add(
        static_cast<guint>(milliseconds),
        [](gpointer flag) -> gboolean {
            *static_cast<bool*>(flag) = true;
            return FALSE;  // once
        },
        &timeUp);
    runUntil([&] { return timeUp || done(); });
    if (!timeUp) g.g_source_remove(timer);
}

bool Application::isDown(KeyCode key) const {
    return std::find(fPressedKeys.begin(), fPressedKeys.end(), key) != fPressedKeys.end();
}

void Application::addWindow(Window* w) { fWindows.push_back(w); }

void Application::forgetWindow(Window* w) { std::erase(fWindows, w); }

void Application::removeWindow(Window* w) {
    forgetWindow(w);
    if (fWindows.empty() && fQuitOnLastWindow) quit(false);
}

void Application::keyPressed(KeyCode key) {
    if (!isDown(key)) fPressedKeys.push_back(key);
}

void Application::keyReleased(KeyCode key) { std::erase(fPressedKeys, key); }

void Application::notePress(const Control& c, int x, int y) {
    fPressed = c.handle();
    fPress = {x, y};
}

std::optional<Application::Press> Application::pressOn(const Control& c) const {
    if (fPressed.get() != &c) return std::nullopt;
    return fPress;
}

void Application::reportError(const std::string& message) {
    if (fErrorHandler)
        fErrorHandler(message);
    else
        unhandledError(message);
}

}  // namespace toolkit
