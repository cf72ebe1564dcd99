// The turtle's words, aliases and the # colour sigil for the interpreter.
#pragma once

#include "forth/interp.h"
#include "turtle.h"
#include "forth/word_doc.h"

namespace turtle {

// Registers the turtle words, then the # sigil, then the aliases, in the
// order of their tables. The words keep a reference to `t`, which must outlive
// the interpreter's use of them. Register after the core words.
void registerTurtleWords(forth::Interp& in, TurtleState& t);

// The turtle words, the # sigil and the aliases, in registration order.
std::span<const forth::DocumentedEntry> turtleWordDocs();

}  // namespace turtle
