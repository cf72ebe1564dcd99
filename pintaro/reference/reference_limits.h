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
