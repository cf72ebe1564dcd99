// Hard limits of the interpreter, kept in one place so that front ends,
// tests and documentation agree on them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace forth::limits {

// Deepest nesting of runWords (user word inside times inside user word ...).
// No sensible script nests that deep; exceeding it (or the native stack
// budget below) raises a script error instead of crashing.
inline constexpr int kMaxNesting = 4000;

// Native stack that nested runs may use below the outermost runWords, at
// most. Some levels (a file including itself holds an open stream per
// level) take far more stack than others, so depth alone cannot keep the
// process alive; every level checks how much it has used.
inline constexpr std::size_t kMaxNativeStackBytes = std::size_t{4} << 20;

// Native stack kept free below the deepest nested run: for one word's own
// work (the turtle's drawing calls into cairo and pango) and for unwinding
// the "nesting too deep" error. Under a small stack limit (ulimit -s) the
// runs get what is left above this; where the stack's end is unknown, half
// the limit.
inline constexpr std::size_t kNativeStackReserveBytes = std::size_t{16} << 10;

// Largest number of values on the data stack: 16 Mi values (128 MiB).
// Far beyond any drawing script, but stops a runaway push loop with a clear
// error long before the machine runs out of memory.
inline constexpr std::size_t kMaxStackDepth = std::size_t{1} << 24;

// Number of word-list runs (loop passes, user word calls, blocks, lines)
// between two calls of the poll hook. Every unbounded computation repeats
// such runs, so the hook keeps coming; a hook that wants a time interval
// reads the clock itself, which at this rate costs nothing measurable.
inline constexpr std::uint32_t kPollInterval = 1024;

}  // namespace forth::limits
