// The host's fixed sizes, each with its reason.
#pragma once

#include <cstddef>

// Script files are read in blocks of this many bytes; the whole file ends up
// in one buffer, so the block size bounds nothing but the number of reads.
inline constexpr std::size_t ostrin_read_block = 64 * 1024;

// Room for the bytes that leave the curses screen from a signal handler
// (five terminfo strings; the longest known terminals need under 100 bytes).
// A longer sequence is cut, which at worst leaves a colour or the cursor
// shape behind; the terminal settings are put back all the same.
inline constexpr std::size_t ostrin_leave_sequence_max = 256;

// The native stack the scripts run on, whatever `ulimit -s` says. The
// engine bounds every recursion that uses the native stack (native calls
// 1000 deep, the compiler 2500, the regular expression compiler and
// executor 10000), and the deepest of them, the regular expression
// compiler, needs about 2 MiB; a stack of this size lets each of them end
// in the engine's own RangeError with room for a sanitizer build's larger
// frames. Only the pages actually touched are backed by memory.
inline constexpr std::size_t ostrin_script_stack_size = 16 * 1024 * 1024;

// The unmapped gap below the script stack: a frame larger than one page
// could otherwise step over a single guard page into other memory.
inline constexpr std::size_t ostrin_script_stack_guard = 64 * 1024;

// The stack signal handlers run on, so that a handler still runs when the
// fault is a stack overflow. The handler writes a few bytes and resets the
// terminal; the rest is room for the kernel's signal frame, which is large
// on processors with wide vector registers.
inline constexpr std::size_t ostrin_signal_stack_size = 64 * 1024;
