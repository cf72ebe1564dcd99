// The modifier keys as the program's shortcuts read them, from the
// application that keeps the keys held.
#pragma once

#include "toolkit/application.h"
#include "toolkit/key_codes.h"

namespace app {

// Only the left Control key makes a shortcut; the right one does not.
inline bool leftControlHeld(const toolkit::Application& app) { return app.isDown(toolkit::Key_ControlL); }

// Either Shift key.
inline bool shiftHeld(const toolkit::Application& app) {
    return app.isDown(toolkit::Key_ShiftL) || app.isDown(toolkit::Key_ShiftR);
}

}  // namespace app
