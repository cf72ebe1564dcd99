// The command line: options, and the scripts to run in their order.
#pragma once

#include <stdexcept>
#include <vector>

// A command line that cannot be run; the message names what is wrong.
class ostrin_usage_error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One script to run: a file, or the code given with -e.
struct ostrin_source {
    bool is_code;
    const char* text;  // the path, or the code; points into argv
};

struct ostrin_options {
    enum class action { run, help, version };
    action what = action::run;
    // --trace: say where an uncaught error happened even when standard
    // error is no terminal.
    bool trace = false;
    std::vector<ostrin_source> sources;
};

// Reads argv; throws ostrin_usage_error for an unknown option or a -e
// without its code. --help and --version end the reading where they stand.
ostrin_options ostrin_parse_options(int argc, char** argv);

// The text of --help.
extern const char ostrin_help_text[];
