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
// and collected words between two calls of the poll hook. Every unbounded
// computation repeats such runs or collects ever more words, so the hook
// keeps coming; a hook that wants a time interval
// reads the clock itself, which at this rate costs nothing measurable.
inline constexpr std::uint32_t kPollInterval = 1024;

// Words a line is split into and run at a time. A line is run in pieces so
// that a long one (a generated script's 10 MB line) costs its own size and
// one piece of tokens, not a token per word all at once; 4096 tokens are
// 64 KiB, and every ordinary line is one piece.
inline constexpr std::size_t kLineChunkWords = 4096;

// A token keeps its word's length in 24 bits (so that it fits 16 bytes,
// which keeps the tokens of a long line at a few times the line's size):
// longer words are refused with "word too long".
inline constexpr std::size_t kMaxWordBytes = (std::size_t{1} << 24) - 1;

// The bytes of one word list (a line piece, a block, a definition); tokens
// address them with 32 bits.
inline constexpr std::size_t kMaxListBytes = 0xFFFFFFFFu;

// The words of one word list: a list counts them in 32 bits, which keeps
// a definition's view of its words at 32 bytes.
inline constexpr std::size_t kMaxListWords = 0xFFFFFFFFu;

// Slots of the dictionary's index when it is made: the core words and a
// front end's own (some 150) fit without growing it.
inline constexpr std::size_t kMinDictionarySlots = 512;

// The dictionary keeps its names back to back in chunks of this size (a
// longer name gets a chunk of its own): some 8,000 names of 8 bytes each.
inline constexpr std::size_t kNameChunkBytes = std::size_t{64} << 10;

// A definition whose record and words take more than this is not copied
// out of the compile buffer: the record shares the buffer, so a long
// definition is not held twice. Below it (some 4,000 words) the copy
// costs less than the list it would otherwise keep.
inline constexpr std::size_t kCopiedDefinitionBytes = std::size_t{64} << 10;

// A definition's block up to this size comes from the record pool, carved
// out of chunks of kRecordChunkBytes: a short definition (some 60 bytes)
// then costs no malloc header. Larger blocks are rare and go to malloc,
// where a freed one is not kept waiting for a block of its exact size.
inline constexpr std::size_t kPooledRecordBytes = 512;
inline constexpr std::size_t kRecordChunkBytes = std::size_t{256} << 10;

// A compile buffer that grew beyond this many tokens (a huge definition) is
// released when it is emptied, rather than kept at that size for good.
inline constexpr std::size_t kKeptCompileTokens = 4096;

// The longest line a script file, standard input, `included` or `accept`
// takes. Six times the longest generated line we know of (10 MB), yet a
// source without line ends (/dev/zero, a runaway writer) is refused within
// a fraction of a second instead of taking the machine's memory.
inline constexpr std::size_t kMaxLineBytes = std::size_t{64} << 20;

// What one read of a script or of standard input takes at most; the poll
// hook is reached before each, so a long file keeps it coming.
inline constexpr std::size_t kReadChunkBytes = std::size_t{64} << 10;

// Longest wait for input between two calls of the poll hook: well inside
// the 50 ms in which the stop key must be seen, and long enough that a
// script waiting on a silent FIFO costs no measurable CPU.
inline constexpr int kReadWaitMilliseconds = 10;

}  // namespace forth::limits
