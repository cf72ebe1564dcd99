#include "file_commands.h"

#include <exception>
#include <optional>
#include <utility>

#include "about.h"
#include "turtle/drawing_script.h"
#include "drawing_steps.h"
#include "forth/errors.h"
#include "turtle/image_files.h"
#include "turtle/image_format.h"

namespace app {

namespace {
std::string fileNameOf(std::string_view path) {
    const turtle::PathParts p = turtle::splitPath(path);
    return p.name + p.extension;
}
}  // namespace

std::string windowTitleFor(std::string_view path) {
    if (path.empty()) return kProgramTitle;
    return fileNameOf(path) + " | " + kProgramTitle;
}

void newCommand(AppState& state, MainWindow& w) {
    try {
        turtle::newImage(state.turtle);
    } catch (const std::exception& e) {
        // Only a machine out of memory gets here; say so instead of ending.
        w.view.forceRedraw();
        w.alert(forth::errorText(e));
        return;
    }
    w.view.forceRedraw();
    std::string previous = std::move(state.currentFilePath);
    state.currentFilePath.clear();
    recordStart(state, "New", turtle::DrawingStart::New, std::move(previous));
    w.window.setTitle(windowTitleFor(state.currentFilePath));
}

void openCommand(AppState& state, MainWindow& w) {
    toolkit::OpenFileDialog& dialog = state.openDialog;
    dialog.fTitle = "Open image";
    dialog.run(&w.window);
    if (dialog.fFiles.empty()) {
        w.status.setMessage("Open canceled.");
        return;
    }
    openPictureFile(state, w, dialog.fFiles.front());
}

void openPictureFile(AppState& state, MainWindow& w, const std::string& path) {
    const std::string label = "Open " + fileNameOf(path);
    std::optional<std::string> script;
    try {
        script = turtle::openImage(state.turtle, path);
    } catch (const std::exception& e) {
        // The image is now the black start image; show it behind the alert.
        recordStart(state, label, turtle::DrawingStart::StartImage, state.currentFilePath);
        w.view.forceRedraw();
        w.alert(forth::errorText(e));
        return;
    }
    w.window.setTitle(windowTitleFor(path));
    std::string previous = std::exchange(state.currentFilePath, path);
    recordStart(state, label, turtle::DrawingStart::Opened, std::move(previous), fileNameOf(path));
    w.view.forceRedraw();
    // The script that drew the picture, ready to read or run again.
    if (script && state.offerScript && state.offerScript(*script))
        w.status.setMessage("The picture's script is in the console.");
}

void saveCommand(AppState& state, MainWindow& w) {
    toolkit::SaveFileDialog& dialog = state.saveDialog;
    const turtle::PathParts current = turtle::splitPath(state.currentFilePath);
    dialog.fDirectory = current.folder;
    dialog.fDefaultName = current.name + current.extension;
    dialog.run(&w.window);
    const std::string path = dialog.fFile;
    if (path.empty()) {
        w.status.setMessage("Save canceled.");
        return;
    }
    try {
        // Refuses unknown extensions before writing anything; a failed write
        // leaves the unsaved flag set, so the drawing is still protected.
        turtle::saveImage(state.turtle, path, state.drawingHistory.script());
    } catch (const std::exception& e) {
        w.alert(forth::errorText(e));
        return;
    }
    state.drawingHistory.markSaved();
    w.status.setMessage("Saved as " + fileNameOf(path));
    w.window.setTitle(windowTitleFor(path));
    state.currentFilePath = path;
}

void resizeCommand(AppState& state, MainWindow& w, int width, int height) {
    turtle::resizeImage(state.turtle, width, height);
    // No word can resize; the script notes it, and replay does it there.
    DrawingHistory::Step step;
    step.label = "Resize to " + std::to_string(width) + " x " + std::to_string(height);
    step.script = turtle::resizeNote(width, height);
    state.drawingHistory.record(state.turtle, std::move(step));
    w.view.forceRedraw();
}

}  // namespace app
