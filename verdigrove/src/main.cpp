// verdigrove: a turn-based jungle survival game for the text terminal.

#include "game.h"
#include "main_menu.h"
#include "options.h"
#include "output.h"
#include "random.h"
#include "screen.h"
#include "terminal.h"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string_view>
#include <unistd.h>

namespace {

// Standard output, written once per screen.  Made before the exit action is
// registered, so it is still there when that action runs.
std::ostream& gameOutput() {
    static verdigrove::DescriptorOutput buffer(STDOUT_FILENO);
    static std::ostream out(&buffer);
    return out;
}

// Plain output writes no control sequence, not even this one.
std::string_view exitReset = verdigrove::ansi::resetAttributes;
bool attributesReset = false;

// Runs at every exit, fatal errors and the end of input included, so the
// terminal is never left bright or coloured.
void resetAttributesAtExit() {
    if (attributesReset) return;
    attributesReset = true;
    gameOutput() << exitReset;
    gameOutput().flush();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace verdigrove;
    Options options;
    try {
        options = parseOptions(argc, argv);
    } catch (const UsageError& e) {
        std::cerr << "verdigrove: " << e.what() << "\nTry 'verdigrove --help' for more information.\n";
        return 2;
    }
    std::ostream& out = gameOutput();
    try {
        if (options.help || options.version) {
            // Before the exit action: these texts carry no control sequence.
            out << (options.help ? usageText() : versionText());
            out.flush();
            checkOutput(out);
            return EXIT_SUCCESS;
        }
        const Display display = displayFor(options, std::getenv("NO_COLOR"));
        if (display.plain) exitReset = {};
        std::atexit(resetAttributesAtExit);
        restoreTerminalOnSignals(!display.plain);
        const std::uint64_t seed = options.seed ? *options.seed : systemSeedNumber();
        MersenneRandom rng(seed);
        TerminalKeys keys(STDIN_FILENO);
        Game game{GameState{}, out, keys, rng, display};
        game.state.seed = seed;
        game.state.nextSeed = seed;
        mainMenu(game);
    } catch (const std::exception& e) {
        // Reset first, so the message is not shown in the menu's colours.
        // (After a failed --help the stream is failed and takes nothing.)
        resetAttributesAtExit();
        std::cerr << e.what() << '\n';
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
