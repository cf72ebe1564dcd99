// The main window's handlers: toolbar buttons, shortcuts, the command line,
// the drawing view's pointer and the close question.
#pragma once

#include <functional>

#include "app_state.h"
#include "console_window.h"
#include "toolkit/events.h"
#include "main_window.h"
#include "resize_dialog.h"

namespace app {

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

}  // namespace app
