// The one game record and the context every rule of the game runs in.
#pragma once

#include "random.h"

#include <array>
#include <cstdint>
#include <iosfwd>
#include <stdexcept>

namespace verdigrove {

class KeySource;

inline constexpr int kEncounterCount = 8;
inline constexpr double kMaxHealth = 5.0;
inline constexpr double kLessonGain = 0.05;
// The gun's full load at the start of a game; a death with all of them left
// is reported as never having fired.
inline constexpr int kStartBullets = 6;

// The declared values are the state at program start; they form a playable
// game on their own ("Resume" before any "Play" walks exactly 50 km).
struct GameState {
    double distance = 50.0;   // km still to walk; won at 0 or less
    double health = 5.0;      // gains capped at 5, losses unbounded
    double fatigue = 0.0;     // reductions floored at 0, gains unbounded
    int hours = 0;
    int bullets = kStartBullets;  // never below 0: a shot at 0 fails instead
    double knowledge = 0.15;  // chance that a risky action goes well
    std::array<double, kEncounterCount> encounterChance{};
    bool interrupted = false;
    bool colorEnabled = false;
    // The seed the generator was given for this game, and the one the next
    // "Play" gives it: the games of a run take consecutive seeds, starting
    // from the run's seed, which also seeds the game at program start.
    std::uint64_t seed = 0;
    std::uint64_t nextSeed = 0;
};

// How the game is shown: chosen when the program starts, never changed by
// play.  The defaults are the full-screen game.
struct Display {
    bool plain = false;        // no control sequences at all, each text once
    bool colorAllowed = true;  // false when NO_COLOR is set: Color then shows nothing
    bool showSeed = false;     // the end report names the game's seed
};

// Everything a situation touches: the state it changes, where it writes,
// where keys come from, where random draws come from, and how it is shown.
// Tests swap the middle three for scripted ones.
struct Game {
    GameState state;
    std::ostream& out;
    KeySource& keys;
    Random& rng;
    Display display{};
};

using Situation = void (*)(Game&);

// End of the input stream while a key was awaited.
struct EndOfInput : std::runtime_error {
    EndOfInput() : std::runtime_error("EOF reached") {}
};

// A menu result outside the offered choices; cannot happen in play.
struct LogicError : std::logic_error {
    using std::logic_error::logic_error;
};

inline void capHealth(GameState& s, double value) { s.health = value < kMaxHealth ? value : kMaxHealth; }
inline void floorFatigue(GameState& s, double value) { s.fatigue = value > 0.0 ? value : 0.0; }
inline void learnLesson(GameState& s) { s.knowledge += kLessonGain; }

// The march pace; also the margin that names the fatigue word.
inline double pace(const GameState& s) { return s.health - s.fatigue; }

// A risky action goes well when a fresh draw falls strictly below the lore.
inline bool skillCheck(Game& g) { return g.rng.real() < g.state.knowledge; }

}  // namespace verdigrove
