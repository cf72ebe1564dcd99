// The main window: toolbar with the file commands and the status label, the
// drawing view, and the command line under it; its shortcuts, the title
// rule and the question before an unsaved drawing is given up.
#pragma once

#include <functional>
#include <string>

#include "about.h"
#include "app_state.h"
#include "toolkit/button.h"
#include "toolkit/control.h"
#include "toolkit/label.h"
#include "toolkit/layout_container.h"
#include "resize_dialog.h"
#include "status_line.h"
#include "toolkit/text_box.h"
#include "toolkit/window.h"

namespace app {

struct MainWindow {
    // The window first: it goes last, after the controls it shows.
    toolkit::Window window;
    toolkit::LayoutContainer root{toolkit::Layout_Vertical};
    toolkit::LayoutContainer toolbar{toolkit::Layout_Horizontal};
    toolkit::Button newButton{"New"};
    toolkit::Button openButton{"Open"};
    toolkit::Button saveButton{"Save"};
    toolkit::Button resizeButton{"Resize"};
    toolkit::Button consoleButton{"Console"};
    StatusLine status{kWelcomeText};
    toolkit::Button aboutButton{"About"};
    toolkit::Control view;
    toolkit::TextBox commandLine;

    // Builds the window and its layout, hidden and without handlers.
    MainWindow();

    // Shows a message in an alert box titled "Pintaro" over this window.
    void alert(const std::string& message);
};

// Attaches every handler of the main window: toolbar buttons, shortcuts,
// command line, drawing view and the close question. `resize` gives the
// resize dialog when the Resize button needs it (it may be built then).
void attachMainWindowHandlers(MainWindow& w, AppState& state, std::function<ResizeDialog&()> resize);

// Runs one command-line entry the way Return does: run the text, repaint or
// show the error, remember the entry and empty the line.
void enterCommand(MainWindow& w, AppState& state);

// True when the drawing may be given up: it has no unsaved changes, or the
// user answered the question with its first button.
bool mayDiscardDrawing(MainWindow& w, AppState& state, const std::string& question, const std::string& go,
                       const std::string& keep);

}  // namespace app
