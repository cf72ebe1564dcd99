// Every choice of every encounter: its texts, its changes to the state and
// which failures teach a lesson.
#include "encounters.h"
#include "screen.h"
#include "scripted.h"

#include <gtest/gtest.h>

#include <functional>

namespace verdigrove::test {
namespace {

struct Played {
    GameState before;
    GameState after;
    Lines lines;  // the outcome's lines, after the menu returned
    std::string output;
};

// Runs one encounter on a state prepared by setup and checks that it used up
// exactly the scripted keys and draws.
Played play(Situation encounter, std::string keys, std::vector<Draw> draws,
            const std::function<void(GameState&)>& setup = {}) {
    Harness h(std::move(keys), std::move(draws));
    if (setup) setup(h.state());
    const GameState before = h.state();
    encounter(h.game);
    EXPECT_TRUE(h.keys.allRead()) << "unread keys";
    EXPECT_TRUE(h.rng.draws.empty()) << "unused draws";
    return {before, h.state(), linesAfterLastReset(h.output()), h.output()};
}

// The state changes nobody asked for are caught by comparing every field.
void expectOnly(const Played& p, const std::function<void(GameState&)>& change) {
    GameState want = p.before;
    if (change) change(want);
    EXPECT_DOUBLE_EQ(p.after.distance, want.distance);
    EXPECT_DOUBLE_EQ(p.after.health, want.health);
    EXPECT_DOUBLE_EQ(p.after.fatigue, want.fatigue);
    EXPECT_EQ(p.after.hours, want.hours);
    EXPECT_EQ(p.after.bullets, want.bullets);
    EXPECT_DOUBLE_EQ(p.after.knowledge, want.knowledge);
    EXPECT_EQ(p.after.interrupted, want.interrupted);
}

const double kBelow = 0.1499;  // passes the starting skill check of 0.15
const double kAt = 0.15;       // fails it: the check is strict

const std::string kClick = "Click! Click! No more bullets...";
const Lines kRainOfBlows{"A rain of kicks and bites descends upon you!",
                         "At long last, the monkeys scatter, shrieking."};
const std::string kPlantChews =
    "The plants chews on you with its toothless maw, burning you with digestive juices before you escape.";
const Lines kEatCatch{"Poor critter is tasty roasted on a tiny fire.", "You recover much of your strength."};

Lines join(Lines a, const Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(AnyEncounter, EscapeOrZeroChangesNothingButTheInterruption) {
    for (const Encounter& e : kEncounters) {
        for (std::string key : {"\x1b", "0"}) {
            std::vector<Draw> draws;
            if (e.run == animal) draws = {I(0), I(0)};
            if (e.run == crawlie) draws = {I(0)};
            Played p = play(e.run, key, draws, [](GameState& s) { s.fatigue = 1; });
            SCOPED_TRACE(std::string(e.name));
            expectOnly(p, [](GameState& s) { s.interrupted = true; });
            EXPECT_TRUE(p.lines.empty());
        }
    }
}

// ---- pool of water ----

TEST(PoolOfWater, ASafeDrinkOnlyRefreshes) {
    Played p = play(poolOfWater, "1", {R(kBelow)}, [](GameState& s) { s.fatigue = 1; });
    EXPECT_TRUE(p.output.starts_with("You find a pool of water.\n"));
    EXPECT_EQ(p.lines, Lines{"The water is cool. You feel refreshed."});
    expectOnly(p, [](GameState& s) { s.fatigue = 0; });
}

TEST(PoolOfWater, ABadDrinkMakesIllAndTeaches) {
    Played p = play(poolOfWater, "1", {R(kAt)}, [](GameState& s) { s.fatigue = 3; });
    EXPECT_EQ(p.lines, (Lines{"The water is cool. You feel refreshed.", "But drinking from the pool soon makes you ill.",
                              "At least you learn the signs better."}));
    expectOnly(p, [](GameState& s) {
        s.fatigue = 1;
        s.health = 4;
        s.knowledge = 0.20;
    });
}

TEST(PoolOfWater, EachIllnessRaisesTheChanceOfASafeDrink) {
    Played p = play(poolOfWater, "1", {R(0.1999)}, [](GameState& s) { s.knowledge = 0.20; });
    EXPECT_EQ(p.lines.size(), 1u);
}

TEST(PoolOfWater, LeavingItChangesNothing) {
    Played p = play(poolOfWater, "2", {});
    EXPECT_EQ(p.lines, Lines{"Better not chance taking a drink at this time."});
    expectOnly(p, {});
}

// ---- strange fruit ----

TEST(StrangeFruit, EatingHealsUpToTheCap) {
    Played p = play(strangeFruit, "1", {R(kBelow)}, [](GameState& s) { s.health = 4.5; });
    EXPECT_TRUE(p.output.starts_with("You find strange fruit.\n"));
    EXPECT_EQ(p.lines, Lines{"The fruit is tasty. You recover some strength."});
    expectOnly(p, [](GameState& s) { s.health = 5; });
}

TEST(StrangeFruit, BadFruitTiresAndTeaches) {
    Played p = play(strangeFruit, "1", {R(kAt)}, [](GameState& s) { s.health = 3; });
    EXPECT_EQ(p.lines, (Lines{"The fruit is tasty. You recover some strength.", "But soon after eating it you feel drowsy.",
                              "At least you learn the signs better."}));
    expectOnly(p, [](GameState& s) {
        s.health = 4;
        s.fatigue = 2;
        s.knowledge = 0.20;
    });
}

TEST(StrangeFruit, LeavingItChangesNothing) {
    Played p = play(strangeFruit, "2", {});
    EXPECT_EQ(p.lines, Lines{"Better not chance taking a bite at this time."});
    expectOnly(p, {});
}

// ---- animal ----

TEST(Animal, TheCreatureIsDrawnBeforeWhatItDoes) {
    Played p = play(animal, "3", {I(2), I(1)});
    EXPECT_TRUE(p.output.starts_with("A flightless bird stumbles out of the bushes.\n"));
    EXPECT_EQ(p.lines, Lines{"You decide against playing hunter right now."});
    expectOnly(p, {});
    EXPECT_TRUE(play(animal, "3", {I(0), I(0)}).output.starts_with("A small herbivore hears your steps and bolts.\n"));
    EXPECT_TRUE(play(animal, "3", {I(1), I(0)}).output.starts_with("Some large rodent hears your steps and bolts.\n"));
}

TEST(Animal, EveryShotHitsAndFeedsUpToTheCap) {
    Played p = play(animal, "1", {I(0), I(0)}, [](GameState& s) { s.health = 4; });
    EXPECT_EQ(p.lines, join({"You carefully take aim and... BANG!"}, kEatCatch));
    expectOnly(p, [](GameState& s) {
        s.health = 5;
        s.hours = 1;
        s.bullets = 5;
    });
}

TEST(Animal, AnEmptyGunCostsNothing) {
    Played p = play(animal, "1", {I(0), I(0)}, [](GameState& s) { s.bullets = 0; });
    EXPECT_EQ(p.lines, (Lines{kClick, "The lucky creature soon vanishes."}));
    expectOnly(p, {});
}

TEST(Animal, TooTiredToChaseChangesNothingNotEvenFatigue) {
    Played p = play(animal, "2", {I(0), I(0)}, [](GameState& s) {
        s.health = 3;
        s.fatigue = 3;
    });
    EXPECT_EQ(p.lines, Lines{"You're too tired to give chase."});
    expectOnly(p, {});
}

TEST(Animal, ACaughtAnimalIsEaten) {
    Played p = play(animal, "2", {I(0), I(0), R(kBelow)}, [](GameState& s) {
        s.health = 2;
        s.fatigue = 1;
    });
    EXPECT_EQ(p.lines, join({"You hunt it down and catch it."}, kEatCatch));
    expectOnly(p, [](GameState& s) {
        s.fatigue = 2;
        s.health = 4;
        s.hours = 1;
    });
}

TEST(Animal, AFailedChaseTiresAndTeaches) {
    Played p = play(animal, "2", {I(0), I(0), R(kAt)});
    EXPECT_EQ(p.lines, (Lines{"You chase after it, but it's too fast.", "At least you learn new tricks."}));
    expectOnly(p, [](GameState& s) {
        s.fatigue = 1;
        s.knowledge = 0.20;
    });
}

// ---- screaming monkeys ----

TEST(ScreamingMonkeys, AShotScattersThem) {
    Played p = play(screamingMonkeys, "1", {});
    EXPECT_TRUE(p.output.starts_with("Screaming monkeys come out of nowhere to harass you!\n"));
    EXPECT_EQ(p.lines, (Lines{"BANG! Your bullet goes crashing through the foliage.",
                              "The monkeys scatter, shrieking even more loudly."}));
    expectOnly(p, [](GameState& s) { s.bullets = 5; });
}

TEST(ScreamingMonkeys, AnEmptyGunCostsTwoHealth) {
    Played p = play(screamingMonkeys, "1", {}, [](GameState& s) { s.bullets = 0; });
    EXPECT_EQ(p.lines, join({kClick}, kRainOfBlows));
    expectOnly(p, [](GameState& s) { s.health = 3; });
}

TEST(ScreamingMonkeys, LookingScary) {
    Played good = play(screamingMonkeys, "2", {R(kBelow)});
    EXPECT_EQ(good.lines, (Lines{"You shout and wave a branch, trying to look bigger.",
                                 "The monkeys laugh mockingly at you as they scatter."}));
    expectOnly(good, {});
    Played bad = play(screamingMonkeys, "2", {R(kAt)}, [](GameState& s) { s.health = 1; });
    EXPECT_EQ(bad.lines, join({"You shout and wave a branch, trying to look bigger.",
                               "It doesn't seem to be working very well at all."},
                              kRainOfBlows));
    expectOnly(bad, [](GameState& s) {
        s.health = -1;  // no floor on losses
        s.knowledge = 0.20;
    });
}

TEST(ScreamingMonkeys, RunningAwayCostsAnHourAndFatigue) {
    Played p = play(screamingMonkeys, "3", {});
    EXPECT_EQ(p.lines,
              (Lines{"You run away blindly, until your lungs burn.", "The chorus of shrieks slowly remains behind."}));
    expectOnly(p, [](GameState& s) {
        s.hours = 1;
        s.fatigue = 1;
    });
}

// ---- crawlie ----

TEST(Crawlie, TheCreatureIsDrawnFromThree) {
    EXPECT_TRUE(play(crawlie, "2", {I(0)}).output.starts_with("A giant centipede falls on you from above!\n"));
    EXPECT_TRUE(play(crawlie, "2", {I(1)}).output.starts_with("A big hairy spider falls on you from above!\n"));
    EXPECT_TRUE(play(crawlie, "2", {I(2)}).output.starts_with("A colorful snake falls on you from above!\n"));
}

TEST(Crawlie, RemovingItEndsHopefullyEitherWay) {
    Played good = play(crawlie, "1", {I(1), R(kBelow)});
    EXPECT_EQ(good.lines,
              (Lines{"The crawlie wriggles wetly in your grasp. Yuck!", "At least it's gone now. Hopefully."}));
    expectOnly(good, {});
    Played bad = play(crawlie, "1", {I(1), R(kAt)});
    EXPECT_EQ(bad.lines, (Lines{"You carefully try to pick up the crawlie, but... OW!",
                                "It bites! You're poisoned. Burns pretty badly, too.", "At least it's gone now. Hopefully."}));
    expectOnly(bad, [](GameState& s) {
        s.health = 3.5;
        s.knowledge = 0.20;
    });
}

TEST(Crawlie, StandingStillHasNoClosingLine) {
    Played p = play(crawlie, "2", {I(2)});
    EXPECT_EQ(p.lines,
              (Lines{"You wait tensely for what seems like hours.", "In the end, it's gone, and you're sweating."}));
    expectOnly(p, [](GameState& s) {
        s.hours = 1;
        s.fatigue = 1;
    });
}

// ---- ancient ruins ----

TEST(AncientRuins, RestingHereHasNoNightEvent) {
    Played p = play(ancientRuins, "1", {}, [](GameState& s) {
        s.health = 4.5;
        s.fatigue = 0.5;
    });
    EXPECT_TRUE(p.output.starts_with("You discover ancient ruins...\n"));
    EXPECT_EQ(p.lines, Lines{"You sleep undisturbed for once, before moving on."});
    expectOnly(p, [](GameState& s) {
        s.health = 5;
        s.fatigue = 0;
        s.hours = 2;
    });
}

TEST(AncientRuins, SearchingFindsLoreBelowPointThreeGoldBelowPointSix) {
    const std::string lore = "You find old inscriptions teaching about the jungle.";
    const std::string gold = "You find gold and diamonds. Not much use right now.";
    const std::string nothing = "You find nothing of interest this time around.";
    for (auto [draw, text] : {std::pair{0.0, lore}, {0.2999, lore}, {0.3, gold}, {0.5999, gold}, {0.6, nothing},
                              {0.9999, nothing}}) {
        Played p = play(ancientRuins, "2", {R(draw)});
        EXPECT_EQ(p.lines, Lines{text}) << draw;
        expectOnly(p, [&](GameState& s) {
            s.hours = 1;
            if (text == lore) s.knowledge = 0.20;
        });
    }
}

TEST(AncientRuins, MovingOnCoversThreeKm) {
    Played p = play(ancientRuins, "3", {});
    EXPECT_EQ(p.lines, Lines{"You march on, emboldened, covering a good distance."});
    expectOnly(p, [](GameState& s) {
        s.hours = 1;
        s.fatigue = 1;
        s.distance = 47;
    });
}

// ---- swamp ----

TEST(Swamp, ACrossingSavesFiveKmWhetherOrNotItGoesWell) {
    const std::string shortcut = "It's a scary shortcut to take, but it saves a lot of travel.";
    Played good = play(swamp, "1", {R(kBelow)});
    EXPECT_TRUE(good.output.starts_with("A vast swamp bars your way.\n"));
    EXPECT_EQ(good.lines, (Lines{"Somehow you navigate the maze more or less safely.", shortcut}));
    expectOnly(good, [](GameState& s) {
        s.hours = 1;
        s.fatigue = 1;
        s.distance = 45;
    });
    Played bad = play(swamp, "1", {R(kAt)});
    EXPECT_EQ(bad.lines, (Lines{"Mud pulls at your feet, and you nearly drown once.",
                                "Mosquitos besiege you; their bites make you ill.", shortcut}));
    expectOnly(bad, [](GameState& s) {
        s.health = 4;
        s.knowledge = 0.20;
        s.hours = 1;
        s.fatigue = 1;
        s.distance = 45;
    });
}

TEST(Swamp, GoingAroundIsSlowAndTiring) {
    Played p = play(swamp, "2", {});
    EXPECT_EQ(p.lines, Lines{"A long, tiresome detour. Safe, but no closer to your goal."});
    expectOnly(p, [](GameState& s) {
        s.fatigue = 1.5;
        s.hours = 2;
    });
}

// ---- creeping vines ----

TEST(CreepingVines, AShotKillsThePlantAnEmptyGunCostsOneHealth) {
    Played shot = play(creepingVines, "1", {});
    EXPECT_TRUE(shot.output.starts_with("Creeping vines entangle your limbs and drag you down.\n"
                                        "Oh no! It's a man-eating mandragore, and it's hungry!\n"));
    EXPECT_EQ(shot.lines, (Lines{"BANG! You hit the plant's smelly flower dead center.",
                                 "It wilts away with a horrible squelching sound."}));
    expectOnly(shot, [](GameState& s) { s.bullets = 5; });
    Played click = play(creepingVines, "1", {}, [](GameState& s) { s.bullets = 0; });
    EXPECT_EQ(click.lines, (Lines{kClick, kPlantChews}));
    expectOnly(click, [](GameState& s) { s.health = 4; });
}

TEST(CreepingVines, WrestlingSucceedsBelowAFifthOfThePaceAndNeverTeaches) {
    const Lines free{"You vigorously pull at the vines, breaking a few.", "The plant soon decides to wait for easier prey."};
    const Lines chewed{"You pull tiredly at the vines. It's not enough.", kPlantChews};
    struct Case {
        double health, fatigue, draw;
        bool breaksFree;
    };
    for (Case c : {Case{3, 1, 0.3999, true}, Case{3, 1, 0.4, false}, Case{5, 0, 0.9999, true},
                   Case{2, 2, 0.0, false}, Case{1, 3, 0.0, false}}) {
        Played p = play(creepingVines, "2", {R(c.draw)}, [&](GameState& s) {
            s.health = c.health;
            s.fatigue = c.fatigue;
        });
        SCOPED_TRACE(testing::Message() << c.health << "/" << c.fatigue << " draw " << c.draw);
        EXPECT_EQ(p.lines, c.breaksFree ? free : chewed);
        expectOnly(p, [&](GameState& s) {
            s.fatigue += 1;
            if (!c.breaksFree) s.health -= 1;
        });
    }
}

TEST(CreepingVines, CuttingTiresFirstAndTeachesWhenClumsy) {
    Played good = play(creepingVines, "3", {R(kBelow)});
    EXPECT_EQ(good.lines, (Lines{"You expertly hack at the vines with your knife.",
                                 "The plant soon decides to wait for easier prey."}));
    expectOnly(good, [](GameState& s) { s.fatigue = 1; });
    Played bad = play(creepingVines, "3", {R(kAt)});
    EXPECT_EQ(bad.lines, (Lines{"You clumsily hack at the vines with your knife.", kPlantChews}));
    expectOnly(bad, [](GameState& s) {
        s.fatigue = 1;
        s.health = 4;
        s.knowledge = 0.20;
    });
}

}  // namespace
}  // namespace verdigrove::test
