#include "drop_open.h"

#include "console_window.h"
#include "main_window.h"
#include "open_given_file.h"
#include "refused_run.h"
#include "script_keeping.h"

namespace app {

namespace {

void openDropped(ConsoleWindow& c, AppState& state, MainWindow& w, const std::string& path) {
    // The questions come first, as in Load and Open; then the one way a
    // file handed to the program is opened.
    if (isScriptFile(path)) {
        c.show();
        if (!mayReplaceScript(c, "Script isn't saved. Load another?", "Load", true)) return;
    } else if (!mayDiscardDrawing(w, state, "Drawing isn't saved. Open another?", "Open", "Keep")) {
        return;
    }
    openGivenFile(state, w, c, path);
}

}  // namespace

void attachDropToOpen(ConsoleWindow& c, AppState& state, MainWindow& w) {
    auto dropped = [&c, &state, &w](toolkit::DropFilesEvent& e) {
        if (e.files.empty()) return;
        // Nothing is opened under a running script: it would draw on the new picture.
        if (state.runs.running()) {
            noteRefusedRun(w.status, state.runs);
            return;
        }
        openDropped(c, state, w, e.files.front());
    };
    w.window.setOnDropFiles(dropped);
    c.window.setOnDropFiles(dropped);
}

}  // namespace app
