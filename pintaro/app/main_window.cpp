#include "main_window.h"

#include "about.h"
#include "app_limits.h"
#include "application.h"
#include "drawing_view.h"
#include "file_commands.h"
#include "message_box.h"
#include "script_run.h"

namespace app {

using namespace toolkit;

namespace {
constexpr const char* kProgramTitle = "Pintaro";

void quitProgram() { Application::current().quit(false); }

bool leftControlHeld() { return Application::current().isDown(Key_ControlL); }

void showAbout(MainWindow& w) { Application::current().alertBox(&w.window, kAboutText, kAboutTitle); }

void askNew(MainWindow& w, AppState& state) {
    if (mayDiscardDrawing(w, state, "Drawing isn't saved. Start another?", "Start anew", "Keep"))
        newCommand(state, w);
}

void askOpen(MainWindow& w, AppState& state) {
    if (mayDiscardDrawing(w, state, "Drawing isn't saved. Open another?", "Open", "Keep")) openCommand(state, w);
}

void showResizeDialog(AppState& state, ResizeDialog& resize) {
    resize.open(state.turtle.image->width(), state.turtle.image->height());
}

void showConsole(AppState& state) {
    if (state.showConsole) state.showConsole();
}
}  // namespace

MainWindow::MainWindow() : window(kProgramTitle), status(kWelcomeText) {
    window.setSize(limits::kMainWidth, limits::kMainHeight);

    root.setWidthMode(WidthMode_Fill);
    root.setHeightMode(HeightMode_Fill);
    toolbar.setWidthMode(WidthMode_Fill);
    status.setWidthMode(WidthMode_Fill);
    status.setHeightMode(HeightMode_Fill);
    status.setTextAlign(XTextAlign_Center, YTextAlign_Center);
    view.setWidthMode(WidthMode_Fill);
    view.setHeightMode(HeightMode_Fill);
    commandLine.setWidthMode(WidthMode_Fill);

    for (Control* c : {static_cast<Control*>(&newButton), static_cast<Control*>(&openButton),
                       static_cast<Control*>(&saveButton), static_cast<Control*>(&resizeButton),
                       static_cast<Control*>(&consoleButton), static_cast<Control*>(&status),
                       static_cast<Control*>(&aboutButton)})
        toolbar.add(*c);
    root.add(toolbar);
    root.add(view);
    root.add(commandLine);
    window.add(root);
}

void MainWindow::alert(const std::string& message) {
    Application::current().alertBox(&window, message, kProgramTitle);
}

bool mayDiscardDrawing(MainWindow& w, AppState& state, const std::string& question, const std::string& go,
                       const std::string& keep) {
    if (!state.turtle.unsaved) return true;
    return messageBox(w.window, question, kProgramTitle, go, keep) == 1;
}

void enterCommand(MainWindow& w, AppState& state) {
    const std::string text = w.commandLine.text();
    if (const auto error = runUserText(state.interp, text))
        w.alert(*error);
    else
        w.view.forceRedraw();
    state.history.add(text);
    w.commandLine.setText("");
}

void attachMainWindowHandlers(MainWindow& w, AppState& state, ResizeDialog& resize) {
    w.newButton.setOnClick([&](ClickEvent&) { askNew(w, state); });
    w.openButton.setOnClick([&](ClickEvent&) { askOpen(w, state); });
    w.saveButton.setOnClick([&](ClickEvent&) { saveCommand(state, w); });
    w.resizeButton.setOnClick([&](ClickEvent&) { showResizeDialog(state, resize); });
    w.consoleButton.setOnClick([&](ClickEvent&) { showConsole(state); });
    w.aboutButton.setOnClick([&](ClickEvent&) { showAbout(w); });

    w.view.setOnDraw([&](DrawEvent& e) { paintDrawingView(*e.canvas, state.turtle); });

    w.commandLine.setOnKeyDown([&](KeyEvent& e) {
        switch (e.key) {
            case Key_Return:
                e.handled = true;
                enterCommand(w, state);
                break;
            case Key_PageUp:
                e.handled = true;
                if (auto entry = state.history.older()) w.commandLine.setText(*entry);
                break;
            case Key_PageDown:
                e.handled = true;
                if (auto entry = state.history.newer()) w.commandLine.setText(*entry);
                break;
            default:
                break;  // ordinary editing
        }
    });

    w.window.setOnKeyDown([&](KeyEvent& e) {
        if (e.key == Key_F1) {
            e.handled = true;
            showAbout(w);
            return;
        }
        // Only the left Control key makes a shortcut.
        if (!leftControlHeld()) return;
        switch (e.key) {
            case Key_L: w.commandLine.focus(); break;
            case Key_N: askNew(w, state); break;
            case Key_O: askOpen(w, state); break;
            case Key_S: saveCommand(state, w); break;
            case Key_Q: quitProgram(); break;
            default: return;
        }
        e.handled = true;
    });

    w.window.setOnCloseClick([&](CloseClickEvent&) {
        if (mayDiscardDrawing(w, state, "Drawing isn't saved. Quit anyway?", "Quit", "Stay")) quitProgram();
    });
}

}  // namespace app
