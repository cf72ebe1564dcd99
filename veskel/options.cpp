// Parsing of veskel's command line into a run plan.
#include "options.h"

#include <string_view>

namespace veskel {

const char* usageText() {
    return "Usage: veskel [OPTION | FILE]...\n"
           "Run Veskel Forth scripts without a window.\n"
           "\n"
           "  FILE       run a script file, line by line, as `included` does\n"
           "  -e TEXT    run TEXT as one line, as the drawing program's command line does\n"
           "  --         treat every later argument as a file\n"
           "  --help     show this help and exit\n"
           "\n"
           "Files and -e texts run in the order given, on one interpreter. With neither,\n"
           "standard input is read: an interactive prompt on a terminal, otherwise a\n"
           "script. The first error of a non-interactive run is reported on standard\n"
           "error with its line number and ends the run with status 1.\n";
}

Options parseOptions(int argc, char** argv) {
    Options opts;
    bool filesOnly = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (filesOnly || arg == "-" || arg.empty() || arg[0] != '-') {
            opts.plan.push_back({Step::Kind::File, std::string(arg)});
        } else if (arg == "--") {
            filesOnly = true;
        } else if (arg == "--help" || arg == "-h") {
            opts.help = true;
        } else if (arg == "-e") {
            if (i + 1 >= argc) throw UsageError("option -e needs a text");
            opts.plan.push_back({Step::Kind::Text, argv[++i]});
        } else if (arg.size() > 2 && arg.substr(0, 2) == "-e") {
            opts.plan.push_back({Step::Kind::Text, std::string(arg.substr(2))});
        } else {
            throw UsageError("unknown option: " + std::string(arg));
        }
    }
    return opts;
}

}  // namespace veskel
