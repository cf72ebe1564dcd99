// Running text the user typed. Every run started from the main window goes
// through runUserText, so that rules for runs as a whole (keeping the window
// alive during long runs, refusing a second run) have one home.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "forth/interp.h"

namespace app {

// Splits the text into words and runs them. Returns nothing when the words
// ran without error, otherwise the message to show: "Stack underflow" for an
// underflow, and the error's own message for a script error, an arithmetic
// fault, a toolkit failure or anything else a word raised. Nothing is
// rolled back: the interpreter keeps the state the error left.
std::optional<std::string> runUserText(forth::Interp& in, std::string_view text);

// The one place the drawing program turns an error of a run into the text
// it shows: runs `run` and returns nothing when it ends cleanly, otherwise
// forth::errorText of what escaped it.
std::optional<std::string> failureOf(const std::function<void()>& run);

}  // namespace app
