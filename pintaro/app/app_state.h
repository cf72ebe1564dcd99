// What the drawing program keeps for its whole run apart from its windows:
// the interpreter, the turtle with its image, the file last opened or
// saved, the command history, the drawing's history and the two file
// dialogs. State only: it knows no window, and the windows reach each other
// through what the Ui (ui.h), which owns them, hands them. Built before the
// toolkit is initialised; the windows are built on top of it.
#pragma once

#include <string>

#include "command_history.h"
#include "drawing_history.h"
#include "toolkit/file_dialogs.h"
#include "forth/interp.h"
#include "run_guard.h"
#include "turtle/turtle.h"

namespace app {

struct AppState {
    // The interpreter with the core words, then the turtle words (which make
    // the 640 x 400 start image). GTK must be loaded.
    AppState();

    forth::Interp interp;
    // Every run goes through it: one at a time, breathing, Escape stops it.
    RunGuard runs;
    turtle::TurtleState turtle;
    std::string currentFilePath;  // empty at start and after New
    CommandHistory history;
    // The steps of the drawing for undo and redo, and its script.
    DrawingHistory drawingHistory;
    bool gridShown = false;  // the coordinate grid over the drawing view
    toolkit::OpenFileDialog openDialog;  // shared with the script loader
    toolkit::SaveFileDialog saveDialog;
};

}  // namespace app
