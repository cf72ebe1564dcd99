// Key presses as the layer reports them, for windows and controls alike:
// the key code, the pressed-keys list, an input method and the key-down
// handler with its `handled` flag. Internal to the layer.
#pragma once

#include <functional>
#include <string>

#include "events.h"
#include "gtk_object.h"

namespace toolkit {

// An input method context of a window or control. Text it composes while
// a key is being filtered travels with that key's event; text it commits
// at any other time arrives through `onLateCommit`.
class InputMethod {
public:
    explicit InputMethod(std::function<void(const std::string&)> onLateCommit);
    InputMethod(const InputMethod&) = delete;
    InputMethod& operator=(const InputMethod&) = delete;

    // True when the input method took the key; `committed` gets the text it
    // composed meanwhile.
    bool filter(GdkEventKey* event, std::string& committed);

private:
    static void onCommit(GtkIMContext*, const gchar* text, gpointer self);

    ObjectRef fContext;
    bool fFiltering = false;
    std::string fCommitted;
    std::function<void(const std::string&)> fOnLateCommit;
};

// One receiver's share of a key press: maps the key, records it as held and
// in `keyPressed`, lets the input method see it and calls the handler.
// Returns the handler's `handled` (false when there is none).
bool dispatchKeyPress(GdkEventKey* event, InputMethod& inputMethod, KeyCode& keyPressed,
                      const KeyHandler& handler, Window* window, Control* control);

// Delivers text an input method composed outside a key press.
void dispatchCommittedText(const std::string& text, const KeyHandler& handler, Window* window,
                           Control* control);

}  // namespace toolkit
