#include "error_hint.h"

#include <unistd.h>

#include <cstdlib>
#include <ostream>
#include <string>

#include "reference/word_hints.h"

namespace veskel {

namespace {

bool hintsWanted() {
    if (const char* set = std::getenv("VESKEL_HINTS"); set && *set) return std::string_view(set) != "0";
    return isatty(STDERR_FILENO) == 1;
}

}  // namespace

void writeHint(std::ostream& err, const forth::Interp& in, std::string_view message, std::string_view line) {
    if (!hintsWanted()) return;
    const std::string hint = reference::hintFor(in, message, line);
    if (!hint.empty()) err << "hint: " << hint << std::endl;
}

std::string_view lastScriptLine(std::string_view script) {
    if (script.ends_with('\n')) script.remove_suffix(1);
    const std::size_t start = script.rfind('\n');
    return start == std::string_view::npos ? script : script.substr(start + 1);
}

}  // namespace veskel
