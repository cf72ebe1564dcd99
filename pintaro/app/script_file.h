// Reading a script file into the console's editor. The editor holds UTF-8
// text and stops at a NUL character, so a file that is not such text is
// refused whole rather than shown cut or garbled.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace app {

struct ScriptFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The whole file. Raises ScriptFileError "cannot open: <path>", "cannot
// read: <path>" or "not a UTF-8 text file: <path>" (forth::isUtf8Text).
std::string readScriptFile(const std::string& path);

}  // namespace app
