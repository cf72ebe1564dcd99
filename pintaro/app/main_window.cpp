#include "main_window.h"

#include <initializer_list>
#include <string>

#include "app_limits.h"
#include "turtle/image_format.h"
#include "message_box.h"

namespace app {

using namespace toolkit;

MainWindow::MainWindow(Application& application) : app(application), window(kProgramTitle) {
    window.setSize(limits::kMainWidth, limits::kMainHeight);

    root.setWidthMode(WidthMode_Fill);
    root.setHeightMode(HeightMode_Fill);
    toolbar.setWidthMode(WidthMode_Fill);
    status.label.setWidthMode(WidthMode_Fill);
    status.label.setHeightMode(HeightMode_Fill);
    status.label.setTextAlign(XTextAlign_Center, YTextAlign_Center);
    view.setWidthMode(WidthMode_Fill);
    view.setHeightMode(HeightMode_Fill);
    commandLine.setWidthMode(WidthMode_Fill);

    for (Control* c : std::initializer_list<Control*>{&newButton, &openButton, &saveButton, &resizeButton,
                                                      &consoleButton, &status.label, &aboutButton})
        toolbar.add(*c);
    root.add(toolbar);
    root.add(view);
    root.add(commandLine);
    window.add(root);
}

void MainWindow::alert(const std::string& message) {
    app.alertBox(&window, message, kProgramTitle);
}

bool mayDiscardDrawing(MainWindow& w, AppState& state, const std::string& question, const std::string& go,
                       const std::string& keep) {
    if (!state.turtle.unsaved) return true;
    return messageBox(w.app, w.window, question, kProgramTitle, go, keep) == 1;
}

std::string fileNameOf(std::string_view path) {
    const turtle::PathParts p = turtle::splitPath(path);
    return p.name + p.extension;
}

std::string windowTitleFor(std::string_view path) {
    if (path.empty()) return kProgramTitle;
    return fileNameOf(path) + " | " + kProgramTitle;
}

}  // namespace app
