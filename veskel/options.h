// Command-line options of veskel: what to run, in the order given, and what
// happens to the drawing around the run.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "turtle_limits.h"

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
    // Size of the image the turtle starts on.
    int width = turtle::limits::kStartWidth;
    int height = turtle::limits::kStartHeight;
    // Files the image is written to after a clean run, in the order given.
    // Each has an extension of the save-format table (checked while parsing).
    std::vector<std::string> savePaths;
};

// Bad usage; main reports it with status 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A save path whose extension names no format; main reports it with the
// format message alone and status 2, before anything runs.
struct UnsupportedSavePath : std::runtime_error {
    using std::runtime_error::runtime_error;
};

Options parseOptions(int argc, char** argv);
const char* usageText();

// "WIDTHxHEIGHT", each a decimal number from 1 to INT_MAX; raises UsageError.
std::pair<int, int> parseSize(std::string_view text);

}  // namespace veskel
