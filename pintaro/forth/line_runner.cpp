#include "line_runner.h"

#include <fstream>
#include <memory>

namespace forth {

void runLines(Interp& in, const LineSource& next, const LineObserver& observe) {
    in.setLineCounter(1);
    std::string_view line;
    while (next(line)) {
        if (observe) observe(line);
        in.runWords(splitWords(line));
        in.setLineCounter(in.lineCounter() + 1);
    }
}

LineSource streamLines(std::istream& stream, std::string name) {
    // The buffer is shared with the copies std::function may make.
    auto buffer = std::make_shared<std::string>();
    return [&stream, name = std::move(name), buffer](std::string_view& line) {
        if (!std::getline(stream, *buffer)) {
            // A directory opens but cannot be read; say so rather than run nothing.
            if (stream.bad()) throw ScriptError("cannot read: " + name);
            return false;
        }
        if (!buffer->empty() && buffer->back() == '\r') buffer->pop_back();
        line = *buffer;
        return true;
    };
}

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

void runFile(Interp& in, const std::string& path, const LineObserver& observe) {
    std::ifstream file(path, std::ios::binary);
    // The counter starts at 1 even when the file cannot be opened, as it
    // always has for `included`.
    in.setLineCounter(1);
    if (!file) throw ScriptError("cannot open: " + path);
    runLines(in, streamLines(file, path), observe);
}

}  // namespace forth
