#include "console_window.h"

#include <cstdint>
#include <exception>

#include "about.h"
#include "app_limits.h"
#include "toolkit/application.h"
#include "forth/banner.h"
#include "forth/errors.h"
#include "console_run.h"
#include "console_words/console_words.h"
#include "drawing_steps.h"
#include "message_box.h"
#include "script_boxes.h"
#include "script_file.h"

namespace app {

using namespace toolkit;

namespace {
bool leftControlHeld() { return Application::current().isDown(Key_ControlL); }
}  // namespace

ConsoleWindow::ConsoleWindow() : window("Forth console") {
    window.setSize(limits::kConsoleWidth, limits::kConsoleHeight);

    root.setWidthMode(WidthMode_Fill);
    root.setHeightMode(HeightMode_Fill);
    buttonBar.setWidthMode(WidthMode_Fill);
    status.label.setWidthMode(WidthMode_Fill);
    status.label.setHeightMode(HeightMode_Fill);
    status.label.setTextAlign(XTextAlign_Center, YTextAlign_Center);
    textRow.setWidthMode(WidthMode_Fill);
    textRow.setHeightMode(HeightMode_Fill);
    editor.setWidthMode(WidthMode_Fill);
    editor.setHeightMode(HeightMode_Fill);
    output.setWidthMode(WidthMode_Fill);
    output.setHeightMode(HeightMode_Fill);
    output.setEditable(false);

    buttonBar.add(loadButton);
    buttonBar.add(runButton);
    buttonBar.add(clearButton);
    buttonBar.add(status.label);
    textRow.add(editor);
    textRow.add(output);
    root.add(buttonBar);
    root.add(textRow);
    window.add(root);
}

void ConsoleWindow::show() {
    // Focus first, so that keys typed as soon as the window shows go to the
    // editor (showing handles pending events).
    editor.focus();
    window.show();
}

void ConsoleWindow::flushOutput() {
    if (pendingOutput.empty()) return;
    // Moved out first: handing it over lets handlers run, and they may print.
    const std::string text = std::move(pendingOutput);
    pendingOutput.clear();
    output.addText(text);
    output.scrollToBottom();
}

void ConsoleWindow::showRunNote(const std::string& note) {
    runNote = note;
    status.setMessage(note);
}

void ConsoleWindow::selectLine(std::size_t index) {
    const std::string text = editor.text();
    const CharRange r = lineRange(text, index);
    editor.select(static_cast<int>(r.start), static_cast<int>(r.end));
}

void registerConsole(ConsoleWindow& c, AppState& state, MainWindow& w) {
    RunGuard& runs = state.runs;
    console_words::ConsoleHost host;
    host.append = [&c, &runs](std::string_view text) {
        c.append(text);
        if (runs.running())
            runs.poll();  // shows the output once per breath; Escape stops here too
        else
            c.flushOutput();
    };
    ScriptBoxes boxes{w.window, c.status, runs};
    host.alert = [&c, boxes](const std::string& message) mutable {
        c.flushOutput();  // what the script printed before shows behind the box
        boxes.alert(message);
    };
    host.confirm = [&c, boxes](const std::string& message) mutable {
        c.flushOutput();
        return boxes.confirm(message);
    };
    host.bye = [] { Application::current().quit(false); };
    console_words::registerConsoleWords(state.interp, host);

    c.output.addLine(forth::kGreeting);
    c.output.addLine(forth::dictionaryCounts(state.interp));
}

void attachConsoleHandlers(ConsoleWindow& c, AppState& state, MainWindow& w) {
    RunGuard& runs = state.runs;
    c.runButton.setOnClick([&](ClickEvent&) { runConsoleScript(c, state, w); });
    c.clearButton.setOnClick([&c](ClickEvent&) {
        c.pendingOutput.clear();
        c.output.setText("");
    });
    c.loadButton.setOnClick([&](ClickEvent&) { loadScript(c, state, w); });
    c.window.setOnCloseClick([&c](CloseClickEvent&) { c.window.hide(); });

    c.window.setOnKeyDown([&](KeyEvent& e) {
        if (e.key == Key_Escape) {
            // Only a running script takes Escape; otherwise it keeps its meaning.
            if (runs.interrupt()) e.handled = true;
            return;
        }
        if (e.key == Key_F5) {
            e.handled = true;
            runConsoleScript(c, state, w);
            return;
        }
        if (state.scriptKeys && state.scriptKeys(e)) return;
        // Only the left Control key makes a shortcut.
        if (!leftControlHeld()) return;
        switch (e.key) {
            case Key_R: runConsoleScript(c, state, w); break;
            case Key_L: c.editor.focus(); break;
            default: return;
        }
        e.handled = true;
    });

    state.showConsole = [&c] { c.show(); };
    state.flushConsole = [&c] { c.flushOutput(); };
    state.offerScript = [&c](const std::string& script) {
        // Never over the user's own text.
        if (!c.editor.text().empty()) return false;
        c.editor.setText(script);
        return true;
    };
}

void runConsoleScript(ConsoleWindow& c, AppState& state, MainWindow& w) {
    RunGuard& runs = state.runs;
    std::optional<ScriptFailure> failure;
    std::string script;
    std::uint64_t lineStartedAfter = 0;
    const std::string before = c.status.message();
    {
        RunGuard::Run run = runs.begin();
        if (!run) {
            noteRefusedRun(c.status, runs);
            return;
        }
        script = c.editor.text();
        // The label tells that the run goes on, and how to stop it, until
        // it ends; then it says again what it said before.
        c.showRunNote(kRunningNote);
        // Where each line started, so that the line Escape stops is kept
        // with the steps it took itself.
        forth::LineObserver observe = [&](std::string_view) { lineStartedAfter = runs.stepsSoFar(); };
        failure = state.runConsoleText ? state.runConsoleText(script, observe)
                                       : runScriptText(state.interp, script, observe);
    }
    if (c.status.message() == c.runNote) c.status.setMessage(before);
    c.runNote.clear();
    if (!runs.leaving()) {
        const std::uint64_t stoppedAfter = runs.stoppedAfterSteps();
        state.drawingHistory.record(
            state.turtle, consoleRunStep(script, failure ? std::optional(failure->lineIndex) : std::nullopt,
                                         runs.stopped(), stoppedAfter > lineStartedAfter ? stoppedAfter - lineStartedAfter : 0));
    }
    // The run is over before the output shows (which handles pending
    // events) or a box opens, so nothing the user does meanwhile is refused.
    if (runs.leaving()) return;
    // "ok" goes out with the last output: laying out a long output line is
    // what showing it costs, so that is done once.
    if (!failure) c.append("ok\n");
    c.flushOutput();
    if (!failure) {
        w.view.forceRedraw();
        return;
    }
    Application::current().alertBox(&c.window, failure->message, kProgramTitle);
    // What to write instead, where the user looks next.
    if (!failure->hint.empty()) c.status.setMessage(failure->hint);
    // The user can fix the failing line at once.
    c.editor.focus();
    c.selectLine(failure->lineIndex);
}

void noteRefusedRun(StatusLine& status, RunGuard& runs) {
    const std::string before = status.message();
    status.setMessage(kBusyNote);
    runs.afterRun([&status, before] {
        if (status.message() == kBusyNote) status.setMessage(before);
    });
}

void loadScript(ConsoleWindow& c, AppState& state, MainWindow& w) {
    if (!mayReplaceScript(c, "Script isn't saved. Load another?", "Load", false)) return;
    OpenFileDialog& dialog = state.openDialog;
    dialog.fTitle = "Load script";
    // The dialog is shared with Open, which shows every file.
    dialog.fFilters = {{"Veskel scripts", {"*.fs"}}, {"All files", {"*"}}};
    dialog.run(&c.window);
    dialog.fFilters.clear();
    if (dialog.fFiles.empty()) {
        c.status.setMessage("Load canceled.");
        return;
    }
    loadScriptFile(c, w, dialog.fFiles.front());
}

bool loadScriptFile(ConsoleWindow& c, MainWindow& w, const std::string& path) {
    std::string text;
    try {
        text = readScriptFile(path);
    } catch (const std::exception& e) {
        w.alert(forth::errorText(e));  // the editor keeps its text
        return false;
    }
    c.editor.setText(text);
    scriptLoaded(c, path, text);
    return true;
}

}  // namespace app
