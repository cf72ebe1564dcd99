#include "program_driver.h"
#include "toolkit/gtk_loader.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "poll.h"
#include "raster/raster_error.h"

namespace driver {

std::string programStderr(const std::string& workDir) { return workDir + "/stderr.txt"; }

namespace {

XErrorHandler defaultXErrorHandler = nullptr;

// A window can go between being listed and being asked about (a box that
// closes while the test looks); that is no error of the test's, and Xlib's
// own handler would end the whole test program for it.
int ignoreGoneWindows(Display* display, XErrorEvent* e) {
    if (e->error_code == BadWindow || e->error_code == BadDrawable) return 0;
    return defaultXErrorHandler ? defaultXErrorHandler(display, e) : 0;
}

Display* openDisplay() {
    static const bool handled = [] {
        defaultXErrorHandler = XSetErrorHandler(ignoreGoneWindows);
        return true;
    }();
    (void)handled;
    Display* display = XOpenDisplay(nullptr);
    if (!display) throw std::runtime_error("no X display");
    return display;
}

}  // namespace

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

std::map<std::string, int> windowGeometry(const std::string& window) {
    std::istringstream in(shell("xdotool getwindowgeometry --shell " + window));
    std::map<std::string, int> g;
    for (std::string line; std::getline(in, line);)
        if (auto eq = line.find('='); eq != std::string::npos)
            g[line.substr(0, eq)] = std::atoi(line.c_str() + eq + 1);
    return g;
}

std::vector<std::string> visibleWindows(const std::string& titleRegex) {
    std::istringstream in(shell("xdotool search --onlyvisible --name '" + titleRegex + "' 2>/dev/null"));
    std::vector<std::string> ids;
    for (std::string id; in >> id;) ids.push_back(id);
    return ids;
}

std::vector<std::string> visibleWindowsTitled(const std::string& title) {
    Display* display = openDisplay();
    std::vector<std::string> ids;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    // Without a window manager the program's windows are the root's children.
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
        for (unsigned k = 0; k < count; ++k) {
            XWindowAttributes a{};
            if (!XGetWindowAttributes(display, children[k], &a) || a.map_state != IsViewable) continue;
            char* name = nullptr;
            if (XFetchName(display, children[k], &name) && name) {
                if (title == name) ids.push_back(std::to_string(children[k]));
                XFree(name);
            }
        }
        if (children) XFree(children);
    }
    XCloseDisplay(display);
    return ids;
}

bool isDialog(const std::string& windowId) {
    Display* display = openDisplay();
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom dialog = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    bool found = false;
    if (XGetWindowProperty(display, std::strtoul(windowId.c_str(), nullptr, 0),
                           XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), 0, 16, False, XA_ATOM, &type,
                           &format, &count, &after, &data) == Success &&
        data && format == 32) {
        const Atom* types = reinterpret_cast<const Atom*>(data);
        found = std::find(types, types + count, dialog) != types + count;
    }
    if (data) XFree(data);
    XCloseDisplay(display);
    return found;
}

