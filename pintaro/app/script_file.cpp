#include "script_file.h"

#include <cstdio>
#include <memory>

#include "forth/utf8_text.h"

namespace app {

std::string readScriptFile(const std::string& path) {
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "rb"));
    if (!file) throw ScriptFileError("cannot open: " + path);
    std::string text;
    char chunk[65536];
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        text.append(chunk, got);
        if (got < sizeof chunk) break;
    }
    // A directory opens but cannot be read; so do files on a failing disk.
    if (std::ferror(file.get())) throw ScriptFileError("cannot read: " + path);
    if (!forth::isUtf8Text(text)) throw ScriptFileError("not a UTF-8 text file: " + path);
    return text;
}

}  // namespace app
