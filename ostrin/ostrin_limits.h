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
