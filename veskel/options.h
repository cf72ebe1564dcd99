// Command-line options of veskel: what to run, in the order given, and what
// happens to the drawing around the run.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "turtle/turtle_limits.h"

namespace veskel {

// One step of the run plan: a script file, or one line of text from -e.
struct Step {
    enum class Kind { File, Text };
    Kind kind;
    std::string arg;
};

struct Options {
    bool help = false;
    bool version = false;
    bool words = false;  // print the word reference and exit
    std::vector<Step> plan;  // empty: read standard input
    // Size of the image the turtle starts on.
    int width = turtle::limits::kStartWidth;
    int height = turtle::limits::kStartHeight;
    bool sizeGiven = false;
    // A picture to start from instead (--open); empty for none.
    std::string openPath;
    // Files the image is written to after a clean run, in the order given.
    // Each names a raster or vector format and looked writable (checked
    // while parsing).
    std::vector<std::string> savePaths;
    // Files the animation of the drawing being made is written to after a
    // clean run, after the pictures; checked likewise.
    std::vector<std::string> animationPaths;
    // Drawing operations per frame; 0 lets the animation choose.
    std::size_t frameEvery = 0;
    // --script-of PICTURE: print the script the picture keeps, nothing else.
    std::string scriptOf;
    // --replay PICTURE: run the picture's script again, from the start it
    // names, instead of a plan.
    std::string replay;
};

// Bad usage; main reports it with status 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

Options parseOptions(int argc, char** argv);
// What --help prints: the options, then where the installed tour and word
// reference are.
const std::string& usageText();
// What --version prints: the suite's version, as its build names it.
std::string versionText();

// "WIDTHxHEIGHT", each a decimal number from 1 to INT_MAX; raises UsageError.
std::pair<int, int> parseSize(std::string_view text);

// A decimal number of drawing operations from 1 to INT_MAX; raises UsageError.
std::size_t parseFrameInterval(std::string_view text);

}  // namespace veskel
