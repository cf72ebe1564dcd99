#include "main_window.h"

#include <initializer_list>
#include <optional>
#include <string>

#include "about.h"
#include "app_limits.h"
#include "toolkit/application.h"
#include "console_window.h"
#include "drawing_steps.h"
#include "drawing_view.h"
#include "file_commands.h"
#include "message_box.h"
#include "script_run.h"
#include "reference/word_hints.h"
#include "toolkit/toolkit_limits.h"

namespace app {

using namespace toolkit;

namespace {

bool leftControlHeld() { return Application::current().isDown(Key_ControlL); }
bool shiftHeld() { return Application::current().isDown(Key_ShiftL) || Application::current().isDown(Key_ShiftR); }

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

void undo(MainWindow& w, AppState& state) { undoCommand(state, w); }
void redo(MainWindow& w, AppState& state) { redoCommand(state, w); }

void toggleGrid(MainWindow& w, AppState& state) {
    state.gridShown = !state.gridShown;
    w.view.forceRedraw();
}

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

enum class ShiftRule { Any, Up, Held };

struct Shortcut {
    KeyCode key;
    bool leftControl;  // only with the left Control key held
    ShiftRule shift;
    void (*action)(MainWindow&, AppState&);
};

// The main window's shortcuts. Letter keys arrive as their upper-case code
// whatever the Shift state, so Shift is asked for separately where it
// matters. Undo, redo and the grid take the left Control key like the rest.
const Shortcut kShortcuts[] = {
    {Key_L, true, ShiftRule::Any, focusCommandLine},
    {Key_N, true, ShiftRule::Any, askNew},
    {Key_O, true, ShiftRule::Any, askOpen},
    {Key_S, true, ShiftRule::Any, save},
    {Key_Q, true, ShiftRule::Any, quitProgram},
    {Key_F1, false, ShiftRule::Any, showAbout},
    {Key_Z, true, ShiftRule::Up, undo},
    {Key_Z, true, ShiftRule::Held, redo},
    {Key_Y, true, ShiftRule::Any, redo},
    {Key_G, true, ShiftRule::Any, toggleGrid},
};

bool shiftMatches(ShiftRule rule) {
    return rule == ShiftRule::Any || (rule == ShiftRule::Held) == shiftHeld();
}

// The pointer's image coordinates in the status label while it is over
// the image.
void showPointer(MainWindow& w, AppState& state, int viewX, int viewY) {
    const raster::Image& image = *state.turtle.image;
    const auto at = imagePointAt(w.view.width(), w.view.height(), image.width(), image.height(), viewX, viewY);
    if (at)
        w.status.showPointer(at->first, at->second);
    else
        w.status.hidePointer();
}
}  // namespace

MainWindow::MainWindow() : window(kProgramTitle) {
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
    state.drawingHistory.record(state.turtle, commandStep(text, state.runs.stopped(), state.runs.stoppedAfterSteps()));
    // Showing printed output lets the toolkit handle pending events, keys
    // typed ahead among them: before an alert (which handles them anyway),
    // otherwise only once the line is empty for them.
    if (error) {
        flushConsole(state);
        w.alert(*error);
        // What to write instead, beside the fixed message.
        if (const std::string hint = reference::hintFor(state.interp, *error, text); !hint.empty())
            w.status.setMessage(hint);
    } else {
        w.view.forceRedraw();
    }
    state.history.add(text);
    // During a long run the user may have typed the next command already.
    if (w.commandLine.text() == text) w.commandLine.setText("");
    flushConsole(state);
}

void attachMainWindowHandlers(MainWindow& w, AppState& state, std::function<ResizeDialog&()> resize) {
    w.newButton.setOnClick([&](ClickEvent&) { askNew(w, state); });
    w.openButton.setOnClick([&](ClickEvent&) { askOpen(w, state); });
    w.saveButton.setOnClick([&](ClickEvent&) { save(w, state); });
    w.resizeButton.setOnClick([&, resize](ClickEvent&) { showResizeDialog(state, resize()); });
    w.consoleButton.setOnClick([&](ClickEvent&) { showConsole(state); });
    w.aboutButton.setOnClick([&](ClickEvent&) { showAbout(w, state); });

    w.view.setOnDraw([&](DrawEvent& e) { paintDrawingView(*e.canvas, state.turtle, state.gridShown); });
    w.view.setOnMouseMove([&](MouseMoveEvent& e) { showPointer(w, state, e.x, e.y); });
    w.view.setOnMouseLeave([&](MouseLeaveEvent&) { w.status.hidePointer(); });

    // A paste longer than the command line holds is refused whole, not cut.
    w.commandLine.setOnTextRefused([&w](TextRefusedEvent& e) {
        w.status.setMessage("Too long for the command line: " + std::to_string(e.length) + " characters, at most " +
                            std::to_string(toolkit::limits::kTextBoxMaxChars) + ". The console runs longer scripts.");
    });
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
            if (e.key != s.key || (s.leftControl && !leftControlHeld()) || !shiftMatches(s.shift)) continue;
            e.handled = true;
            s.action(w, state);
            return;
        }
        if (state.commandLineKeys) state.commandLineKeys(e);
    });

    w.window.setOnCloseClick([&](CloseClickEvent&) {
        if (mayDiscardDrawing(w, state, "Drawing isn't saved. Quit anyway?", "Quit", "Stay")) quitProgram(w, state);
    });
}

}  // namespace app
