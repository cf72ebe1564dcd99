// Drives the real pintaro program under an X server the way a user does:
// starts it, types and presses keys through xdotool, asks windows to close
// like a window manager would, and reads back titles, windows and pixels.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "raster/image.h"

namespace driver {

// The file that takes the standard error of a program started in `workDir`.
std::string programStderr(const std::string& workDir);

// Output of a shell command (trailing line feeds removed).
std::string shell(const std::string& command);
// A window's X, Y, WIDTH and HEIGHT (and SCREEN), as xdotool reports them.
std::map<std::string, int> windowGeometry(const std::string& window);

// Ids of the visible windows whose title matches the regular expression.
std::vector<std::string> visibleWindows(const std::string& titleRegex);

// The same for an exact title, asked of the X server directly: no process
// is started, so a look takes well under a millisecond (for timing).
std::vector<std::string> visibleWindowsTitled(const std::string& title);

// True when the window says it is a dialog (_NET_WM_WINDOW_TYPE), as GTK's
// own dialogs and the program's boxes do.
bool isDialog(const std::string& windowId);

// Sends WM_DELETE_WINDOW, as a window manager's close button does.
void requestClose(const std::string& windowId);

// Width and height of the first icon the window offers the window manager
// (_NET_WM_ICON), or 0 x 0 when it has none.
std::pair<long, long> windowIconSize(const std::string& windowId);

// Loads a PNG file (or screenshot) for reading pixels.
std::unique_ptr<raster::Image> loadPicture(const std::string& path);
// The same, or null while the file is missing or cannot be read (yet).
std::unique_ptr<raster::Image> tryLoadPicture(const std::string& path);

class Program {
public:
    // Starts the program, waits for its main window and gives it the
    // keyboard focus as a window manager would; its files go to `workDir`.
    explicit Program(const std::string& workDir);
    // The same with arguments for pintaro; its main window is the first
    // window that is no dialog and whose title matches `mainTitle`.
    Program(const std::string& workDir, std::vector<std::string> args, const std::string& mainTitle);
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
    // Runs the file dialog with this title, which must be showing: types
    // the name into its name field (into its location field, opened with
    // Control+L, when `locationField`) and accepts it. The dialogs open in
    // the program's folder, the test's; a name with a folder would make the
    // dialog load that folder while the keys arrive, which it does not
    // always survive.
    testing::AssertionResult chooseFile(const std::string& dialogTitle, const std::string& name,
                                        bool locationField) const;

    // Waits for the process to end with this exit status.
    testing::AssertionResult exitsWith(int status);
    bool running();

    // A point of the image as the drawing view should show it: "lit" (a line
    // passes: one of the three pixels around it is bright, since a line at
    // an integer position is antialiased over two), "dark" (none is), or
    // an exact colour "#RRGGBB".
    struct Spot {
        int x;
        int y;
        std::string want;
    };
    // Waits until the drawing view shows every spot as wanted, the image
    // being `imageWidth` x `imageHeight` and centred in the view.
    testing::AssertionResult viewShows(const std::vector<Spot>& spots, int imageWidth = 640,
                                       int imageHeight = 400) const;

    // One look at the drawing view, without waiting: the main window's
    // picture and where image pixel (0, 0) lies in it. Without a picture,
    // `missing` says why; tests wait on what they read from it.
    struct ViewShot {
        std::unique_ptr<raster::Image> shot;
        int originX = 0;
        int originY = 0;
        std::string missing;
        raster::Color at(int imageX, int imageY) const;
    };
    ViewShot viewShot(int imageWidth = 640, int imageHeight = 400) const;

private:
    void launch();
    // What the view shows at the spots, in their own terms.
    std::string lookAtView(const std::vector<Spot>& spots, int imageWidth, int imageHeight) const;

    pid_t fPid = -1;
    std::string fWorkDir;
    std::vector<std::string> fArgs;
    std::string fMainWindow;
    int fExitStatus = -1;
};

}  // namespace driver
