// Helpers for tests that drive real windows under Xvfb: pumping events
// until something happens, running xdotool, reading screen pixels.
#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "application.h"
#include "control.h"
#include "layout_container.h"
#include "window.h"

namespace gui {

inline toolkit::Application* app = nullptr;

// Handles events until `done` holds or the time is up; false on time-out.
inline bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        app->sleep(10);
    }
    return true;
}

// Lets the X server and GTK settle: events for a short while.
inline void settle(int ms = 150) { app->sleep(ms); }

inline int run(const std::string& command) { return std::system(command.c_str()); }

// xdotool injects input through the X server; the events wait in our
// connection until the next pump.
inline void xdo(const std::string& args) { run("xdotool " + args); }

// A shell script running beside the test, for input that must arrive while
// the test is blocked in a platform dialog. Its end is waited for, so that
// no stray key of it reaches the next test.
class Background {
public:
    explicit Background(const std::string& script) {
        const char* argv[] = {"sh", "-c", script.c_str(), nullptr};
        if (posix_spawnp(&fPid, "sh", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) fPid = -1;
    }
    ~Background() { finish(); }
    Background(const Background&) = delete;
    Background& operator=(const Background&) = delete;
    void finish() {
        if (fPid > 0) waitpid(fPid, nullptr, 0);
        fPid = -1;
    }

private:
    pid_t fPid = -1;
};

struct Point {
    int x;
    int y;
};

// The control's top-left corner on the screen.
inline Point screenPosition(const toolkit::Control& c) {
    int x = c.x(), y = c.y();
    for (const toolkit::LayoutContainer* p = c.parentControl(); p; p = p->parentControl()) {
        x += p->x();
        y += p->y();
    }
    const toolkit::Window* w = c.window();
    return {x + w->x(), y + w->y()};
}

// "#RRGGBB" of one screen pixel.
inline std::string pixelAt(int x, int y) {
    const std::string cmd = "import -window root -crop 1x1+" + std::to_string(x) + "+" + std::to_string(y) +
                            " -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\\{6\\}' | head -1";
    std::string out;
    if (FILE* p = popen(cmd.c_str(), "r")) {
        char buf[64];
        while (fgets(buf, sizeof buf, p)) out += buf;
        pclose(p);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
}

// The first and last x (relative to x0) of the dark pixels in a row of
// `width` screen pixels starting at (x0, y); {-1, -1} when there is none.
inline std::pair<int, int> darkSpan(int x0, int y, int width) {
    const std::string cmd = "import -window root -crop " + std::to_string(width) + "x1+" + std::to_string(x0) + "+" +
                            std::to_string(y) + " -depth 8 txt:- 2>/dev/null";
    std::pair<int, int> span{-1, -1};
    if (FILE* p = popen(cmd.c_str(), "r")) {
        char line[256];
        while (fgets(line, sizeof line, p)) {
            int x = 0, yy = 0, r = 0, g = 0, b = 0;
            if (std::sscanf(line, "%d,%d: (%d,%d,%d", &x, &yy, &r, &g, &b) != 5) continue;
            if (r + g + b < 3 * 100) {
                if (span.first < 0) span.first = x;
                span.second = x;
            }
        }
        pclose(p);
    }
    return span;
}

}  // namespace gui
