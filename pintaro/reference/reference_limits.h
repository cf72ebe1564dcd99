// Limits of the word reference.
#pragma once

#include <cstddef>

namespace reference::limits {

// Longest help text: the plain-text reference indents it by six columns and
// should read in an 80-column terminal without wrapping.
inline constexpr std::size_t kMaxHelpLength = 74;

// Width the plain-text reference wraps its paragraphs at.
inline constexpr std::size_t kTextWidth = 78;

}  // namespace reference::limits

namespace reference::limits {

// A word this many edits (a letter changed, added, dropped, or two swapped)
// from a known one is taken for a typing slip. One edit for short words:
// two edits turn "fd" into almost any two-letter word.
inline constexpr std::size_t kNearMissEdits = 2;
inline constexpr std::size_t kNearMissShortEdits = 1;
// Words up to this length count as short.
inline constexpr std::size_t kNearMissShortLength = 4;

}  // namespace reference::limits
