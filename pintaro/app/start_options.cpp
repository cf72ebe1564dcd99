#include "start_options.h"

#include <string_view>

#include "about.h"

namespace app {

StartOptions parseStartOptions(int argc, const char* const* argv) {
    StartOptions options;
    bool optionsEnd = false;
    for (int k = 1; k < argc; ++k) {
        const std::string_view arg = argv[k];
        if (!optionsEnd && arg == "--") {
            optionsEnd = true;
            continue;
        }
        if (!optionsEnd && arg.size() > 1 && arg.front() == '-') {
            const bool help = arg == "--help" || arg == "-h";
            if (!help && arg != "--version") throw StartUsageError("unknown option '" + std::string(arg) + "'");
            if (options.action == StartOptions::Action::Run)
                options.action = help ? StartOptions::Action::Help : StartOptions::Action::Version;
            continue;
        }
        if (options.file) throw StartUsageError("only one FILE can be opened, got '" + std::string(arg) + "' too");
        options.file = std::string(arg);
    }
    return options;
}

const char* startUsageText() {
    return "Usage: pintaro [FILE]\n"
           "A drawing program with a turtle steered by Veskel Forth.\n"
           "\n"
           "  FILE        a picture to open (PNG, BMP, JPEG or any format the image\n"
           "              library reads), or a Veskel script (.fs) to load into the\n"
           "              console, where it waits to be run\n"
           "  --help      show this help and exit\n"
           "  --version   show the version and exit\n"
           "  --          take the next argument as the FILE, even if it starts with -\n"
           "\n"
           "Without FILE the drawing starts from a black picture of 640 x 400 pixels.\n"
           "A FILE that cannot be read is reported in a box, as Open or Load reports\n"
           "it. The window needs a graphical display and GTK 3, loaded at start.\n";
}

std::string versionText() {
    // The About box's first line, so that both always name the same version.
    const std::string_view about = kAboutText;
    return std::string(about.substr(0, about.find('\n'))) +
           "\n"
           "Copyright (c) 2026 The Pintaro suite developers\n"
           "Free software under the MIT licence.\n";
}

}  // namespace app
