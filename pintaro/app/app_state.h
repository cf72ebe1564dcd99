// What the drawing program keeps for its whole run apart from its windows:
// the interpreter, the turtle with its image, the file last opened or
// saved, the command history, the drawing's history and the two file
// dialogs. Built before the
// toolkit is initialised; the windows are built on top of it.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "command_history.h"
#include "console_run.h"
#include "drawing_history.h"
#include "toolkit/events.h"
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
    // Shows the console window; empty while there is none.
    std::function<void()> showConsole;
    // Shows what scripts printed that the console has not shown yet; empty
    // while there is no console.
    std::function<void()> flushConsole;
    // Puts an opened picture's script into the console's editor if the
    // editor is empty; true when it did. Empty while there is no console.
    std::function<bool(const std::string&)> offerScript;
    // Runs a console script watched word by word (and started again for a
    // step back). Empty until the commands that do it exist: the script
    // then runs plainly.
    std::function<std::optional<ScriptFailure>(const std::string&, const forth::LineObserver&)> runConsoleText;
    // The command line's editing commands (help, completion) for a key of
    // the main window; true when the key was one. Empty until they exist.
    std::function<bool(toolkit::KeyEvent&)> commandLineKeys;
    // The same for a key of the console window, for its script editor.
    std::function<bool(toolkit::KeyEvent&)> scriptKeys;
};

}  // namespace app
