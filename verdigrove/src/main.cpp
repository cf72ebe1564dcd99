// verdigrove: a turn-based jungle survival game for the text terminal.

#include "game.h"
#include "main_menu.h"
#include "output.h"
#include "random.h"
#include "screen.h"
#include "terminal.h"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <unistd.h>

namespace {

// Standard output, written once per screen.  Made before the exit action is
// registered, so it is still there when that action runs.
std::ostream& gameOutput() {
    static verdigrove::DescriptorOutput buffer(STDOUT_FILENO);
    static std::ostream out(&buffer);
    return out;
}

bool attributesReset = false;

// Runs at every exit, fatal errors and the end of input included, so the
// terminal is never left bright or coloured.
void resetAttributesAtExit() {
    if (attributesReset) return;
    attributesReset = true;
    gameOutput() << verdigrove::ansi::resetAttributes;
    gameOutput().flush();
}

}  // namespace

int main() {
    using namespace verdigrove;
    std::ostream& out = gameOutput();
    std::atexit(resetAttributesAtExit);
    try {
        restoreTerminalOnSignals();
        auto seedWords = systemSeed();
        std::seed_seq seed(seedWords.begin(), seedWords.end());
        MersenneRandom rng(seed);
        TerminalKeys keys(STDIN_FILENO);
        Game game{GameState{}, out, keys, rng};
        mainMenu(game);
    } catch (const std::exception& e) {
        // Reset first, so the message is not shown in the menu's colours.
        resetAttributesAtExit();
        std::cerr << e.what() << '\n';
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
