#include "status_line.h"

namespace app {

std::string pointerText(int x, int y) { return "x " + std::to_string(x) + ", y " + std::to_string(y); }

void StatusLine::show(const std::string& text) {
    // A new text makes a new platform label; the pointer moves often.
    if (label.text() != text) label.setText(text);
}

void StatusLine::setMessage(const std::string& text) {
    message_ = text;
    show(text);
}

void StatusLine::showPointer(int x, int y) {
    pointer_ = true;
    show(pointerText(x, y));
}

void StatusLine::hidePointer() {
    if (!pointer_) return;
    pointer_ = false;
    show(message_);
}

}  // namespace app
