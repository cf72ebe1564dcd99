#include "file_commands.h"

#include <exception>

#include "about.h"
#include "errors.h"
#include "image_files.h"
#include "image_format.h"

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
    state.currentFilePath.clear();
    w.window.setTitle(windowTitleFor(state.currentFilePath));
}

void openCommand(AppState& state, MainWindow& w) {
    toolkit::OpenFileDialog& dialog = state.openDialog;
    dialog.fTitle = "Open image";
    dialog.run(&w.window);
    if (dialog.fFiles.empty()) {
        w.status.setText("Open canceled.");
        return;
    }
    const std::string path = dialog.fFiles.front();
    try {
        turtle::openImage(state.turtle, path);
    } catch (const std::exception& e) {
        // The image is now the black start image; show it behind the alert.
        w.view.forceRedraw();
        w.alert(forth::errorText(e));
        return;
    }
    w.window.setTitle(windowTitleFor(path));
    state.currentFilePath = path;
    w.view.forceRedraw();
}

void saveCommand(AppState& state, MainWindow& w) {
    toolkit::SaveFileDialog& dialog = state.saveDialog;
    const turtle::PathParts current = turtle::splitPath(state.currentFilePath);
    dialog.fDirectory = current.folder;
    dialog.fDefaultName = current.name + current.extension;
    dialog.run(&w.window);
    const std::string path = dialog.fFile;
    if (path.empty()) {
        w.status.setText("Save canceled.");
        return;
    }
    try {
        // Refuses unknown extensions before writing anything; a failed write
        // leaves the unsaved flag set, so the drawing is still protected.
        turtle::saveImage(state.turtle, path);
    } catch (const std::exception& e) {
        w.alert(forth::errorText(e));
        return;
    }
    w.status.setText("Saved as " + fileNameOf(path));
    w.window.setTitle(windowTitleFor(path));
    state.currentFilePath = path;
}

void resizeCommand(AppState& state, MainWindow& w, int width, int height) {
    turtle::resizeImage(state.turtle, width, height);
    w.view.forceRedraw();
}

}  // namespace app
