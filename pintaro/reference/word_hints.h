// Hints beside the fixed error messages: a line that tells a learner what
// to write instead, for the failures they meet most. The message itself
// never changes; a front end shows the hint after it, in the place it has
// for one (veskel's standard error, pintaro's status label).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "forth/interp.h"

namespace reference {

// The hint for a run that stopped with `message` (forth::errorText of the
// error), on the interpreter as the error left it. `line` is the text of
// the line that was running, or empty when it is not known (a line of an
// included file); hints that need it are then not given. Empty when there
// is nothing to add.
std::string hintFor(const forth::Interp& in, std::string_view message, std::string_view line);

// What to write instead of `word`, which is not a word: the hint of
// "invalid float: WORD". Empty when there is nothing to say.
std::string unknownWordHint(const forth::Interp& in, std::string_view word);

// The number of edits (a character changed, added or dropped, or two
// neighbours swapped) that turn one word into the other.
std::size_t editDistance(std::string_view a, std::string_view b);

}  // namespace reference
