// The "Forth console" window: a button bar ("Load...", "Run", "Clear" and a
// status label) over the script editor and the console output, side by
// side. Made once, hidden, right after the main window's first paint (see
// ui.h); closing it only hides it again, so the script, the output and the
// interpreter state stay.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "app_state.h"
#include "toolkit/button.h"
#include "toolkit/label.h"
#include "toolkit/layout_container.h"
#include "main_window.h"
#include "run_guard.h"
#include "script_keeping.h"
#include "status_line.h"
#include "toolkit/text_area.h"
#include "toolkit/window.h"

namespace app {

struct ConsoleWindow {
    // The window first: it goes last, after the controls it shows.
    toolkit::Window window;
    toolkit::LayoutContainer root{toolkit::Layout_Vertical};
    toolkit::LayoutContainer buttonBar{toolkit::Layout_Horizontal};
    toolkit::Button loadButton{"Load..."};
    toolkit::Button runButton{"Run"};
    toolkit::Button clearButton{"Clear"};
    StatusLine status{"F5 to run"};
    toolkit::LayoutContainer textRow{toolkit::Layout_Horizontal};
    toolkit::TextArea editor;
    toolkit::TextArea output;
    // Printed text not yet handed to `output`. Handing text over makes the
    // toolkit handle every pending event, which for a script printing word
    // after word would cost far more than the printing; so output is
    // gathered and shown once per breath of the run (and when it ends).
    std::string pendingOutput;
    // What the label says for the console's own run going on; empty when
    // none does.
    std::string runNote;
    // The file the script was loaded from or saved to, and its text then.
    ScriptKeeping keeping;

    // Builds the hidden window and its layout, without handlers.
    ConsoleWindow();

    // Shows the window and puts the keyboard focus into the editor.
    void show();
    void append(std::string_view text) { pendingOutput += text; }
    // Shows the gathered output at the end of the console output.
    void flushOutput();
    // Says what the console's run does now in the status label.
    void showRunNote(const std::string& note);
    // Selects line `index` of the editor (counted from 0) and scrolls it into view.
    void selectLine(std::size_t index);
};

// Registers the console words on the program's interpreter and prints the
// two banner lines. `alert` and `confirm` open their boxes over the main
// window; `bye` quits like Control+Q.
void registerConsole(ConsoleWindow& c, AppState& state, MainWindow& w);

// The buttons, keys (F5, left Control + R and + L, Escape during a run) and
// close button of the console, and the main window's way to show it.
void attachConsoleHandlers(ConsoleWindow& c, AppState& state, MainWindow& w);

// Runs the editor's text line by line. A clean run repaints the drawing
// view and prints "ok"; a failed one shows the error and its line number
// over the console, then selects that line in the editor. Refused, with a
// note in the status label, while another run is in progress.
void runConsoleScript(ConsoleWindow& c, AppState& state, MainWindow& w);

// Shows kBusyNote in the status label until the run in progress ends, then
// puts back the message before it (unless another message came meanwhile).
void noteRefusedRun(StatusLine& status, RunGuard& runs);

// "Load...": the open dialog titled "Load script", then the file's text
// into the editor. A file that cannot be read or is no text is reported
// over the main window and the editor keeps its text.
void loadScript(ConsoleWindow& c, AppState& state, MainWindow& w);
// The same without the dialog: the script at `path` into the editor (true),
// or the error over the main window (false).
bool loadScriptFile(ConsoleWindow& c, MainWindow& w, const std::string& path);

}  // namespace app
