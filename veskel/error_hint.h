// The hint veskel writes after an error message, for a person reading it:
// on standard error when that is a terminal, or as VESKEL_HINTS says (1
// always, 0 never), so that scripts and files comparing the fixed messages
// get them alone.
#pragma once

#include <iosfwd>
#include <string_view>

#include "forth/interp.h"

namespace veskel {

// Writes the hint for `message` (reference::hintFor) on its own line, if
// there is one and hints are wanted. `line` is the line that was running,
// or empty when unknown.
void writeHint(std::ostream& err, const forth::Interp& in, std::string_view message, std::string_view line);

// The last line of the script a run keeps (the one running when it stopped).
std::string_view lastScriptLine(std::string_view script);

}  // namespace veskel
