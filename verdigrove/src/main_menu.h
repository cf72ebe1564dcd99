// The title screen with its main menu, and the help screen.
#pragma once

#include "game.h"

namespace verdigrove {

// Shows the title screen and its menu until the player quits.
void mainMenu(Game& g);
void showHelp(Game& g);

}  // namespace verdigrove
