// The console's words and handlers, and the commands they run: Run (a
// script line by line, watched by the run stepper) and Load.
#pragma once

#include <functional>
#include <string>

#include "app_state.h"
#include "console_window.h"
#include "toolkit/events.h"
#include "main_window.h"
#include "run_stepper.h"

namespace app {

// Registers the console words on the program's interpreter and prints the
// two banner lines. `alert` and `confirm` open their boxes over the main
// window; `bye` quits like Control+Q.
void registerConsole(ConsoleWindow& c, AppState& state, MainWindow& w);

// The buttons, keys (F5, left Control + R and + L, Escape during a run) and
// close button of the console. Its runs go through `stepper`; a key none
// of the console's own takes goes to `editorKeys`, the editor commands of
// the script editor (true when the key was one).
void attachConsoleHandlers(ConsoleWindow& c, AppState& state, MainWindow& w, RunStepper& stepper,
                           std::function<bool(toolkit::KeyEvent&)> editorKeys);

// Runs the editor's text line by line, watched by `stepper` (its speed,
// pause and steps back). A clean run repaints the drawing view and prints
// "ok"; a failed one shows the error and its line number over the console,
// then selects that line in the editor. Refused, with a note in the status
// label, while another run is in progress.
void runConsoleScript(ConsoleWindow& c, AppState& state, MainWindow& w, RunStepper& stepper);

// "Load...": the open dialog titled "Load script", then the file's text
// into the editor. A file that cannot be read or is no text is reported
// over the main window and the editor keeps its text.
void loadScript(ConsoleWindow& c, AppState& state, MainWindow& w);
// The same without the dialog: the script at `path` into the editor (true),
// or the error over the main window (false).
bool loadScriptFile(ConsoleWindow& c, MainWindow& w, const std::string& path);

}  // namespace app
