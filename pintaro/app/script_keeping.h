// The console's script as a file: where it was loaded from or saved to,
// the text as it was then (so that unsaved text is never replaced without
// a question), and Save and Save As with their own dialog.
#pragma once

#include <string>

#include "toolkit/file_dialogs.h"

namespace app {

struct ConsoleWindow;
struct MainWindow;
struct AppState;

struct ScriptKeeping {
    ScriptKeeping();

    std::string path;       // empty until a load or save
    std::string savedText;  // the editor's text as loaded or saved
    toolkit::SaveFileDialog dialog;  // "Save script"; the image's dialog is not touched
};

// Control+S: writes the editor's text, byte for byte, to the script's file,
// asking for a name first when it has none (or always, with `askName`).
// The status label says "Saved as NAME" or "Save canceled."; a failed write
// shows an alert over the console and the file stays as it was.
void saveScript(ConsoleWindow& c, bool askName);

// True when the editor's text may be replaced: it is what was last loaded
// or saved (or empty), or the user answered `question` with `go`. Text
// typed without ever loading or saving is asked about only with
// `scratchToo`: "Load..." has always replaced it at once, and a learner who
// loads a file over it chose that file in a dialog; an example replaces it
// from one click.
bool mayReplaceScript(ConsoleWindow& c, const std::string& question, const std::string& go, bool scratchToo);

// The editor now holds `text` from the file at `path` (a load, an example).
void scriptLoaded(ConsoleWindow& c, const std::string& path, const std::string& text);

}  // namespace app
