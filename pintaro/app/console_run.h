// Running the script editor's text: line by line, counting lines, and
// turning an error into the message the console shows.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "interp.h"

namespace app {

// The text cut at CR, LF or CR LF. The text after the last line end is one
// more line even when it is empty, so "" gives one empty line and "a\n"
// gives "a" and "".
std::vector<std::string_view> cutLines(std::string_view text);

// Where line `index` (counted from 0 as cutLines counts) starts and ends in
// the text, in characters (UTF-8 code points), as a text editor counts them;
// the end stops before the line end.
struct CharRange {
    std::size_t start = 0;
    std::size_t end = 0;
};
CharRange lineRange(std::string_view text, std::size_t index);

struct ScriptFailure {
    std::string message;    // "... at line N" with the interpreter's line counter
    std::size_t lineIndex;  // the script line that was running, counted from 0
};

// Sets the line counter to 1 and runs each line, adding 1 after each. Stops
// at the first error and returns its message: "Stack underflow at line N",
// or the error's own message, " at line " and N, for every other error (script
// errors, arithmetic faults, toolkit failures, an interruption). Nothing is
// rolled back.
std::optional<ScriptFailure> runScriptText(forth::Interp& in, std::string_view text);

}  // namespace app
