// Helpers for tests that drive real windows under Xvfb: waiting for what
// this process's windows show while handling their events, running
// xdotool, reading screen pixels.
#pragma once

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <thread>
#include <utility>

#include "toolkit/application.h"
#include "toolkit/control.h"
#include "toolkit/layout_container.h"
#include "poll.h"
#include "toolkit/window.h"

namespace gui {

inline toolkit::Application* app = nullptr;

// poll::until for this process's own windows: their pending events are
// handled before every look, so what is looked at can change.
template <class Look, class... Wanted>
testing::AssertionResult pumpUntil(std::string_view what, Look&& look, Wanted&&... wanted) {
    return poll::until(
        what,
        [&] {
            app->sleep(0);
            return look();
        },
        wanted...);
}

inline int run(const std::string& command) { return std::system(command.c_str()); }

// xdotool injects input through the X server; the events wait in our
// connection until the next pump.
inline void xdo(const std::string& args) { run("xdotool " + args); }

// Gives the keyboard focus to the visible window with this exact title, as
// a window manager would, then runs the xdotool commands (keys, typing).
inline void keysTo(const std::string& title, const std::string& commands) {
    xdo("search --onlyvisible --name '^" + title + "$' windowfocus --sync " + commands);
}

// Whether a window with this exact title is on the screen.
inline bool showing(const std::string& title) {
    return run("xdotool search --onlyvisible --name '^" + title + "$' >/dev/null 2>&1") == 0;
}

// A user at a platform dialog, answering it with keys while the test's own
// thread is held in the dialog's loop. The user runs only xdotool, never
// the toolkit, on a thread of its own; the test makes this object before
// the dialog and lets it go once the dialog has returned. A dialog that
// stays unanswered is reported and then closed with Escape, so that the
// test cannot hang in it.
class DialogUser {
public:
    DialogUser(std::string title, std::string keys)
        : fTitle(std::move(title)), fKeys(std::move(keys)), fThread([this] { act(); }) {}
    ~DialogUser() {
        fAnswered = true;
        fThread.join();
    }
    DialogUser(const DialogUser&) = delete;
    DialogUser& operator=(const DialogUser&) = delete;

private:
    void act() {
        EXPECT_TRUE(poll::until("the dialog \"" + fTitle + "\" to show", [&] { return showing(fTitle); }));
        keysTo(fTitle, "key " + fKeys);
        if (!poll::until("the dialog's return", [&] { return fAnswered.load(); })) {
            ADD_FAILURE() << "the dialog \"" << fTitle << "\" did not return after " << fKeys;
            keysTo(fTitle, "key Escape");
        }
    }

    std::string fTitle;
    std::string fKeys;
    std::atomic<bool> fAnswered{false};
    std::thread fThread;
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