void requestClose(const std::string& windowId) {
    Display* display = openDisplay();
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
    Display* display = openDisplay();
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

std::unique_ptr<raster::Image> loadPicture(const std::string& path) {
    auto image = std::make_unique<raster::Image>(toolkit::gtkRaster());
    image->loadFromFile(path);
    return image;
}

std::unique_ptr<raster::Image> tryLoadPicture(const std::string& path) {
    try {
        return loadPicture(path);
    } catch (const std::exception&) {
        return nullptr;  // not there yet, or still being written
    }
}

Program::Program(const std::string& workDir) : Program(workDir, {}, "^Pintaro$") {}

Program::Program(const std::string& workDir, std::vector<std::string> args, const std::string& mainTitle)
    : fWorkDir(workDir), fArgs(std::move(args)) {
    // A program that could not start (its display refused, say) is started
    // anew, a few times.
    int launches = 0;
    const auto shown = poll::until(
        "pintaro's main window",
        [&] {
            if (!running() && launches < 3) {
                launch();
                ++launches;
            }
            for (const std::string& id : visibleWindows(mainTitle))
                if (!isDialog(id)) {
                    fMainWindow = id;
                    break;
                }
            return fMainWindow;
        },
        [](const std::string& id) { return !id.empty(); });
    if (!shown) {
        std::ifstream err(programStderr(workDir));
        const std::string said((std::istreambuf_iterator<char>(err)), std::istreambuf_iterator<char>());
        throw std::runtime_error(std::string(shown.message()) + " after " + std::to_string(launches) +
                                 " start(s); pintaro said: " + said);
    }
    // There is no window manager to give a new window the focus.
    keysTo(fMainWindow, "");
}

void Program::launch() {
    // A desktop of its own for every run, without a list of recent files:
    // the file dialogs keep one (shared by every run, and in the home
    // folder) and open on it once it is not empty; then they no longer
    // start in the program's folder, and a name typed there means nothing.
    const std::string data = fWorkDir + "/.desktop-data";
    const std::string config = fWorkDir + "/.desktop-config";
    std::filesystem::create_directories(config + "/gtk-3.0");
    std::ofstream(config + "/gtk-3.0/settings.ini") << "[Settings]\ngtk-recent-files-enabled=false\n";
    fPid = fork();
    if (fPid == 0) {
        const std::string out = fWorkDir + "/stdout.txt";
        const std::string err = programStderr(fWorkDir);
        if (!freopen(out.c_str(), "a", stdout) || !freopen(err.c_str(), "a", stderr)) _exit(126);
        if (chdir(fWorkDir.c_str()) != 0) _exit(126);
        setenv("XDG_DATA_HOME", data.c_str(), 1);
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        setenv("GSETTINGS_BACKEND", "memory", 1);
        std::vector<char*> argv{const_cast<char*>(PINTARO_PROGRAM)};
        for (std::string& a : fArgs) argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(PINTARO_PROGRAM, argv.data());
        _exit(127);
    }
    if (fPid < 0) throw std::runtime_error("cannot start pintaro");
}

Program::~Program() {
    if (fPid > 0 && running()) {
        kill(fPid, SIGTERM);
        if (!poll::until("pintaro to end after SIGTERM", [&] { return !running(); })) {
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
    Display* display = openDisplay();
    std::vector<KeyCode> codes;
    for (const std::string& name : keysyms) {
        const KeyCode code = XKeysymToKeycode(display, XStringToKeysym(name.c_str()));
        if (code == 0) throw std::runtime_error("no key code for " + name);
        codes.push_back(code);
    }
    for (KeyCode c : codes) XTestFakeKeyEvent(display, c, True, 0);
    for (auto it = codes.rbegin(); it != codes.rend(); ++it) XTestFakeKeyEvent(display, *it, False, 0);
    XSync(display, False);
    XCloseDisplay(display);
}

void Program::command(const std::string& text) const {
    type(text);
    keys("key Return");
}

void Program::keysTo(const std::string& windowId, const std::string& keys) const {
    std::system(("xdotool windowfocus --sync " + windowId + " " + keys).c_str());
}

namespace {

// How a file dialog looks, from one picture of it: "enabled" or "disabled"
// for its accept button, the last one in its bottom-right corner, and, for
// a dialog whose name field is its top row (a save dialog), whether that
// field shows text. The theme draws a disabled button's label in light
// grey, an enabled one's in near black, both on a light face; a window
// mapped but not painted yet may be black there, which is no enabled
// button. The button means something only together with the name: it is
// enabled as soon as the dialog shows its folder, with the field still
// empty, and yet the dialog drops Return until it can take the name.
std::string dialogLook(const std::string& dialogId, const std::string& workDir, bool nameInTopRow) {
    const std::string file = workDir + "/dialog-shot.png";
    shell("import -window " + dialogId + " " + file + " 2>/dev/null");
    const auto shot = tryLoadPicture(file);
    // The picture's own size: the dialog may still be growing to its final
    // size while it is taken.
    const int width = shot ? shot->width() : 0, height = shot ? shot->height() : 0;
    if (width < 500 || height < 50) return "no picture of the dialog";
    const auto sum = [&](int x, int y) {
        const raster::Color c = shot->pixel(x, y);
        return c.r + c.g + c.b;
    };
    int darkest = 3 * 255, brightest = 0;
    for (int y = height - 34; y < height - 10; ++y)
        for (int x = width - 80; x < width - 10; ++x) {
            darkest = std::min(darkest, sum(x, y));
            brightest = std::max(brightest, sum(x, y));
        }
    if (brightest < 3 * 200) return "not drawn";
    const std::string button = darkest < 3 * 70 ? "enabled" : "disabled";
    if (!nameInTopRow) return button;
    // Columns of dark text in the field; its cursor alone is one or two.
    int textColumns = 0;
    for (int x = 70; x < 400; ++x)
        for (int y = 8; y < 40; ++y)
            if (sum(x, y) < 3 * 100) {
                ++textColumns;
                break;
            }
    return button + (textColumns > 4 ? ", name shown" : ", no name shown");
}

}  // namespace

testing::AssertionResult Program::chooseFile(const std::string& dialogTitle, const std::string& name,
                                             bool locationField) const {
    if (name.find('/') != std::string::npos)
        return testing::AssertionFailure() << "not a name in the dialog's folder: " << name;
    const auto ids = visibleWindows("^" + dialogTitle + "$");
    if (ids.empty()) return testing::AssertionFailure() << "no window titled " << dialogTitle;
    keysTo(ids.front(), locationField ? "key ctrl+l" : "key ctrl+a");
    type(name);
    // On a busy machine the dialog takes a while after it shows before it
    // can take a name: meanwhile it drops Return and keeps what was typed
    // in the field. It can once a picture drawn after the name arrived
    // shows the accept button enabled. (The location field of an open
    // dialog lies elsewhere; there the button is all that is read.)
    const bool saving = !locationField;
    const auto ready = poll::untilEqual(
        "the accept button of " + dialogTitle, [&] { return dialogLook(ids.front(), fWorkDir, saving); },
        std::string(saving ? "enabled, name shown" : "enabled"));
    if (!ready) return ready;
    keys("key Return");
    return poll::until(
        "the dialog " + dialogTitle + " to close", [&] { return visibleWindows("^" + dialogTitle + "$"); },
        [](const auto& shown) { return shown.empty(); });
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

testing::AssertionResult Program::exitsWith(int status) {
    const auto ended = poll::until("pintaro to end", [&] { return !running(); });
    if (!ended) return ended;
    if (fExitStatus != status)
        return testing::AssertionFailure() << "pintaro ended with status " << fExitStatus << ", not " << status;
    return testing::AssertionSuccess();
}

namespace {

bool bright(raster::Color c) { return c.r > 100 && c.g > 100 && c.b > 100; }

std::string hex(raster::Color c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", c.r, c.g, c.b);
    return text;
}

std::string spotText(const Program::Spot& s, const std::string& shown) {
    char place[48];
    std::snprintf(place, sizeof place, "(%d,%d) ", s.x, s.y);
    return place + shown;
}

}  // namespace

raster::Color Program::ViewShot::at(int imageX, int imageY) const {
    return shot->pixel(originX + imageX, originY + imageY);
}

Program::ViewShot Program::viewShot(int imageWidth, int imageHeight) const {
    ViewShot v;
    const std::string file = fWorkDir + "/view-shot.png";
    shell("import -window " + fMainWindow + " " + file + " 2>/dev/null");
    auto shot = tryLoadPicture(file);
    if (!shot) {
        v.missing = "no picture of the main window";
        return v;
    }
    const raster::Image& s = *shot;
    const raster::Color black(0, 0, 0, 255);
    // The view is the black area between toolbar and command line: find it
    // along a column near the left edge and along the middle row.
    int top = -1, bottom = -1;
    for (int y = 0; y < s.height(); ++y)
        if (s.pixel(4, y) == black) {
            if (top < 0) top = y;
            bottom = y;
        }
    if (top < 0) {
        v.missing = "no drawing view in the main window";
        return v;
    }
    const int middle = (top + bottom) / 2;
    int left = -1, right = -1;
    for (int x = 0; x < s.width(); ++x)
        if (s.pixel(x, middle) == black) {
            if (left < 0) left = x;
            right = x;
        }
    v.originX = left + (right - left + 1 - imageWidth) / 2;
    v.originY = top + (bottom - top + 1 - imageHeight) / 2;
    v.shot = std::move(shot);
    return v;
}

std::string Program::lookAtView(const std::vector<Spot>& spots, int imageWidth, int imageHeight) const {
    const ViewShot view = viewShot(imageWidth, imageHeight);
    if (!view.shot) return view.missing;
    std::string seen;
    for (const Spot& spot : spots) {
        std::string shown;
        if (spot.want == "lit" || spot.want == "dark") {
            bool lit = false;
            for (int d = -1; d <= 1; ++d) lit = lit || bright(view.at(spot.x + d, spot.y));
            shown = lit ? "lit" : "dark";
        } else {
            shown = hex(view.at(spot.x, spot.y));
        }
        seen += (seen.empty() ? "" : ", ") + spotText(spot, shown);
    }
    return seen;
}

testing::AssertionResult Program::viewShows(const std::vector<Spot>& spots, int imageWidth, int imageHeight) const {
    std::string wanted;
    for (const Spot& spot : spots) wanted += (wanted.empty() ? "" : ", ") + spotText(spot, spot.want);
    return poll::untilEqual(
        "the drawing view", [&] { return lookAtView(spots, imageWidth, imageHeight); }, wanted);
}

}  // namespace driver
