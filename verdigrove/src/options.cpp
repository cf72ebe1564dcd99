#include "options.h"

#include <limits>
#include <string>
#include <string_view>

#ifndef VERDIGROVE_VERSION
#error "VERDIGROVE_VERSION names the suite's version; the build defines it"
#endif

namespace verdigrove {

namespace {

constexpr std::string_view kSeedOption = "--seed";

// A seed written in decimal digits only, 0 to 2^64 - 1.
std::uint64_t parseSeed(std::string_view text) {
    constexpr auto kMax = std::numeric_limits<std::uint64_t>::max();
    auto bad = [&] {
        return UsageError("invalid seed '" + std::string(text) + "': expected a whole number from 0 to " +
                          std::to_string(kMax));
    };
    if (text.empty()) throw bad();
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') throw bad();
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (kMax - digit) / 10) throw bad();
        value = value * 10 + digit;
    }
    return value;
}

}  // namespace

Options parseOptions(int argc, const char* const* argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") break;
        if (arg.size() < 2 || arg[0] != '-') continue;  // not an option
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--plain") {
            options.plain = true;
        } else if (arg == "--show-seed") {
            options.showSeed = true;
        } else if (arg == kSeedOption) {
            if (i + 1 >= argc) throw UsageError("option '--seed' needs a number");
            options.seed = parseSeed(argv[++i]);
        } else if (arg.starts_with(kSeedOption) && arg[kSeedOption.size()] == '=') {
            options.seed = parseSeed(arg.substr(kSeedOption.size() + 1));
        } else {
            throw UsageError("unrecognized option '" + std::string(arg) + "'");
        }
    }
    return options;
}

Display displayFor(const Options& options, const char* noColor) {
    Display display;
    display.plain = options.plain;
    display.colorAllowed = noColor == nullptr || *noColor == '\0';
    // Without any option every screen stays as it always was; a run that
    // chose a seed, or plain text for a log, names the seed of each game.
    display.showSeed = options.showSeed || options.seed.has_value() || options.plain;
    return display;
}

const char* usageText() {
    return "Usage: verdigrove [OPTION]...\n"
           "Cross the jungle after a plane crash: a turn-based survival game for the\n"
           "text terminal, played with single key presses.\n"
           "\n"
           "  --seed N     play from seed N (0 to 18446744073709551615): the same seed\n"
           "               and the same keys give the same game; the run's later games\n"
           "               take N+1, N+2 and so on (default: a seed from the system)\n"
           "  --show-seed  name each game's seed in its end report, so that it can be\n"
           "               played again with --seed (--seed and --plain do this too)\n"
           "  --plain      plain text: no clearing, no cursor moves, no colour, and each\n"
           "               text printed once, for a screen reader or a log\n"
           "  --help       show this help and exit\n"
           "  --version    show the version and exit\n"
           "\n"
           "NO_COLOR set to anything but the empty text keeps the colours off; the\n"
           "Color item of the title screen then changes nothing.\n";
}

std::string versionText() { return "verdigrove (Pintaro suite) " VERDIGROVE_VERSION "\n"; }

}  // namespace verdigrove
