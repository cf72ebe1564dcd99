// Starting, resuming and playing a game: the turn loop, the choice of each
// turn's situation, the default situation and the end report.
#pragma once

#include "game.h"

namespace verdigrove {

// Resets all but the colour setting, draws the distance, then plays.
void newGame(Game& g);
// Plays turns until death, victory or interruption, then reports.
void playGame(Game& g);
// This turn's situation: an encounter whose chance fired, or the default.
Situation pickEncounter(Game& g);

void defaultSituation(Game& g);
void marchOn(Game& g);
void rest(Game& g);

}  // namespace verdigrove
