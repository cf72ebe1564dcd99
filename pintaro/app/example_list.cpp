#include "example_list.h"

#include <algorithm>
#include <system_error>

#include "script_file.h"

namespace app {

namespace fs = std::filesystem;

std::vector<fs::path> examplesFolderCandidates() {
    std::vector<fs::path> folders;
    std::error_code ec;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) folders.push_back(program.parent_path() / PINTARO_EXAMPLES_RELATIVE);
    return folders;
}

fs::path findExamplesFolder(const std::vector<fs::path>& candidates) {
    for (const fs::path& folder : candidates) {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(folder, ec))
            if (entry.path().extension() == ".fs") return folder;
    }
    return {};
}

std::string exampleLine(std::string_view script, std::string_view fileName, std::size_t maxLength) {
    std::string line;
    while (!script.empty()) {
        const std::size_t end = std::min(script.find('\n'), script.size());
        std::string_view text = script.substr(0, end);
        script.remove_prefix(std::min(end + 1, script.size()));
        if (!text.starts_with('\\')) break;
        text.remove_prefix(1);
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
        while (!text.empty() && (text.back() == ' ' || text.back() == '\r')) text.remove_suffix(1);
        if (text.empty()) break;  // the paragraph ends
        if (!line.empty()) line += ' ';
        line += text;
    }
    const std::string prefix = std::string(fileName) + ": ";
    if (line.starts_with(prefix)) line.erase(0, prefix.size());
    if (line.size() > maxLength) {
        std::size_t cut = line.rfind(' ', maxLength - 3);
        if (cut == std::string::npos || cut == 0) cut = maxLength - 3;
        line = line.substr(0, cut) + "...";
    }
    return line;
}

std::vector<Example> listExamples(const fs::path& folder, std::size_t maxLength) {
    std::vector<Example> examples;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (entry.path().extension() != ".fs") continue;
        Example e;
        e.name = entry.path().stem().string();
        e.script = entry.path();
        e.thumbnail = folder / "thumbs" / (e.name + ".png");
        try {
            e.line = exampleLine(readScriptFile(e.script.string()), e.script.filename().string(), maxLength);
        } catch (const ScriptFileError&) {
            continue;  // not readable as a script: not offered
        }
        examples.push_back(std::move(e));
    }
    std::sort(examples.begin(), examples.end(), [](const Example& a, const Example& b) { return a.name < b.name; });
    return examples;
}

}  // namespace app
