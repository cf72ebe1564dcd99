// A picture's script as --script-of shows it on a terminal: every byte that
// the terminal would act on instead of showing is written visibly, so a
// script cannot hide a line behind a carriage return or an escape sequence.
#pragma once

#include <string>
#include <string_view>

namespace veskel {

// Line feeds and tabs stay; the other C0 controls and DEL become caret
// notation ("^[", "^M", "^?"), as `cat -v` writes them; C1 controls and the
// bidirectional controls that reorder what a terminal shows become
// "<U+202E>"; a byte that is not part of UTF-8 becomes "<0xFF>".
std::string withControlsShown(std::string_view text);

}  // namespace veskel
