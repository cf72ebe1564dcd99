#include "encounters.h"

#include "random.h"
#include "screen.h"

#include <initializer_list>
#include <string>

namespace verdigrove {

namespace {

constexpr double kRuinsLore = 0.3;  // a search draw below this finds inscriptions
constexpr double kRuinsGold = 0.6;  // ... below this (and not the above) gold

// The menu of an encounter; cancelling it interrupts the game.
int ask(Game& g, std::initializer_list<std::string_view> choices) {
    const int choice = menu(g, choices);
    if (choice == 0) g.state.interrupted = true;
    return choice;
}

[[noreturn]] void logicError() { throw LogicError("Logic error."); }

template <std::size_t N>
std::string_view drawFrom(Game& g, const std::array<std::string_view, N>& items) {
    return items[g.rng.choice(N)];
}

bool canShoot(Game& g) {
    if (g.state.bullets > 0) {
        g.state.bullets -= 1;
        return true;
    }
    line(g, "Click! Click! No more bullets...");
    return false;
}

void eatCatch(Game& g) {
    g.state.hours += 1;
    capHealth(g.state, g.state.health + 2);
    line(g, "Poor critter is tasty roasted on a tiny fire.");
    line(g, "You recover much of your strength.");
}

void rainOfBlows(Game& g) {
    g.state.health -= 2;
    line(g, "A rain of kicks and bites descends upon you!");
    line(g, "At long last, the monkeys scatter, shrieking.");
}

void plantChews(Game& g) {
    g.state.health -= 1;
    line(g, std::string("The plants chews on you with its toothless maw,") +
                " burning you with digestive juices before you escape.");
}

}  // namespace

void poolOfWater(Game& g) {
    GameState& s = g.state;
    line(g, "You find a pool of water.");
    switch (ask(g, {"Drink some", "Leave it"})) {
    case 0: return;
    case 1:
        floorFatigue(s, s.fatigue - 2);
        line(g, "The water is cool. You feel refreshed.");
        if (!skillCheck(g)) {
            line(g, "But drinking from the pool soon makes you ill.");
            line(g, "At least you learn the signs better.");
            s.health -= 1;
            learnLesson(s);
        }
        return;
    case 2: line(g, "Better not chance taking a drink at this time."); return;
    default: logicError();
    }
}

void strangeFruit(Game& g) {
    GameState& s = g.state;
    line(g, "You find strange fruit.");
    switch (ask(g, {"Eat some", "Leave it"})) {
    case 0: return;
    case 1:
        capHealth(s, s.health + 1);
        line(g, "The fruit is tasty. You recover some strength.");
        if (!skillCheck(g)) {
            line(g, "But soon after eating it you feel drowsy.");
            line(g, "At least you learn the signs better.");
            s.fatigue += 2;
            learnLesson(s);
        }
        return;
    case 2: line(g, "Better not chance taking a bite at this time."); return;
    default: logicError();
    }
}

void animal(Game& g) {
    static constexpr std::array<std::string_view, 3> creatures{"A small herbivore", "Some large rodent",
                                                               "A flightless bird"};
    static constexpr std::array<std::string_view, 2> deeds{" hears your steps and bolts.",
                                                           " stumbles out of the bushes."};
    GameState& s = g.state;
    // The creature is drawn before its deed.
    std::string situation(drawFrom(g, creatures));
    situation += drawFrom(g, deeds);
    line(g, situation);
    switch (ask(g, {"Shoot it", "Run after it", "Just move on"})) {
    case 0: return;
    case 1:
        if (!canShoot(g)) {
            line(g, "The lucky creature soon vanishes.");
            return;
        }
        line(g, "You carefully take aim and... BANG!");
        eatCatch(g);
        return;
    case 2:
        if (s.fatigue >= s.health) {
            line(g, "You're too tired to give chase.");
            return;
        }
        if (skillCheck(g)) {
            s.fatigue += 1;
            line(g, "You hunt it down and catch it.");
            eatCatch(g);
        } else {
            s.fatigue += 1;
            learnLesson(s);
            line(g, "You chase after it, but it's too fast.");
            line(g, "At least you learn new tricks.");
        }
        return;
    case 3: line(g, "You decide against playing hunter right now."); return;
    default: logicError();
    }
}

void screamingMonkeys(Game& g) {
    GameState& s = g.state;
    line(g, "Screaming monkeys come out of nowhere to harass you!");
    switch (ask(g, {"Shoot at them", "Look scary", "Run away"})) {
    case 0: return;
    case 1:
        if (!canShoot(g)) {
            rainOfBlows(g);
            return;
        }
        line(g, "BANG! Your bullet goes crashing through the foliage.");
        line(g, "The monkeys scatter, shrieking even more loudly.");
        return;
    case 2:
        line(g, "You shout and wave a branch, trying to look bigger.");
        if (skillCheck(g)) {
            line(g, "The monkeys laugh mockingly at you as they scatter.");
        } else {
            learnLesson(s);
            line(g, "It doesn't seem to be working very well at all.");
            rainOfBlows(g);
        }
        return;
    case 3:
        s.hours += 1;
        s.fatigue += 1;
        line(g, "You run away blindly, until your lungs burn.");
        line(g, "The chorus of shrieks slowly remains behind.");
        return;
    default: logicError();
    }
}

void crawlie(Game& g) {
    static constexpr std::array<std::string_view, 3> creatures{"giant centipede", "big hairy spider",
                                                               "colorful snake"};
    GameState& s = g.state;
    line(g, "A " + std::string(drawFrom(g, creatures)) + " falls on you from above!");
    switch (ask(g, {"Remove it carefully", "Stand still"})) {
    case 0: return;
    case 1:
        if (skillCheck(g)) {
            line(g, "The crawlie wriggles wetly in your grasp. Yuck!");
        } else {
            learnLesson(s);
            s.health -= 1.5;
            line(g, "You carefully try to pick up the crawlie, but... OW!");
            line(g, "It bites! You're poisoned. Burns pretty badly, too.");
        }
        line(g, "At least it's gone now. Hopefully.");
        return;
    case 2:
        s.hours += 1;
        s.fatigue += 1;
        line(g, "You wait tensely for what seems like hours.");
        line(g, "In the end, it's gone, and you're sweating.");
        return;
    default: logicError();
    }
}

void ancientRuins(Game& g) {
    GameState& s = g.state;
    line(g, "You discover ancient ruins...");
    switch (ask(g, {"Rest here", "Search the place", "Just move on"})) {
    case 0: return;
    case 1:
        // A safe shelter: no night event here.
        floorFatigue(s, s.fatigue - 1);
        capHealth(s, s.health + 1);
        s.hours += 2;
        line(g, "You sleep undisturbed for once, before moving on.");
        return;
    case 2: {
        s.hours += 1;
        const double r = g.rng.real();
        if (r < kRuinsLore) {
            learnLesson(s);
            line(g, "You find old inscriptions teaching about the jungle.");
        } else if (r < kRuinsGold) {
            line(g, "You find gold and diamonds. Not much use right now.");
        } else {
            line(g, "You find nothing of interest this time around.");
        }
        return;
    }
    case 3:
        s.hours += 1;
        s.fatigue += 1;
        s.distance -= 3;
        line(g, "You march on, emboldened, covering a good distance.");
        return;
    default: logicError();
    }
}

void swamp(Game& g) {
    GameState& s = g.state;
    line(g, "A vast swamp bars your way.");
    switch (ask(g, {"Risk a crossing", "Go around it"})) {
    case 0: return;
    case 1:
        if (skillCheck(g)) {
            line(g, "Somehow you navigate the maze more or less safely.");
        } else {
            s.health -= 1;
            learnLesson(s);
            line(g, "Mud pulls at your feet, and you nearly drown once.");
            line(g, "Mosquitos besiege you; their bites make you ill.");
        }
        s.hours += 1;
        s.fatigue += 1;
        s.distance -= 5;
        line(g, "It's a scary shortcut to take, but it saves a lot of travel.");
        return;
    case 2:
        s.fatigue += 1.5;
        s.hours += 2;
        line(g, "A long, tiresome detour. Safe, but no closer to your goal.");
        return;
    default: logicError();
    }
}

void creepingVines(Game& g) {
    GameState& s = g.state;
    line(g, "Creeping vines entangle your limbs and drag you down.");
    line(g, "Oh no! It's a man-eating mandragore, and it's hungry!");
    switch (ask(g, {"Shoot it", "Wrestle free", "Cut the vines"})) {
    case 0: return;
    case 1:
        if (!canShoot(g)) {
            plantChews(g);
            return;
        }
        line(g, "BANG! You hit the plant's smelly flower dead center.");
        line(g, "It wilts away with a horrible squelching sound.");
        return;
    case 2: {
        // Strength against the plant; wrestling teaches nothing.
        const double p = pace(s) * 2 / 10;
        if (g.rng.real() < p) {
            line(g, "You vigorously pull at the vines, breaking a few.");
            line(g, "The plant soon decides to wait for easier prey.");
        } else {
            line(g, "You pull tiredly at the vines. It's not enough.");
            plantChews(g);
        }
        s.fatigue += 1;
        return;
    }
    case 3:
        s.fatigue += 1;
        if (skillCheck(g)) {
            line(g, "You expertly hack at the vines with your knife.");
            line(g, "The plant soon decides to wait for easier prey.");
        } else {
            learnLesson(s);
            line(g, "You clumsily hack at the vines with your knife.");
            plantChews(g);
        }
        return;
    default: logicError();
    }
}

}  // namespace verdigrove
