#include "console_run.h"

#include "forth/line_runner.h"
#include "script_run.h"
#include "reference/word_hints.h"

namespace app {

namespace {
std::size_t codePoints(std::string_view bytes) {
    std::size_t n = 0;
    for (unsigned char c : bytes)
        if ((c & 0xC0) != 0x80) ++n;  // continuation bytes belong to the character before
    return n;
}
}  // namespace

CharRange lineRange(std::string_view text, std::size_t index) {
    const auto lines = forth::cutLines(text);
    if (lines.empty()) return {};
    const std::string_view line = lines[std::min(index, lines.size() - 1)];
    // The line is a view into the text, so its offset is where it starts.
    const auto startByte = static_cast<std::size_t>(line.data() - text.data());
    CharRange r;
    r.start = codePoints(text.substr(0, startByte));
    r.end = r.start + codePoints(line);
    return r;
}

std::optional<ScriptFailure> runScriptText(forth::Interp& in, std::string_view text,
                                           const forth::LineObserver& observe) {
    const auto lines = forth::cutLines(text);
    std::size_t taken = 0;
    const auto error = failureOf([&] {
        forth::runLines(in, forth::listLines(lines, taken), observe);
    });
    if (!error) return std::nullopt;
    // A line of an included file is not the editor's: its hints are not guessed.
    const std::string_view line = in.position().file.empty() ? lines[taken - 1] : std::string_view();
    return ScriptFailure{*error + " at " + forth::describePosition(in.position()), taken - 1,
                         reference::hintFor(in, *error, line)};
}

}  // namespace app
