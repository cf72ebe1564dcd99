// The program's windows, built on its state once the toolkit is
// initialised, with every handler attached. Nothing is shown yet.
//
// The main window is built at once; the rest (resize dialog, console
// window and its words, the editor commands) is built right after the main
// window's first paint, or on first use if that comes before, so that the
// first paint does not wait for windows nobody sees yet. The toolkit builds
// it before any key, click or drop is handled (toolkit::AfterFirstPaint).
#pragma once

#include <memory>

#include "toolkit/after_first_paint.h"
#include "app_state.h"
#include "console_window.h"
#include "editor_commands.h"
#include "main_window.h"
#include "resize_dialog.h"

namespace app {

struct Ui {
    explicit Ui(AppState& state);
    ~Ui();

    MainWindow main;

    // Each builds the rest first if it is not built yet.
    ResizeDialog& resize();
    ConsoleWindow& console();
    // Help, completion and saving the script: keys and right-click menus.
    EditorTools& editorTools();

    // Shows the main window with the keyboard focus in the command line.
    void show();

private:
    struct Rest;
    Rest& rest();

    AppState& fState;
    // Declared after `main`, so that it goes first, as the windows it
    // holds did when they were members.
    std::unique_ptr<Rest> fRest;
    // Last: it goes before anything it could build.
    toolkit::AfterFirstPaint fBuildRest;
};

}  // namespace app
