#include "line_runner.h"

#include <memory>

#include "fd_input.h"

namespace forth {

namespace {

// Editors on some systems start a UTF-8 file with a byte-order mark; it is
// not part of the script's first word.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A file opened so that waiting for it (a FIFO without a writer yet, a
// silent writer) keeps reaching the poll hook, which can stop the run.
std::unique_ptr<FdInput> openScript(Interp& in, const std::string& path) {
    auto file = FdInput::open(path, [&in] { in.pollNow(); });
    if (!file) throw ScriptError("cannot open: " + path);
    return file;
}

}  // namespace

void runLines(Interp& in, const LineSource& next, const LineObserver& observe, std::string_view file) {
    in.setPosition({1, std::string(file)});
    std::string_view line;
    if (next(line)) {
        if (line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
    } else {
        return;
    }
    for (bool more = true; more; more = next(line)) {
        if (observe) observe(line);
        in.runLine(line);
        // The first line that ends with a new construct still open is where
        // it began; an include inside the line has already noted its own.
        in.noteOpening();
        in.setLineCounter(in.lineCounter() + 1);
    }
}

LineSource streamLines(std::istream& stream, std::string name) {
    // The buffer is shared with the copies std::function may make.
    auto buffer = std::make_shared<std::string>();
    return [&stream, name = std::move(name), buffer](std::string_view& line) {
        // A directory opens but cannot be read: readLine says so rather
        // than run nothing.
        if (!readLine(stream, *buffer, name)) return false;
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

LineSource listLines(const std::vector<std::string_view>& lines, std::size_t& taken) {
    return [&lines, &taken](std::string_view& line) {
        if (taken >= lines.size()) return false;
        line = lines[taken++];
        return true;
    };
}

void runFile(Interp& in, const std::string& path, const LineObserver& observe) {
    in.setPosition({1, {}});
    const auto file = openScript(in, path);
    runLines(in, streamLines(*file, path), observe);
}

void includeFile(Interp& in, const std::string& path) {
    const auto file = openScript(in, path);
    SourcePosition includer = in.position();
    runLines(in, streamLines(*file, path), {}, path);
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
