// Small X11 actions the GUI tests need and xdotool does not do exactly:
//   x11_helper close <window id>     WM_DELETE_WINDOW, as a window manager's close button
//   x11_helper down|up <keysym>      press or release exactly the key of that keysym
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: x11_helper close <window id> | down <keysym> | up <keysym>\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 1;
    int status = 0;
    if (std::strcmp(argv[1], "close") == 0) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = std::strtoul(argv[2], nullptr, 0);
        e.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, e.xclient.window, False, NoEventMask, &e);
    } else {
        const KeySym sym = XStringToKeysym(argv[2]);
        const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(display, sym);
        if (code == 0) {
            std::fprintf(stderr, "no key for %s\n", argv[2]);
            status = 1;
        } else {
            XTestFakeKeyEvent(display, code, std::strcmp(argv[1], "down") == 0, CurrentTime);
        }
    }
    XSync(display, False);
    XCloseDisplay(display);
    return status;
}
