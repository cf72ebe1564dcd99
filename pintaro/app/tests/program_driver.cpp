#include "program_driver.h"
#include "gtk_loader.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "toolkit_error.h"

namespace driver {

std::string shell(const std::string& command) {
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[256];
        while (fgets(buf, sizeof buf, p)) out += buf;
        pclose(p);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

std::vector<std::string> visibleWindows(const std::string& titleRegex) {
    std::istringstream in(shell("xdotool search --onlyvisible --name '" + titleRegex + "' 2>/dev/null"));
    std::vector<std::string> ids;
    for (std::string id; in >> id;) ids.push_back(id);
    return ids;
}

void requestClose(const std::string& windowId) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) throw std::runtime_error("no X display");
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = std::strtoul(windowId.c_str(), nullptr, 0);
    e.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, e.xclient.window, False, NoEventMask, &e);
    XCloseDisplay(display);
}

std::pair<long, long> windowIconSize(const std::string& windowId) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) throw std::runtime_error("no X display");
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::pair<long, long> size{0, 0};
    const int status = XGetWindowProperty(display, std::strtoul(windowId.c_str(), nullptr, 0),
                                          XInternAtom(display, "_NET_WM_ICON", False), 0, 2, False, AnyPropertyType,
                                          &type, &format, &count, &after, &data);
    if (status == Success && data && format == 32 && count == 2) {
        const long* values = reinterpret_cast<const long*>(data);
        size = {values[0], values[1]};
    }
    if (data) XFree(data);
    XCloseDisplay(display);
    return size;
}

std::unique_ptr<toolkit::Image> loadPicture(const std::string& path) {
    auto image = std::make_unique<toolkit::Image>(toolkit::gtkRaster());
    image->loadFromFile(path);
    return image;
}

Program::Program(const std::string& workDir) : fWorkDir(workDir) {
    // A fresh X server now and then refuses a connection for a moment while
    // it is still cleaning up after the previous program; try again then.
    for (int attempt = 0; attempt < 3 && fMainWindow.empty(); ++attempt) {
        if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(500));
        launch();
        waitUntil([&] {
            if (!running()) return true;
            const auto ids = visibleWindows("^Pintaro$");
            if (ids.empty()) return false;
            fMainWindow = ids.front();
            return true;
        });
    }
    if (fMainWindow.empty()) throw std::runtime_error("pintaro showed no main window");
    // Let the first paint and the focus settle before input arrives.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

void Program::launch() {
    fPid = fork();
    if (fPid == 0) {
        const std::string out = fWorkDir + "/stdout.txt";
        const std::string err = fWorkDir + "/stderr.txt";
        if (!freopen(out.c_str(), "a", stdout) || !freopen(err.c_str(), "a", stderr)) _exit(126);
        if (chdir(fWorkDir.c_str()) != 0) _exit(126);
        execl(PINTARO_PROGRAM, PINTARO_PROGRAM, static_cast<char*>(nullptr));
        _exit(127);
    }
    if (fPid < 0) throw std::runtime_error("cannot start pintaro");
}

Program::~Program() {
    if (fPid > 0 && running()) {
        kill(fPid, SIGTERM);
        if (!waitUntil([&] { return !running(); }, 2000)) {
            kill(fPid, SIGKILL);
            waitpid(fPid, nullptr, 0);
        }
    }
}

std::string Program::title() const { return shell("xdotool getwindowname " + fMainWindow + " 2>/dev/null"); }

void Program::type(const std::string& text) const {
    // Single quotes in the text would end the shell's quoting.
    std::string quoted;
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    std::system(("xdotool type --delay 4 '" + quoted + "'").c_str());
}

void Program::keys(const std::string& keys) const { std::system(("xdotool " + keys).c_str()); }

void Program::chord(const std::vector<std::string>& keysyms) const {
    Display* display = XOpenDisplay(nullptr);
    if (!display) throw std::runtime_error("no X display");
    std::vector<KeyCode> codes;
    for (const std::string& name : keysyms) {
        const KeyCode code = XKeysymToKeycode(display, XStringToKeysym(name.c_str()));
        if (code == 0) throw std::runtime_error("no key code for " + name);
        codes.push_back(code);
    }
    for (KeyCode c : codes) XTestFakeKeyEvent(display, c, True, 0);
    for (auto it = codes.rbegin(); it != codes.rend(); ++it) XTestFakeKeyEvent(display, *it, False, 0);
    XFlush(display);
    XCloseDisplay(display);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

void Program::command(const std::string& text) const {
    type(text);
    keys("key Return");
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
}

void Program::keysTo(const std::string& windowId, const std::string& keys) const {
    std::system(("xdotool windowfocus --sync " + windowId + " " + keys).c_str());
}

bool Program::running() {
    if (fPid <= 0) return false;
    int status = 0;
    const pid_t r = waitpid(fPid, &status, WNOHANG);
    if (r == 0) return true;
    fExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    fPid = -1;
    return false;
}

int Program::waitForExit(int timeoutMs) {
    if (!waitUntil([&] { return !running(); }, timeoutMs)) return -1;
    return fExitStatus;
}

toolkit::Color Program::ViewShot::at(int imageX, int imageY) const {
    return shot->pixel(originX + imageX, originY + imageY);
}

bool Program::ViewShot::litNear(int imageX, int imageY) const {
    for (int d = -1; d <= 1; ++d) {
        const toolkit::Color c = at(imageX + d, imageY);
        if (c.r > 100 && c.g > 100 && c.b > 100) return true;
    }
    return false;
}

Program::ViewShot Program::viewShot(int imageWidth, int imageHeight) const {
    // Let a requested repaint happen before the picture is taken.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const std::string file = fWorkDir + "/view-shot.png";
    shell("import -window " + fMainWindow + " " + file + " 2>/dev/null");
    ViewShot v;
    v.shot = loadPicture(file);
    const toolkit::Image& s = *v.shot;
    const toolkit::Color black(0, 0, 0, 255);
    // The view is the black area between toolbar and command line: find it
    // along a column near the left edge and along the middle row.
    int top = -1, bottom = -1;
    for (int y = 0; y < s.height(); ++y)
        if (s.pixel(4, y) == black) {
            if (top < 0) top = y;
            bottom = y;
        }
    if (top < 0) throw std::runtime_error("no drawing view in the screenshot");
    const int middle = (top + bottom) / 2;
    int left = -1, right = -1;
    for (int x = 0; x < s.width(); ++x)
        if (s.pixel(x, middle) == black) {
            if (left < 0) left = x;
            right = x;
        }
    v.originX = left + (right - left + 1 - imageWidth) / 2;
    v.originY = top + (bottom - top + 1 - imageHeight) / 2;
    return v;
}

}  // namespace driver
