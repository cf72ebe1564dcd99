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

// The forth_turtle target's image: small, so that every fill and reset is
// quick, yet wide enough for lines, ellipses and labels to land on it.
inline constexpr int fuzz_forth_image_width = 64;
inline constexpr int fuzz_forth_image_height = 48;

// Poll-hook calls one input may take, each kPollInterval (1024) word-list
// runs or collected words: some 4,000 loop passes, user-word calls or
// words collected into blocks, more than any seed needs,
// and a fraction of the 10 s timeout even when every pass lays out a long
// label at the largest font size.
inline constexpr long fuzz_forth_max_polls = 4;

// Bytes the printing words may print per input: far more than any seed
// prints, while `.s` of a deep stack on every pass of a loop (quadratic
// work the step budget does not see) stops after about 60,000 numbers.
inline constexpr std::size_t fuzz_forth_max_output = std::size_t{1} << 20;

// Nesting of word-list runs: recursion ends with "nesting too deep" after
// 64 levels instead of 4000, each level unwound through by the error.
inline constexpr int fuzz_forth_max_nesting = 64;

// Values on the data stack: a runaway push loop ends with "stack overflow"
// after 64 Ki values instead of filling 128 MiB.
inline constexpr std::size_t fuzz_forth_max_stack = std::size_t{1} << 16;

// Largest picture the image_open target decodes: 1 Mi pixels (4 MiB of
// surface) decode in milliseconds; the pixel limit itself (2^28) is checked
// from the header, and inputs declaring more are still opened and refused.
inline constexpr long long fuzz_image_max_pixels = 1LL << 20;
