// A window's status label and what it says. It shows the last message; in
// the main window, while the pointer is over the picture, it shows the image
// coordinates under the pointer instead, and the message again once the
// pointer leaves. A message set meanwhile shows at once and is the one that
// comes back.
#pragma once

#include <string>

#include "toolkit/label.h"

namespace app {

// "x 120, y 45": image pixels, origin top-left, y growing downward, as the
// turtle counts them.
std::string pointerText(int x, int y);

struct StatusLine {
    explicit StatusLine(const std::string& message) : label(message), fMessage(message) {}

    toolkit::Label label;

    const std::string& message() const { return fMessage; }
    void setMessage(const std::string& text);
    void showPointer(int x, int y);
    void hidePointer();

private:
    void show(const std::string& text);

    std::string fMessage;
    bool fPointer = false;
};

}  // namespace app
