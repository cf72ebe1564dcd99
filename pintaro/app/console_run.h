// Running the script editor's text: line by line, counting lines, and
// turning an error into the message the console shows.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forth/interp.h"
#include "forth/line_runner.h"

namespace app {

// Where line `index` (counted from 0 as forth::cutLines counts) starts and ends in
// the text, in characters (UTF-8 code points), as a text editor counts them;
// the end stops before the line end.
struct CharRange {
    std::size_t start = 0;
    std::size_t end = 0;
};
CharRange lineRange(std::string_view text, std::size_t index);

struct ScriptFailure {
    std::string message;    // "... at line N" (or "at line N of FILE" inside an included file)
    std::size_t lineIndex;  // the script line that was running, counted from 0
    // What to write instead (reference::hintFor), or empty.
    std::string hint = {};
};

// Runs the text with forth::runLines, its lines cut as an editor cuts them.
// Stops at the first error and returns its text (failureOf), " at " and the
// position: "Stack underflow at line N", "division by zero at line N",
// "Interrupted at line N", "invalid float: x at line 3 of inc.fs"...
// Nothing is rolled back. `observe` sees each line just before it runs.
std::optional<ScriptFailure> runScriptText(forth::Interp& in, std::string_view text,
                                           const forth::LineObserver& observe = {});

}  // namespace app
