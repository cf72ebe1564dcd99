// Sizes the game is built around, each with its reason.
#pragma once

#include <cstddef>

namespace verdigrove::limits {

// Output held before it is written.  The game flushes before every key read,
// and its longest screen (the help screen, in colour) is under 1 KiB, so each
// screen or prompt reaches the terminal in one write call; only a stretch of
// text longer than this would go out in several.
inline constexpr std::size_t kOutputBufferBytes = std::size_t{16} << 10;

}  // namespace verdigrove::limits
