// The program's windows, built on its state once the toolkit is
// initialised, with every handler attached. Nothing is shown yet.
#pragma once

#include "app_state.h"
#include "console_window.h"
#include "editor_commands.h"
#include "main_window.h"
#include "resize_dialog.h"

namespace app {

struct Ui {
    explicit Ui(AppState& state);

    MainWindow main;
    ResizeDialog resize;
    ConsoleWindow console;
    // Help, completion and saving the script: keys and right-click menus.
    EditorTools editorTools;

    // Shows the main window with the keyboard focus in the command line.
    void show();
};

}  // namespace app
