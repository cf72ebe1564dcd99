// The message box: a small modal window with a message and one to three
// buttons, for every yes/no question the program asks. It returns the
// number of the button pressed, or 0 when the box was closed without one
// (its close button or Escape).
#pragma once

#include <functional>
#include <string>

#include "toolkit/events.h"
#include "toolkit/window.h"

namespace app {

struct BoxGeometry {
    int width;
    int height;
    int x;
    int y;
};

// Size and place of a box, in screen pixels, from the natural size of its
// message label and button row and the parent window's frame: as wide as the
// message plus a margin, at least room for three buttons, at most 600; the
// message counts at most 300 of the height; centred on the parent.
BoxGeometry messageBoxGeometry(int labelWidth, int labelHeight, int buttonRowHeight, int parentX, int parentY,
                               int parentWidth, int parentHeight);

// A key of the caller's that closes a box besides its buttons and Escape,
// which keep their meaning: when `test` holds for a key pressed in the box,
// the box closes (the answer is 0) and `pressed` is set.
struct BoxEndKey {
    std::function<bool(const toolkit::KeyEvent&)> test;
    bool pressed = false;
};

// Shows the box modal to `parent` and waits, letting the event loop turn,
// until it is answered. An empty second or third label leaves that button
// out.
int messageBox(toolkit::Window& parent, const std::string& message, const std::string& title,
               const std::string& first, const std::string& second = "", const std::string& third = "",
               BoxEndKey* endKey = nullptr);

}  // namespace app
