// Undo and redo in the drawing program: the steps its commands record in
// the drawing history (what the status label calls them, what they add to
// the drawing's script), and the two commands.
#pragma once

#include <cstdint>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "app_state.h"
#include "drawing_history.h"
#include "turtle/drawing_script.h"
#include "main_window.h"

namespace app {

// A command line as the status label names it: runs of white space as one
// space, cut after limits::kStepLabelLength characters with "...".
std::string commandLabel(std::string_view text);

// A command-line entry. Stopped with Escape, it ran part-way: the script
// keeps it as a stop note with the interpreter's steps until the stop
// (`stoppedAfterSteps`, RunGuard::stoppedAfterSteps), which replay runs for
// as many steps; without a count, as a comment, since running it again
// might not end.
DrawingHistory::Step commandStep(std::string_view text, bool stopped, std::uint64_t stoppedAfterSteps = 0);

// A console run of the editor's `text`, between two comment lines. An
// error ends it at line `failedLine` (counted from 0), the last line kept.
// Stopped with Escape, that line is kept as a stop note with the steps the
// interpreter took in it (`stoppedLineSteps`: from the line's start, where
// a replay starts counting), or, without a count, as a comment.
DrawingHistory::Step consoleRunStep(std::string_view text, std::optional<std::size_t> failedLine, bool stopped,
                                    std::uint64_t stoppedLineSteps = 0);

// New and Open (also a failed one, which leaves the start image): the
// drawing starts again, and has nothing to lose. `previousPath` is the
// file it belonged to before.
void recordStart(AppState& state, std::string label, turtle::DrawingStart how, std::string previousPath,
                 std::string_view openedName = {});

// Control+Z, and Control+Shift+Z or Control+Y. Refused with a note while a
// script runs; the status label says what was undone or redone.
void undoCommand(AppState& state, MainWindow& w);
void redoCommand(AppState& state, MainWindow& w);

}  // namespace app
