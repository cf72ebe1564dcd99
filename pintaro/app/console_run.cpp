#include "console_run.h"

#include <exception>
#include <new>

#include "errors.h"

namespace app {

std::vector<std::string_view> cutLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (c != '\r' && c != '\n') continue;
        lines.push_back(text.substr(start, k - start));
        if (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ++k;
        start = k + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

namespace {
std::size_t codePoints(std::string_view bytes) {
    std::size_t n = 0;
    for (unsigned char c : bytes)
        if ((c & 0xC0) != 0x80) ++n;  // continuation bytes belong to the character before
    return n;
}
}  // namespace

CharRange lineRange(std::string_view text, std::size_t index) {
    const auto lines = cutLines(text);
    if (lines.empty()) return {};
    const std::string_view line = lines[std::min(index, lines.size() - 1)];
    // The line is a view into the text, so its offset is where it starts.
    const auto startByte = static_cast<std::size_t>(line.data() - text.data());
    CharRange r;
    r.start = codePoints(text.substr(0, startByte));
    r.end = r.start + codePoints(line);
    return r;
}

std::optional<ScriptFailure> runScriptText(forth::Interp& in, std::string_view text) {
    const auto lines = cutLines(text);
    in.setLineCounter(1);
    std::size_t index = 0;
    auto failure = [&](const std::string& what) {
        return ScriptFailure{what + " at line " + std::to_string(in.lineCounter()), index};
    };
    try {
        for (; index < lines.size(); ++index) {
            in.runWords(forth::splitWords(lines[index]));
            in.setLineCounter(in.lineCounter() + 1);
        }
    } catch (const forth::StackUnderflow&) {
        return failure("Stack underflow");
    } catch (const std::bad_alloc&) {
        // A word wanted more memory than there is; the run has unwound and
        // the program can go on.
        return failure("Out of memory");
    } catch (const std::exception& e) {
        return failure(e.what());
    }
    return std::nullopt;
}

}  // namespace app
