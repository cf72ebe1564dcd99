// Drives the real pintaro program under an X server the way a user does:
// starts it, types and presses keys through xdotool, asks windows to close
// like a window manager would, and reads back titles, windows and pixels.
#pragma once

#include <sys/types.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "image.h"

namespace driver {

// Output of a shell command (trailing line feeds removed).
std::string shell(const std::string& command);

// Polls until `done` holds; false after the time-out.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 8000);

// Ids of the visible windows whose title matches the regular expression.
std::vector<std::string> visibleWindows(const std::string& titleRegex);

// Sends WM_DELETE_WINDOW, as a window manager's close button does.
void requestClose(const std::string& windowId);

// Width and height of the first icon the window offers the window manager
// (_NET_WM_ICON), or 0 x 0 when it has none.
std::pair<long, long> windowIconSize(const std::string& windowId);

// Loads a PNG file (or screenshot) for reading pixels.
std::unique_ptr<toolkit::Image> loadPicture(const std::string& path);

class Program {
public:
    // Starts the program and waits for its main window; its files go to `workDir`.
    explicit Program(const std::string& workDir);
    ~Program();  // ends it if it still runs

    const std::string& mainWindow() const { return fMainWindow; }
    std::string title() const;

    // Keyboard input to the window that has the focus.
    void type(const std::string& text) const;
    void keys(const std::string& keys) const;
    // Holds the keys down in order and releases them in reverse, each by
    // its own key code (xdotool may press the left Control key for the
    // right one).
    void chord(const std::vector<std::string>& keysyms) const;
    // Types the text into the command line and presses Return.
    void command(const std::string& text) const;
    // Gives the window the keyboard focus first.
    void keysTo(const std::string& windowId, const std::string& keys) const;

    // Waits for the process to end; its exit status, or -1 on time-out or
    // when it did not exit normally.
    int waitForExit(int timeoutMs = 8000);
    bool running();

    // A picture of the main window's drawing view, and where image pixel
    // (0, 0) lies in it when the image is `imageWidth` x `imageHeight`.
    struct ViewShot {
        std::unique_ptr<toolkit::Image> shot;
        int originX = 0;
        int originY = 0;
        toolkit::Color at(int imageX, int imageY) const;
        // True when any of the three pixels around the image point is bright
        // (a one-pixel line at an integer position is antialiased over two).
        bool litNear(int imageX, int imageY) const;
    };
    ViewShot viewShot(int imageWidth = 640, int imageHeight = 400) const;

private:
    void launch();

    pid_t fPid = -1;
    std::string fWorkDir;
    std::string fMainWindow;
    int fExitStatus = -1;
};

}  // namespace driver
