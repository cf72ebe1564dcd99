// The main window: toolbar with the file commands and the status label, the
// drawing view, and the command line under it; its shortcuts, the title
// rule and the question before an unsaved drawing is given up.
#pragma once

#include <functional>
#include <string>

#include "about.h"
#include "app_state.h"
#include "application.h"
#include "button.h"
#include "control.h"
#include "label.h"
#include "layout_container.h"
#include "resize_dialog.h"
#include "status_line.h"
#include "text_box.h"
#include "window.h"

namespace app {

struct MainWindow {
    // The application the window belongs to: its keys held, its alerts, its quit.
    toolkit::Application& app;
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
    explicit MainWindow(toolkit::Application& app);

    // Shows a message in an alert box titled "Pintaro" over this window.
    void alert(const std::string& message);
};

struct ConsoleWindow;

// What the main window's handlers reach beyond it, handed to them by the
// object that owns both windows. `resize` and `console` give the resize
// dialog and the console window, which may be built only when first asked
// for; `editorKeys` runs the editor command a key is (help, completion ...)
// on the command line, true when the key was one.
struct MainWindowLinks {
    std::function<ResizeDialog&()> resize;
    std::function<ConsoleWindow&()> console;
    std::function<bool(toolkit::KeyEvent&)> editorKeys;
};

// Attaches every handler of the main window: toolbar buttons, shortcuts,
// command line, drawing view and the close question.
void attachMainWindowHandlers(MainWindow& w, AppState& state, MainWindowLinks links);

// Runs one command-line entry the way Return does: run the text, repaint or
// show the error, remember the entry and empty the line. What the text
// printed shows in `console`.
void enterCommand(MainWindow& w, AppState& state, ConsoleWindow& console);

// True when the drawing may be given up: it has no unsaved changes, or the
// user answered the question with its first button.
bool mayDiscardDrawing(MainWindow& w, AppState& state, const std::string& question, const std::string& go,
                       const std::string& keep);

}  // namespace app
