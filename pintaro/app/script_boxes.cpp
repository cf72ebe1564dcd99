#include "script_boxes.h"

#include "toolkit/application.h"
#include "message_box.h"

namespace app {

using namespace toolkit;

bool isStopFromBoxKey(const KeyEvent& e) {
    const Application& app = Application::current();
    return e.key == Key_Escape && (app.isDown(Key_ShiftL) || app.isDown(Key_ShiftR));
}

namespace {

// The note stays while the box shows; the message before it comes back,
// unless another one came meanwhile.
class NoteWhileShowing {
public:
    explicit NoteWhileShowing(StatusLine& status) : fStatus(status), fBefore(status.message()) {
        fStatus.setMessage(kStopFromBoxNote);
    }
    ~NoteWhileShowing() {
        if (fStatus.message() == kStopFromBoxNote) fStatus.setMessage(fBefore);
    }
    NoteWhileShowing(const NoteWhileShowing&) = delete;
    NoteWhileShowing& operator=(const NoteWhileShowing&) = delete;

private:
    StatusLine& fStatus;
    std::string fBefore;
};

}  // namespace

void ScriptBoxes::alert(const std::string& message) {
    bool asked = false;
    {
        NoteWhileShowing note(status);
        asked = Application::current().alertBox(&parent, message, "The turtle says:", isStopFromBoxKey);
    }
    stopIfAsked(asked);
}

int ScriptBoxes::confirm(const std::string& message) {
    BoxEndKey stop{isStopFromBoxKey};
    int answer = 0;
    {
        NoteWhileShowing note(status);
        answer = messageBox(parent, message, "The turtle asks:", "Yes", "No", "", &stop);
    }
    stopIfAsked(stop.pressed);
    return answer;
}

void ScriptBoxes::stopIfAsked(bool asked) {
    if (asked && runs.interrupt()) runs.poll();
}

}  // namespace app
