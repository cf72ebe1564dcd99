// Text made fit for pango, which takes only well-formed UTF-8: it warns on
// standard error about anything else and draws its bytes as boxes. A label
// can hold any bytes (a script file in Latin-1, a cut paste), so the canvas
// repairs its text first, as text viewers do.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace raster {

// Null when `text` is well-formed UTF-8 (NUL bytes included), so that good
// text is used as it is. Otherwise the text with each ill-formed part
// replaced by U+FFFD: one per maximal subpart, as Unicode recommends and
// browsers do (a cut-off sequence is one replacement, a stray byte one
// each), so that no valid character next to the fault is lost.
std::optional<std::string> repairedUtf8(std::string_view text);

}  // namespace raster
