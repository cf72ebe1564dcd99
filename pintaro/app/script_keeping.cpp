#include "script_keeping.h"

#include <exception>

#include "about.h"
#include "toolkit/application.h"
#include "raster/atomic_file.h"
#include "console_window.h"
#include "forth/errors.h"
#include "message_box.h"
#include "turtle/image_format.h"

namespace app {

ScriptKeeping::ScriptKeeping() { dialog.fTitle = "Save script"; }

void saveScript(ConsoleWindow& c, bool askName) {
    ScriptKeeping& k = c.keeping;
    std::string path = k.path;
    if (path.empty() || askName) {
        const turtle::PathParts current = turtle::splitPath(k.path);
        k.dialog.fDirectory = current.folder;
        k.dialog.fDefaultName = k.path.empty() ? "script.fs" : current.name + current.extension;
        k.dialog.run(&c.window);
        path = k.dialog.fFile;
        if (path.empty()) {
            c.status.setMessage("Save canceled.");
            return;
        }
    }
    const std::string text = c.editor.text();
    try {
        // A failed write raises with its reason; the old file stays whole.
        raster::writeFileAtomically(path, [&](raster::FileOutput& out) { out.write(text.data(), text.size()); });
    } catch (const std::exception& e) {
        toolkit::Application::current().alertBox(&c.window, forth::errorText(e), kProgramTitle);
        return;
    }
    k.path = path;
    k.savedText = text;
    const turtle::PathParts saved = turtle::splitPath(path);
    c.status.setMessage("Saved as " + saved.name + saved.extension);
}

bool mayReplaceScript(ConsoleWindow& c, const std::string& question, const std::string& go, bool scratchToo) {
    const std::string text = c.editor.text();
    if (text.empty() || text == c.keeping.savedText) return true;
    if (c.keeping.path.empty() && !scratchToo) return true;
    return messageBox(c.window, question, kProgramTitle, go, "Keep") == 1;
}

void scriptLoaded(ConsoleWindow& c, const std::string& path, const std::string& text) {
    c.keeping.path = path;
    c.keeping.savedText = text;
}

}  // namespace app
