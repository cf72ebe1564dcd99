// verdigrove's command line.
#pragma once

#include "game.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace verdigrove {

struct Options {
    bool help = false;
    bool version = false;
    bool plain = false;
    bool showSeed = false;
    std::optional<std::uint64_t> seed;
};

// A command line that cannot be followed; the program names it and ends
// with status 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads the options; arguments that are no option are ignored, as they
// always were.  Throws UsageError.
Options parseOptions(int argc, const char* const* argv);

// How the game is shown for these options, given the value of NO_COLOR
// (null when it is not set).
Display displayFor(const Options& options, const char* noColor);

const char* usageText();
// "verdigrove (Pintaro suite) VERSION" and a newline.
std::string versionText();

}  // namespace verdigrove
