// The three kinds of failure a Veskel word can raise. Front ends catch
// forth::Error to report any of them, or the concrete types to tell them apart.
#pragma once

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

}  // namespace forth
