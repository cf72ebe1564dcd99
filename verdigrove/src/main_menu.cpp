#include "main_menu.h"

#include "screen.h"
#include "turn_loop.h"

#include <string>

namespace verdigrove {

namespace {

constexpr std::string_view kTitle = "Verdigrove";

constexpr std::string_view kIntroduction =
    "You survived the plane crash.\n\n"
    "With all your gear intact, too:\n\n"
    "Gun, knife, compass, lighter.\n\n"
    "But you have no food or water.\n\n"
    "And a big bad jungle to cross.\n";

// The spacer lines hold one blank each.
constexpr std::string_view kHelp =
    "The point of the game is to cross the 50Km or so separating you from safety.\n"
    "The exact distance varies every time you play.\n"
    " \n"
    "You advance towards the goal by marching on whenever you get the chance.\n"
    "But you have to balance your health and fatigue.\n"
    " \n"
    "The worse your health is, the more easily you get tired. It's not possible\n"
    "to die from exhaustion though.\n"
    " \n"
    "Being tired all the time will hold you up, allowing more dangers to catch up\n"
    "with you and sap your health.\n"
    " \n"
    "Hope this helps. Enjoy!\n";

}  // namespace

void mainMenu(Game& g) {
    bool titleShown = false;
    for (;;) {
        if (g.display.plain && titleShown) {
            // A log or a screen reader has the title and the introduction
            // already: only the menu is new.
            line(g, "");
        } else {
            drawHeader(g, kTitle, "A game by Brindlecote");
            textColors(g);
            line(g, "\n" + std::string(kIntroduction));
            titleShown = true;
        }
        switch (menu(g, {"Play", "Resume", "Color", "Help", "Quit"})) {
        case 1: newGame(g); break;
        case 2:
            g.state.interrupted = false;
            playGame(g);
            break;
        case 3: g.state.colorEnabled = !g.state.colorEnabled; break;
        case 4: showHelp(g); break;
        case 0:
        case 5: line(g, "\nSee you around!"); return;
        default: throw LogicError("Logic error.");
        }
    }
}

void showHelp(Game& g) {
    drawHeader(g, kTitle, "How to play");
    textColors(g);
    line(g, "\n" + std::string(kHelp));
    if (colorShown(g)) {
        control(g, foreground(Color::White, false));
    } else {
        control(g, ansi::resetAttributes);
    }
    line(g, "(press any key)");
    waitKey(g);
}

}  // namespace verdigrove
