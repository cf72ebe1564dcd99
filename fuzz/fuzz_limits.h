// The fuzz targets' fixed sizes, each with its reason.
#pragma once

#include <cstddef>

// Statements generated from one input of the ostrin target. Each runs one
// binding call, so this bounds the time an input takes (well under the
// 10 s timeout) while leaving room for long sequences of calls.
inline constexpr std::size_t fuzz_ostrin_max_statements = 512;

// Key bytes queued for getch per input: enough for several escape sequences;
// the pipe that carries them holds far more, so writing never blocks.
inline constexpr std::size_t fuzz_ostrin_max_keys = 63;
