#include "open_given_file.h"

#include <filesystem>
#include <system_error>

#include "console_handlers.h"
#include "file_commands.h"

namespace app {

bool isScriptFile(std::string_view path) {
    const std::string_view name = path.substr(path.find_last_of('/') + 1);
    if (name.size() <= 3) return false;  // ".fs" alone is a hidden file's name
    const std::string_view ext = name.substr(name.size() - 3);
    return ext[0] == '.' && (ext[1] | 0x20) == 'f' && (ext[2] | 0x20) == 's';
}

void openGivenFile(AppState& state, MainWindow& w, ConsoleWindow& c, const std::string& path) {
    // Absolute as a dialog's choice is, so that Save's dialog later opens in
    // the file's folder whatever folder the program was started in.
    std::error_code noFolder;
    std::filesystem::path full = std::filesystem::absolute(path, noFolder);
    const std::string chosen = noFolder ? path : full.string();
    if (isScriptFile(chosen)) {
        if (loadScriptFile(c, w, chosen)) c.show();
        return;
    }
    openPictureFile(state, w, c, chosen);
}

}  // namespace app
