#include "drawing_steps.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "app_limits.h"
#include "console_window.h"
#include "forth/errors.h"
#include "file_commands.h"
#include "forth/line_runner.h"
#include "forth/wordlist.h"

namespace app {

namespace {

constexpr std::string_view kStopped = "\\ Stopped with Escape: ";

bool blank(std::string_view text) { return forth::splitWords(text).empty(); }

// Takes one step back or forward.
void takeStep(AppState& state, MainWindow& w, bool back) {
    if (state.runs.running()) {
        // The running script draws on this drawing; it goes first.
        noteRefusedRun(w.status, state.runs);
        return;
    }
    DrawingHistory& history = state.drawingHistory;
    std::optional<std::string> label;
    try {
        label = back ? history.undo(state.turtle, state.currentFilePath)
                     : history.redo(state.turtle, state.currentFilePath);
    } catch (const std::exception& e) {
        // A picture of another size the machine cannot make; nothing changed.
        w.alert(forth::errorText(e));
        return;
    }
    if (!label) {
        w.status.setMessage(back ? "Nothing to undo." : "Nothing to redo.");
        return;
    }
    w.window.setTitle(windowTitleFor(state.currentFilePath));
    w.view.forceRedraw();
    w.status.setMessage((back ? "Undone: " : "Redone: ") + *label);
}

}  // namespace

std::string commandLabel(std::string_view text) {
    std::string label = forth::joinWords(forth::splitWords(text));
    std::size_t characters = 0;
    for (std::size_t k = 0; k < label.size(); ++k) {
        if ((static_cast<unsigned char>(label[k]) & 0xC0) == 0x80) continue;  // inside a character
        if (characters++ == limits::kStepLabelLength) return label.substr(0, k) + "...";
    }
    return label;
}

DrawingHistory::Step commandStep(std::string_view text, bool stopped, std::uint64_t stoppedAfterSteps) {
    DrawingHistory::Step step;
    step.label = commandLabel(text);
    // An empty entry runs nothing: it has no place in the script.
    if (blank(text)) return step;
    if (stopped && stoppedAfterSteps > 0)
        step.script = turtle::stoppedNote(stoppedAfterSteps, text);  // replay stops it there too
    else
        step.script = (stopped ? std::string(kStopped) : std::string()) + turtle::scriptLine(text);
    return step;
}

DrawingHistory::Step consoleRunStep(std::string_view text, std::optional<std::size_t> failedLine, bool stopped,
                                    std::uint64_t stoppedLineSteps) {
    DrawingHistory::Step step;
    step.label = "console run";
    std::vector<std::string_view> lines = forth::cutLines(text);
    // The editor's last line end leaves an empty line that runs nothing.
    if (lines.size() > 1 && lines.back().empty()) lines.pop_back();
    std::size_t end = lines.size();
    if (failedLine) end = std::min(*failedLine + 1, lines.size());
    step.script = "\\ Console run:\n";
    for (std::size_t i = 0; i < end; ++i) {
        if (!stopped || i + 1 < end)
            step.script += turtle::scriptLine(lines[i]);
        else if (stoppedLineSteps > 0)
            step.script += turtle::stoppedNote(stoppedLineSteps, lines[i]);  // replay stops it there too
        else
            step.script += std::string(kStopped) + turtle::scriptLine(lines[i]);
    }
    step.script += "\\ End of console run.\n";
    return step;
}

void recordStart(AppState& state, std::string label, turtle::DrawingStart how, std::string previousPath,
                 std::string_view openedName) {
    const turtle::TurtleState& t = state.turtle;
    DrawingHistory::Step step;
    step.label = std::move(label);
    step.script = turtle::scriptStartLine(how, t.image->width(), t.image->height(), openedName) +
                  turtle::stateWords(t);
    step.startsScript = true;
    step.previousPath = std::move(previousPath);
    state.drawingHistory.record(t, std::move(step));
    state.drawingHistory.markSaved();
}

void undoCommand(AppState& state, MainWindow& w) { takeStep(state, w, true); }
void redoCommand(AppState& state, MainWindow& w) { takeStep(state, w, false); }

}  // namespace app
