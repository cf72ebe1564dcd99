// Command-line options of veskel: what to run, in the order given.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace veskel {

// One step of the run plan: a script file, or one line of text from -e.
struct Step {
    enum class Kind { File, Text };
    Kind kind;
    std::string arg;
};

struct Options {
    bool help = false;
    std::vector<Step> plan;  // empty: read standard input
};

// Bad usage; main reports it with status 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

Options parseOptions(int argc, char** argv);
const char* usageText();

}  // namespace veskel
