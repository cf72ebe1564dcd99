// veskel's own messages, about its command line, its files and its own
// failures, start with the program's name, once: each goes through here.
// What a script does wrong is the script's and is reported without it.
#pragma once

#include <iosfwd>
#include <string_view>

namespace veskel {

// Writes "veskel: MESSAGE" and a line end to err, and flushes it.
void tell(std::ostream& err, std::string_view message);

}  // namespace veskel
