#include "main_window.h"

#include <initializer_list>
#include <optional>

#include "about.h"
#include "app_limits.h"
#include "application.h"
#include "console_window.h"
#include "drawing_view.h"
#include "file_commands.h"
#include "message_box.h"
#include "script_run.h"

namespace app {

using namespace toolkit;

namespace {

bool leftControlHeld() { return Application::current().isDown(Key_ControlL); }

void showAbout(MainWindow& w, AppState&) { Application::current().alertBox(&w.window, kAboutText, kAboutTitle); }

void askNew(MainWindow& w, AppState& state) {
    if (mayDiscardDrawing(w, state, "Drawing isn't saved. Start another?", "Start anew", "Keep"))
        newCommand(state, w);
}

void askOpen(MainWindow& w, AppState& state) {
    if (mayDiscardDrawing(w, state, "Drawing isn't saved. Open another?", "Open", "Keep")) openCommand(state, w);
}

void save(MainWindow& w, AppState& state) { saveCommand(state, w); }

void focusCommandLine(MainWindow& w, AppState&) { w.commandLine.focus(); }

// Leaves the event loop; start-up then returns and the process ends with 0.
// A script still running is stopped first, without a report.
void quitProgram(MainWindow&, AppState& state) {
    if (state.runs.running()) state.runs.quitting();
    Application::current().quit(false);
}

void showResizeDialog(AppState& state, ResizeDialog& resize) {
    resize.open(state.turtle.image->width(), state.turtle.image->height());
}

void showConsole(AppState& state) {
    if (state.showConsole) state.showConsole();
}

void flushConsole(AppState& state) {
    if (state.flushConsole) state.flushConsole();
}

struct Shortcut {
    KeyCode key;
    bool leftControl;  // only with the left Control key held
    void (*action)(MainWindow&, AppState&);
};

// The main window's shortcuts. Letter keys arrive as their upper-case code
// whatever the Shift state.
const Shortcut kShortcuts[] = {
    {Key_L, true, focusCommandLine},
    {Key_N, true, askNew},
    {Key_O, true, askOpen},
    {Key_S, true, save},
    {Key_Q, true, quitProgram},
    {Key_F1, false, showAbout},
};
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

    for (Control* c : std::initializer_list<Control*>{&newButton, &openButton, &saveButton, &resizeButton,
                                                      &consoleButton, &status, &aboutButton})
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
    std::optional<std::string> error;
    {
        RunGuard::Run run = state.runs.begin();
        if (!run) {
            // Not nested on the running script's state; the text stays for later.
            noteRefusedRun(w.status, state.runs);
            return;
        }
        error = runUserText(state.interp, text);
    }
    if (state.runs.leaving()) return;
    // Showing printed output lets the toolkit handle pending events, keys
    // typed ahead among them: before an alert (which handles them anyway),
    // otherwise only once the line is empty for them.
    if (error) {
        flushConsole(state);
        w.alert(*error);
    } else {
        w.view.forceRedraw();
    }
    state.history.add(text);
    // During a long run the user may have typed the next command already.
    if (w.commandLine.text() == text) w.commandLine.setText("");
    flushConsole(state);
}

void attachMainWindowHandlers(MainWindow& w, AppState& state, ResizeDialog& resize) {
    w.newButton.setOnClick([&](ClickEvent&) { askNew(w, state); });
    w.openButton.setOnClick([&](ClickEvent&) { askOpen(w, state); });
    w.saveButton.setOnClick([&](ClickEvent&) { save(w, state); });
    w.resizeButton.setOnClick([&](ClickEvent&) { showResizeDialog(state, resize); });
    w.consoleButton.setOnClick([&](ClickEvent&) { showConsole(state); });
    w.aboutButton.setOnClick([&](ClickEvent&) { showAbout(w, state); });

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
        // Escape stops a running script; otherwise it keeps its meaning.
        if (e.key == Key_Escape && state.runs.interrupt()) {
            e.handled = true;
            return;
        }
        for (const Shortcut& s : kShortcuts) {
            // Only the left Control key makes a shortcut; the right one does not.
            if (e.key != s.key || (s.leftControl && !leftControlHeld())) continue;
            e.handled = true;
            s.action(w, state);
            return;
        }
    });

    w.window.setOnCloseClick([&](CloseClickEvent&) {
        if (mayDiscardDrawing(w, state, "Drawing isn't saved. Quit anyway?", "Quit", "Stay")) quitProgram(w, state);
    });
}

}  // namespace app
