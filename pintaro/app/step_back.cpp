#include "step_back.h"

#include <algorithm>
#include <array>

#include "app_limits.h"
#include "app_state.h"

namespace app {

namespace {
// Each of them shows a box, waits for an answer or reads a file or
// standard input: done again, the user would see it again, or get
// another outcome.
constexpr std::array<std::string_view, 4> kAskingWords = {"alert", "confirm", "accept", "included"};
}  // namespace

bool undoneOnlyByAsking(std::string_view word) {
    return std::find(kAskingWords.begin(), kAskingWords.end(), word) != kAskingWords.end();
}

bool RunStart::take(const AppState& state, std::size_t outputSize) {
    snapshot_.reset();
    const forth::Interp& in = state.interp;
    // Counted before copying: a stack of millions of values is not copied
    // only to find it too large.
    std::size_t bytes = in.depth() * sizeof(forth::Value) +
                        in.dictionarySize() * (sizeof(forth::WordRecord) + sizeof(std::uint32_t)) +
                        in.textBuffer().size();
    if (bytes > limits::kStepBackBudgetBytes) return false;
    forth::Interp::Snapshot s = in.snapshot();
    for (const auto& [name, value] : s.variables) bytes += sizeof(name) + name.capacity() + sizeof(value);
    if (bytes > limits::kStepBackBudgetBytes) return false;
    snapshot_ = std::move(s);
    bytes_ = bytes;
    historyChanges_ = state.drawingHistory.changes();
    pollCountdown_ = in.pollCountdown();
    unsaved_ = state.turtle.unsaved;
    outputSize_ = outputSize;
    return true;
}

std::string RunStart::closedBecause(const AppState& state) const {
    if (!snapshot_) return "the interpreter's state was too large to keep";
    if (state.drawingHistory.changes() != historyChanges_) return "the drawing was replaced during the run";
    if (state.drawingHistory.copyBytes() == 0) return "there was no memory to keep the picture";
    return {};
}

bool RunStart::putBack(AppState& state) const {
    if (!closedBecause(state).empty()) return false;
    // The picture first: it is what can fail (no copy of it could be
    // kept), and then nothing has changed yet.
    if (!state.drawingHistory.putBack(state.turtle)) return false;
    state.turtle.unsaved = unsaved_;
    state.interp.restore(*snapshot_);
    // The breaths come where they came in the first run.
    state.interp.setPollCountdown(pollCountdown_);
    return true;
}

}  // namespace app
