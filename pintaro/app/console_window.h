// The "Forth console" window: a button bar ("Load...", "Run", "Clear" and a
// status label) over the script editor and the console output, side by
// side. Made once, hidden, right after the main window's first paint (see
// ui.h); closing it only hides it again, so the script, the output and the
// interpreter state stay. Its handlers and commands are console_handlers.h.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "toolkit/application.h"
#include "toolkit/button.h"
#include "toolkit/file_dialogs.h"
#include "toolkit/label.h"
#include "toolkit/layout_container.h"
#include "status_line.h"
#include "toolkit/text_area.h"
#include "toolkit/window.h"

namespace app {

// The console's script as a file: where it was loaded from or saved to, and
// the text as it was then, so that unsaved text is never replaced without a
// question (script_keeping.h).
struct ScriptKeeping {
    ScriptKeeping();

    std::string path;       // empty until a load or save
    std::string savedText;  // the editor's text as loaded or saved
    toolkit::SaveFileDialog dialog;  // "Save script"; the image's dialog is not touched
};

struct ConsoleWindow {
    // The application the window belongs to: its keys held, its alerts.
    toolkit::Application& app;
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
    explicit ConsoleWindow(toolkit::Application& app);

    // Shows the window and puts the keyboard focus into the editor.
    void show();
    void append(std::string_view text) { pendingOutput += text; }
    // Shows the gathered output at the end of the console output.
    void flushOutput();
    // Says what the console's run does now in the status label.
    void showRunNote(const std::string& note);
    // Selects line `index` of the editor (counted from 0) and scrolls it into view.
    void selectLine(std::size_t index);
    // Puts an opened picture's script into the editor if the editor is
    // empty, never over the user's own text; true when it did.
    bool offerScript(const std::string& script);
};

}  // namespace app
