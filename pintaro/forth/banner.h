// The greeting an interactive session starts with (veskel's prompt, the
// drawing program's console): the version line, then the counts line.
#pragma once

#include <string>

#include "interp.h"

namespace forth {

inline constexpr const char* kGreeting = "Welcome to Veskel Forth 3.0 beta (2023-07-19)";

// "N words and M sigils defined." for the interpreter as it is now.
inline std::string dictionaryCounts(const Interp& in) {
    return std::to_string(in.dictionarySize()) + " words and " + std::to_string(in.sigilTableSize()) +
           " sigils defined.";
}

}  // namespace forth
