#include "script_boxes.h"

#include "held_keys.h"
#include "message_box.h"

namespace app {

using namespace toolkit;

bool isStopFromBoxKey(const Application& app, const KeyEvent& e) { return e.key == Key_Escape && shiftHeld(app); }

namespace {

// The note stays while the box shows; the message before it comes back,
// unless another one came meanwhile.
class NoteWhileShowing {
public:
    explicit NoteWhileShowing(StatusLine& status) : status_(status), before_(status.message()) {
        status_.setMessage(kStopFromBoxNote);
    }
    ~NoteWhileShowing() {
        if (status_.message() == kStopFromBoxNote) status_.setMessage(before_);
    }
    NoteWhileShowing(const NoteWhileShowing&) = delete;
    NoteWhileShowing& operator=(const NoteWhileShowing&) = delete;

private:
    StatusLine& status_;
    std::string before_;
};

}  // namespace

void ScriptBoxes::alert(const std::string& message) {
    bool asked = false;
    {
        NoteWhileShowing note(status);
        asked = app.alertBox(&parent, message, "The turtle says:",
                             [this](const KeyEvent& e) { return isStopFromBoxKey(app, e); });
    }
    stopIfAsked(asked);
}

int ScriptBoxes::confirm(const std::string& message) {
    BoxEndKey stop{[this](const KeyEvent& e) { return isStopFromBoxKey(app, e); }};
    int answer = 0;
    {
        NoteWhileShowing note(status);
        answer = messageBox(app, parent, message, "The turtle asks:", "Yes", "No", "", &stop);
    }
    stopIfAsked(stop.pressed);
    return answer;
}

void ScriptBoxes::stopIfAsked(bool asked) {
    if (asked && runs.interrupt()) runs.poll();
}

}  // namespace app
