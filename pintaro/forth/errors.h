// The three kinds of failure a Veskel word can raise. Front ends catch
// forth::Error to report any of them, or the concrete types to tell them apart.
#pragma once

#include <exception>
#include <stdexcept>
#include <string>

namespace forth {

struct Error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// pop on an empty stack, a word reading below the top of a too-short stack,
// or any other index outside a sequence's bounds.
struct StackUnderflow : Error {
    StackUnderflow() : Error("Stack underflow") {}
};

// Unknown word, missing key, unreadable file, end of input, runaway nesting...
struct ScriptError : Error {
    using Error::Error;
};

// Integer faults of mod and /mod.
struct ArithmeticFault : Error {
    using Error::Error;
};

// The one text for a failed allocation: a word asked for more memory than
// there is (a huge stack or text). The run unwinds and the program goes on.
inline constexpr const char* kOutOfMemoryMessage = "Out of memory";

// The text the user sees for any error a run can raise: the interpreter's
// own kinds and the failures of the words a front end adds (the turtle's,
// the toolkit's) carry theirs; running out of memory gets the one above.
// Every front end turns errors into text through this.
std::string errorText(const std::exception& e);

}  // namespace forth
