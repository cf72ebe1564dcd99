#include "line_runner.h"

#include <fstream>
#include <memory>

namespace forth {

void runLines(Interp& in, const LineSource& next, const LineObserver& observe, std::string_view file) {
    in.setPosition({1, std::string(file)});
    std::string_view line;
    while (next(line)) {
        if (observe) observe(line);
        in.runLine(line);
        // The first line that ends with a new construct still open is where
        // it began; an include inside the line has already noted its own.
        if (in.collecting() && in.opening().start != in.collectingStarts())
            in.opening() = {in.collectingStarts(), in.position()};
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
    in.setPosition({1, {}});
    if (!file) throw ScriptError("cannot open: " + path);
    runLines(in, streamLines(file, path), observe);
}

void includeFile(Interp& in, const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw ScriptError("cannot open: " + path);
    SourcePosition includer = in.position();
    runLines(in, streamLines(file, path), {}, path);
    in.setPosition(std::move(includer));
}

std::string openConstruct(const Interp& in) {
    if (!in.collecting()) return {};
    const std::string& closer = in.terminator();
    return closer == "]"    ? "["
           : closer == "}"  ? "{"
           : closer == ")"  ? "("
           : closer == "*/" ? "/*"
           : closer == ";"  ? ":" + in.textBuffer()  // the name being defined
                            : "construct";
}

void requireClosed(Interp& in) {
    if (!in.collecting()) return;
    const std::string opener = openConstruct(in);
    if (in.opening().start == in.collectingStarts()) in.setPosition(in.opening().where);
    throw ScriptError("unclosed " + opener + " (no " + in.terminator() + " before the end of the input)");
}

std::string describePosition(const SourcePosition& where) {
    std::string text = "line " + std::to_string(where.line);
    if (!where.file.empty()) text += " of " + where.file;
    return text;
}

std::string describeFailure(const std::exception& e, const Interp& in) {
    return errorText(e) + " at " + describePosition(in.position());
}

}  // namespace forth
