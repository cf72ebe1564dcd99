#include "options.h"

#include <string>
#include <string_view>

const char ostrin_help_text[] =
    "Usage: ostrin [OPTION]... [FILE]...\n"
    "Run JavaScript files, one after another in one engine, with curses\n"
    "bindings for full-screen terminal programs.\n"
    "\n"
    "  -e CODE    run CODE as a script, in its place among the files\n"
    "  --trace    on an uncaught error, print its file, line and stack trace\n"
    "             even when standard error is not a terminal\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n"
    "  --         end the options: every argument after it is a file\n"
    "\n"
    "Without a file or -e, print the usage line and exit.\n";

ostrin_options ostrin_parse_options(int argc, char** argv)
{
    ostrin_options options;
    bool options_ended = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        // "-" alone is a file name, as it always was.
        if (options_ended || arg.size() < 2 || arg[0] != '-') {
            options.sources.push_back({false, argv[i]});
        } else if (arg == "--") {
            options_ended = true;
        } else if (arg == "--help") {
            options.what = ostrin_options::action::help;
            return options;
        } else if (arg == "--version") {
            options.what = ostrin_options::action::version;
            return options;
        } else if (arg == "--trace") {
            options.trace = true;
        } else if (arg == "-e") {
            if (i + 1 == argc)
                throw ostrin_usage_error("option -e needs the code to run");
            options.sources.push_back({true, argv[++i]});
        } else {
            throw ostrin_usage_error("unknown option " + std::string(arg));
        }
    }
    return options;
}
