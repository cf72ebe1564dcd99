// The "Inspector" window: what a script has made so far, for a learner to
// look at while it runs or after. The data stack (depth, values top first),
// every variable and its value, the words the user defined with their code,
// and the turtle: position, heading, pen, pen size and the pen, background
// and label colours. Made the first time it is asked for; closing it only
// hides it.
#pragma once

#include <chrono>
#include <string>

#include "forth/interp.h"
#include "toolkit/text_area.h"
#include "turtle/turtle.h"
#include "toolkit/window.h"

namespace app {

// The inspector's text, long lists cut (app_limits.h) so that showing it
// costs little whatever a script holds.
std::string inspectorText(const forth::Interp& in, const turtle::TurtleState& t);

struct InspectorWindow {
    InspectorWindow();

    void show();
    // Shows the state now, when the window is on the screen. Unless
    // `always`, at most once in limits::kInspectorRefreshMilliseconds, so
    // that watching a run never slows it much.
    void refresh(const forth::Interp& in, const turtle::TurtleState& t, bool always);

    // The window first: it goes last, after the control it shows.
    toolkit::Window window;
    toolkit::TextArea text;

private:
    std::string fShown;
    std::chrono::steady_clock::time_point fLast{};
};

}  // namespace app
