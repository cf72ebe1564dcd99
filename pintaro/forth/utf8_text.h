// Whether bytes are text that editors, files and PNG text chunks all keep
// whole: well-formed UTF-8 without NUL characters (an editor stops at a
// NUL, and C strings end there).
#pragma once

#include <string_view>

namespace forth {

// True for well-formed UTF-8 without NUL characters (no overlong forms, no
// surrogates, nothing above U+10FFFF).
bool isUtf8Text(std::string_view bytes);

}  // namespace forth
