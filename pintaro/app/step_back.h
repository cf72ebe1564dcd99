// Taking a console run's last step back. The interpreter runs words by C++
// recursion, so where a run is inside its words cannot be kept; what can be
// kept is where the run started. A step back puts the drawing back as the
// run found it (the drawing history's copy of the picture, which no step of
// the run has replaced yet), the interpreter too (a snapshot taken as the
// run began), cuts the output back, and runs the script again, without
// waiting, up to the word before the one it was paused at. Every step of
// the run so far can be taken back this way, for the memory of one
// snapshot, and the picture is never copied a second time.
//
// A run can only start again where doing so repeats exactly what it did:
// a word that asks the user or reads from outside (alert, confirm, accept,
// included) would ask, show or read again, and a New, Open or Resize from
// the toolbar replaced the drawing the run started on. After either, the
// way back is closed for the rest of the run, and says why.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "forth/interp.h"

namespace app {

struct AppState;

// True for a word whose doing a run that starts again would do again
// where the user sees it.
bool undoneOnlyByAsking(std::string_view word);

// Where a console run started, for starting it again.
class RunStart {
public:
    // Keeps the interpreter's state, the drawing's place in its history and
    // the size of the output shown; false, keeping nothing, when the
    // snapshot would take more than limits::kStepBackBudgetBytes.
    bool take(const AppState& state, std::size_t outputSize);
    bool taken() const { return fSnapshot.has_value(); }
    void clear() { fSnapshot.reset(); }
    // Why the run cannot start again now, or empty when it can.
    std::string closedBecause(const AppState& state) const;
    // Puts the drawing and the interpreter back as the run found them;
    // false, changing nothing, when closedBecause() is not empty.
    bool putBack(AppState& state) const;
    std::size_t outputSize() const { return fOutputSize; }
    // What the snapshot takes, as the budget counts it.
    std::size_t bytes() const { return fBytes; }

private:
    std::optional<forth::Interp::Snapshot> fSnapshot;
    std::uint64_t fHistoryChanges = 0;
    std::uint32_t fPollCountdown = 0;
    bool fUnsaved = false;
    std::size_t fOutputSize = 0;
    std::size_t fBytes = 0;
};

}  // namespace app
