#include "turn_loop.h"

#include "encounters.h"
#include "random.h"
#include "screen.h"

#include <string>

namespace verdigrove {

namespace {

constexpr double kChanceGrowth = 0.05;  // per turn an encounter did not fire
constexpr double kChanceDamping = 5.0;  // a fired encounter's chance is divided by this
constexpr double kNightMonkeys = 0.15;  // a night draw below this brings the monkeys
constexpr double kNightCrawlie = 0.30;  // ... below this (and not the above) a crawlie

bool playing(const GameState& s) { return s.health > 0 && s.distance > 0; }

void report(Game& g) {
    const GameState& s = g.state;
    // Death wins over a last step that also crossed the finish.
    if (s.health <= 0) {
        line(g, "You died in the jungle, after " + std::to_string(s.hours) + " hours of struggle.");
        line(g, "No more than " + formatReal(s.distance) + "km away from safety.");
        if (s.bullets == kStartBullets) line(g, "Without as much as firing a single bullet.");
        line(g, "Oh well, better luck next time.");
    } else if (s.distance <= 0) {
        line(g, "At last, the trees open up. You see a village. Saved!");
        line(g, "Unless it's a hostile tribe? Just kidding. You win!");
        line(g, "(In " + std::to_string(s.hours) + " hours, with " + std::to_string(s.bullets) + " bullets left.)");
    } else {
        line(g, "Game interrupted.");
    }
    if (g.display.showSeed) {
        const std::string seed = std::to_string(s.seed);
        line(g, "Seed: " + seed + " (verdigrove --seed " + seed + " plays this game again)");
    }
}

}  // namespace

void newGame(Game& g) {
    GameState& s = g.state;
    // Each game starts its draws from its own seed, so the seed in its report
    // plays it again from the title screen of a new run.
    s.seed = s.nextSeed++;
    g.rng.reseed(s.seed);
    s.fatigue = 0;
    s.interrupted = false;
    s.health = kMaxHealth;
    s.bullets = kStartBullets;
    s.knowledge = 0.15;
    s.distance = 44 + g.rng.integer(1, 10);
    s.hours = 0;
    s.encounterChance.fill(0.0);
    playGame(g);
}

void playGame(Game& g) {
    while (playing(g.state)) {
        auto [status, scenery] = statusLines(g.state);
        drawHeader(g, status, scenery);
        textColors(g);
        line(g, "");
        pickEncounter(g)(g);
        if (g.state.interrupted) break;
        line(g, "\n(press any key)");
        waitKey(g);
    }
    line(g, "");
    report(g);
    line(g, "\n(press any key)");
    waitKey(g);
}

Situation pickEncounter(Game& g) {
    auto& chances = g.state.encounterChance;
    for (std::size_t i = 0; i < kEncounters.size(); ++i) {
        if (g.rng.real() < chances[i]) {
            chances[i] /= kChanceDamping;
            return kEncounters[i].run;
        }
        chances[i] += kChanceGrowth;
    }
    return defaultSituation;
}

void defaultSituation(Game& g) {
    line(g, "Around you, the jungle looms.");
    switch (menu(g, {"March on", "Get some rest"})) {
    case 0: g.state.interrupted = true; break;
    case 1: marchOn(g); break;
    case 2: rest(g); break;
    default: throw LogicError("Logic error");
    }
}

void marchOn(Game& g) {
    GameState& s = g.state;
    if (s.fatigue >= s.health) {
        line(g, "You can't take another step.");
        rest(g);
        return;
    }
    const double speed = pace(s);
    s.distance -= speed;
    s.fatigue += 1;
    s.hours += 1;
    if (speed <= 1) {
        line(g, "You crawl along tiredly.");
    } else if (speed <= 3) {
        line(g, "You march on, making steady progress.");
    } else {
        line(g, "You advance quickly for now...");
    }
}

void rest(Game& g) {
    GameState& s = g.state;
    s.hours += 1;
    if (s.health < kMaxHealth) {
        capHealth(s, s.health + 0.5);
        floorFatigue(s, s.fatigue - (s.fatigue >= s.health ? 1.0 : 0.5));
        line(g, "You rest and heal a little.");
    } else {
        floorFatigue(s, s.fatigue - (s.fatigue < s.health ? 1.0 : 2.0));
        line(g, "You get some good rest.");
    }
    const double night = g.rng.real();
    if (night < kNightMonkeys) {
        line(g, "But while you were sleeping...\n");
        screamingMonkeys(g);
    } else if (night < kNightCrawlie) {
        line(g, "But while you were sleeping...\n");
        crawlie(g);
    }
}

}  // namespace verdigrove
