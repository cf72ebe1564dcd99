// The eight encounters that break up the march.  Each prints its situation,
// asks through the numbered menu and applies the chosen outcome.
#pragma once

#include "game.h"

#include <array>
#include <string_view>

namespace verdigrove {

void poolOfWater(Game& g);
void strangeFruit(Game& g);
void animal(Game& g);
void screamingMonkeys(Game& g);
void crawlie(Game& g);
void ancientRuins(Game& g);
void swamp(Game& g);
void creepingVines(Game& g);

struct Encounter {
    std::string_view name;
    Situation run;
};

// Slot order: the turn loop tries them, and keeps their chances, in this order.
inline constexpr std::array<Encounter, kEncounterCount> kEncounters{{
    {"pool of water", poolOfWater},
    {"strange fruit", strangeFruit},
    {"animal", animal},
    {"screaming monkeys", screamingMonkeys},
    {"crawlie", crawlie},
    {"ancient ruins", ancientRuins},
    {"swamp", swamp},
    {"creeping vines", creepingVines},
}};

}  // namespace verdigrove
