// The boxes a running script opens with `alert` and `confirm`. A script can
// open them in a loop, one after the other, and Escape only closes one
// (`confirm` answers 0 then). So these boxes have a key of their own,
// Shift+Escape, that closes the box and stops the script the way Escape
// stops it between boxes; the console's status label names the key while
// such a box shows.
#pragma once

#include <string>

#include "toolkit/events.h"
#include "run_guard.h"
#include "status_line.h"
#include "toolkit/window.h"

namespace app {

// What the console's status label says while a script's box shows.
inline constexpr const char* kStopFromBoxNote = "Shift+Escape stops the script.";

// Escape with a Shift key held.
bool isStopFromBoxKey(const toolkit::KeyEvent& e);

// Where the boxes go and whom they tell: the window they are modal to, the
// status label that names the key, and the runs they stop.
struct ScriptBoxes {
    toolkit::Window& parent;
    StatusLine& status;
    RunGuard& runs;

    // The alert box titled "The turtle says:".
    void alert(const std::string& message);
    // The message box titled "The turtle asks:" with "Yes" and "No": 1, 2,
    // or 0 when closed without a button.
    int confirm(const std::string& message);

private:
    // After a box closed with the key: raises the run's "Interrupted" through
    // the guard, as Escape does at the run's next poll.
    void stopIfAsked(bool asked);
};

}  // namespace app
