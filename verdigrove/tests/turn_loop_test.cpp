// The turn loop: choosing situations, marching, resting, night events and
// the end reports.
#include "encounters.h"
#include "main_menu.h"
#include "screen.h"
#include "scripted.h"
#include "turn_loop.h"

#include <gtest/gtest.h>

namespace verdigrove::test {
namespace {

std::vector<Draw> quietTurn() { return std::vector<Draw>(kEncounterCount, R(0.99)); }

template <typename... Parts>
std::vector<Draw> concat(Parts... parts) {
    std::vector<Draw> all;
    (all.insert(all.end(), parts.begin(), parts.end()), ...);
    return all;
}

// ---- choosing the situation ----

TEST(PickEncounter, FirstTurnIsAlwaysTheDefaultAndRaisesEverySlot) {
    Harness h("", {R(0.0), R(0.0), R(0.0), R(0.0), R(0.0), R(0.0), R(0.0), R(0.0)});
    EXPECT_EQ(pickEncounter(h.game), &defaultSituation);
    for (double chance : h.state().encounterChance) EXPECT_DOUBLE_EQ(chance, 0.05);
    EXPECT_TRUE(h.rng.draws.empty());
}

TEST(PickEncounter, AFiredSlotIsDividedByFiveAndLaterSlotsAreLeftAlone) {
    Harness h("", {R(0.05), R(0.0499)});
    h.state().encounterChance.fill(0.05);
    EXPECT_EQ(pickEncounter(h.game), &strangeFruit);
    const auto& c = h.state().encounterChance;
    EXPECT_DOUBLE_EQ(c[0], 0.10);  // a draw equal to the chance does not fire
    EXPECT_DOUBLE_EQ(c[1], 0.01);
    for (int i = 2; i < kEncounterCount; ++i) EXPECT_DOUBLE_EQ(c[i], 0.05) << "slot " << i;
    EXPECT_TRUE(h.rng.draws.empty());  // no draws for the untried slots
}

TEST(PickEncounter, EachSlotNamesItsEncounterInTableOrder) {
    const Situation order[] = {poolOfWater, strangeFruit, animal, screamingMonkeys,
                               crawlie,     ancientRuins, swamp,  creepingVines};
    for (int slot = 0; slot < kEncounterCount; ++slot) {
        std::vector<Draw> draws(slot, R(0.5));
        draws.push_back(R(0.0));
        Harness h("", draws);
        h.state().encounterChance.fill(0.1);
        EXPECT_EQ(pickEncounter(h.game), order[slot]) << "slot " << slot;
        EXPECT_EQ(kEncounters[slot].run, order[slot]);
    }
}

// ---- new game and resume ----

TEST(NewGame, ResetsAllButTheColourAndDrawsFortyFiveToFiftyFourKm) {
    for (int k : {1, 10}) {
        Harness h("\x1bk", concat(std::vector<Draw>{I(k)}, quietTurn()));
        GameState& s = h.state();
        s = GameState{1.0, -1.0, 7.0, 30, 0, 0.9, {}, true, true};
        s.encounterChance.fill(0.5);
        newGame(h.game);
        EXPECT_DOUBLE_EQ(s.distance, 44 + k);
        EXPECT_DOUBLE_EQ(s.health, 5);
        EXPECT_DOUBLE_EQ(s.fatigue, 0);
        EXPECT_EQ(s.hours, 0);
        EXPECT_EQ(s.bullets, 6);
        EXPECT_DOUBLE_EQ(s.knowledge, 0.15);
        EXPECT_TRUE(s.colorEnabled);
        EXPECT_TRUE(s.interrupted);  // by this game's own Escape
        for (double chance : s.encounterChance) EXPECT_DOUBLE_EQ(chance, 0.05);
    }
}

TEST(Resume, RightAfterStartPlaysTheFiftyKmGame) {
    // Resume, march, key, Escape, key, Quit: no distance is drawn.
    Harness h("21k\x1bk5", concat(quietTurn(), quietTurn()));
    mainMenu(h.game);
    EXPECT_DOUBLE_EQ(h.state().distance, 45);
    EXPECT_NE(h.output().find("Time: 1h.\n"), std::string::npos);
    EXPECT_TRUE(h.rng.draws.empty());
}

TEST(Resume, KeepsTheChancesAndClearsTheInterruption) {
    Harness h("\x1bk", {R(0.5), R(0.5), R(0.5), R(0.5), R(0.5), R(0.5), R(0.5), R(0.5)});
    h.state().encounterChance.fill(0.2);
    h.state().interrupted = true;
    h.keys.keys = "2\x1bk5";
    mainMenu(h.game);
    for (double chance : h.state().encounterChance) EXPECT_DOUBLE_EQ(chance, 0.25);
}

TEST(Resume, AfterDeathOnlyRepeatsTheReport) {
    Harness h("k");
    h.state().health = -1;
    h.state().hours = 9;
    playGame(h.game);
    EXPECT_EQ(h.output(),
              "\nYou died in the jungle, after 9 hours of struggle.\nNo more than 50.0km away from "
              "safety.\nWithout as much as firing a single bullet.\nOh well, better luck next time.\n\n(press any key)\n");
}

// ---- march on ----

TEST(MarchOn, PaceDecidesDistanceAndWords) {
    struct Case {
        double health, fatigue;
        const char* text;
    };
    for (Case c : {Case{5, 0, "You advance quickly for now..."}, Case{4.5, 1, "You advance quickly for now..."},
                   Case{4, 1, "You march on, making steady progress."},
                   Case{2.5, 1, "You march on, making steady progress."}, Case{2, 1, "You crawl along tiredly."},
                   Case{1, 0.5, "You crawl along tiredly."}}) {
        Harness h;
        GameState& s = h.state();
        s.health = c.health;
        s.fatigue = c.fatigue;
        s.distance = 20;
        marchOn(h.game);
        EXPECT_EQ(h.output(), std::string(c.text) + "\n");
        EXPECT_DOUBLE_EQ(s.distance, 20 - (c.health - c.fatigue));
        EXPECT_DOUBLE_EQ(s.fatigue, c.fatigue + 1);
        EXPECT_EQ(s.hours, 1);
        EXPECT_DOUBLE_EQ(s.health, c.health);
    }
}

TEST(MarchOn, TooTiredRestsInsteadWithoutMoving) {
    Harness h("", {R(0.9)});
    GameState& s = h.state();
    s.health = 3;
    s.fatigue = 3;
    s.distance = 20;
    marchOn(h.game);
    EXPECT_EQ(h.output(), "You can't take another step.\nYou rest and heal a little.\n");
    EXPECT_DOUBLE_EQ(s.distance, 20);
    EXPECT_EQ(s.hours, 1);
    EXPECT_DOUBLE_EQ(s.health, 3.5);
    EXPECT_DOUBLE_EQ(s.fatigue, 2.5);
    EXPECT_TRUE(h.rng.draws.empty());  // the night draw was made
}

// ---- rest ----

TEST(Rest, FatigueAndHealthAtTheBoundaries) {
    struct Case {
        double health, fatigue, healthAfter, fatigueAfter;
        const char* text;
    };
    for (Case c : {Case{5, 5, 5, 3, "You get some good rest."}, Case{5, 4, 5, 3, "You get some good rest."},
                   Case{5, 7, 5, 5, "You get some good rest."}, Case{5, 0.5, 5, 0, "You get some good rest."},
                   Case{4.5, 5, 5, 4, "You rest and heal a little."},  // compared with the new health 5
                   Case{4.5, 4.5, 5, 4, "You rest and heal a little."},
                   Case{3, 4, 3.5, 3, "You rest and heal a little."}, Case{3, 3, 3.5, 2.5, "You rest and heal a little."},
                   Case{-1, 0.25, -0.5, 0, "You rest and heal a little."}}) {
        Harness h("", {R(0.3)});
        GameState& s = h.state();
        s.health = c.health;
        s.fatigue = c.fatigue;
        rest(h.game);
        EXPECT_EQ(h.output(), std::string(c.text) + "\n") << c.health << "/" << c.fatigue;
        EXPECT_DOUBLE_EQ(s.health, c.healthAfter) << c.health << "/" << c.fatigue;
        EXPECT_DOUBLE_EQ(s.fatigue, c.fatigueAfter) << c.health << "/" << c.fatigue;
        EXPECT_EQ(s.hours, 1);
    }
}

TEST(Rest, NightDrawsBelowPointFifteenBringMonkeysBelowPointThreeACrawlie) {
    const std::string monkeys = "Screaming monkeys come out of nowhere to harass you!";
    const std::string crawlieLine = "A giant centipede falls on you from above!";
    struct Case {
        Draw night;
        std::vector<Draw> more;
        std::string encounterLine;
    };
    for (const Case& c : {Case{R(0.1499), {}, monkeys}, Case{R(0.0), {}, monkeys}, Case{R(0.15), {I(0)}, crawlieLine},
                          Case{R(0.2999), {I(0)}, crawlieLine}}) {
        Harness h("\x1b", concat(std::vector<Draw>{c.night}, c.more));
        rest(h.game);
        EXPECT_TRUE(h.output().starts_with("You get some good rest.\nBut while you were sleeping...\n\n" +
                                           c.encounterLine + "\n"))
            << c.night.value;
        EXPECT_TRUE(h.state().interrupted);
    }
    Harness quiet("", {R(0.30)});
    rest(quiet.game);
    EXPECT_EQ(quiet.output(), "You get some good rest.\n");
    EXPECT_FALSE(quiet.state().interrupted);
}

TEST(Rest, NightEventsLeaveTheEncounterChancesAlone) {
    Harness h("3", {R(0.1)});
    h.state().encounterChance.fill(0.3);
    rest(h.game);
    for (double chance : h.state().encounterChance) EXPECT_DOUBLE_EQ(chance, 0.3);
    EXPECT_EQ(h.state().hours, 2);  // the rest, then running away
}

TEST(Rest, EscapeInANightEncounterInterruptsButKeepsTheRest) {
    // Turn: rest; night monkeys; Escape; then the report's key.
    Harness h("2\x1bk", concat(quietTurn(), std::vector<Draw>{R(0.1)}));
    h.state().health = 4.5;
    h.state().fatigue = 1;
    playGame(h.game);
    EXPECT_TRUE(h.output().ends_with("\x1b[0m\nGame interrupted.\n\n(press any key)\n"));
    EXPECT_EQ(h.state().hours, 1);
    EXPECT_DOUBLE_EQ(h.state().health, 5);
    EXPECT_DOUBLE_EQ(h.state().fatigue, 0.5);
    EXPECT_TRUE(h.keys.allRead());
}

// ---- the end of a game ----

// The end report is the tail of a game's output, after everything its last
// turn printed.
testing::AssertionResult endsWithReport(GameState s, const std::string& report, std::string keys = "k",
                                        std::vector<Draw> draws = {}) {
    Harness h(keys, draws);
    h.state() = s;
    playGame(h.game);
    if (h.output().ends_with(report)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "output was:\n" << visible(h.output());
}

TEST(Report, DeathNamesHoursAndDistanceAndUnfiredGun) {
    GameState s;
    s.health = 0;
    s.hours = 31;
    s.distance = 12.5;
    EXPECT_TRUE(endsWithReport(s,
              "\nYou died in the jungle, after 31 hours of struggle.\nNo more than 12.5km away from safety.\n"
              "Without as much as firing a single bullet.\nOh well, better luck next time.\n\n(press any key)\n"));
    s.bullets = 5;
    s.distance = 7;
    EXPECT_TRUE(endsWithReport(s,
              "\nYou died in the jungle, after 31 hours of struggle.\nNo more than 7.0km away from safety.\n"
              "Oh well, better luck next time.\n\n(press any key)\n"));
}

TEST(Report, VictoryCountsHoursAndBulletsWithoutTheUnfiredGunLine) {
    GameState s;
    s.distance = 0;
    s.hours = 20;
    EXPECT_TRUE(endsWithReport(s,
              "\nAt last, the trees open up. You see a village. Saved!\nUnless it's a hostile tribe? Just kidding. "
              "You win!\n(In 20 hours, with 6 bullets left.)\n\n(press any key)\n"));
}

TEST(Report, HealthBelowZeroDiesAfterTheTurnsKeyPress) {
    // Monkeys fire on the first slot tried; no bullets; a rain of blows at health 1.
    GameState s;
    s.health = 1;
    s.bullets = 0;
    s.distance = 10;
    s.encounterChance.fill(0.05);
    Harness h("1k", {R(0.9), R(0.9), R(0.9), R(0.0)});
    h.state() = s;
    h.keys.keys = "1";
    EXPECT_THROW(playGame(h.game), EndOfInput);  // waiting for the turn's key, not yet reporting
    EXPECT_DOUBLE_EQ(h.state().health, -1);
    EXPECT_EQ(h.output().find("You died"), std::string::npos);
}

TEST(Report, DeathWinsOverACrossingThatAlsoReachesSafety) {
    GameState s;
    s.health = 1;
    s.fatigue = 0;
    s.distance = 3;
    s.encounterChance.fill(0.05);
    // Slot 6 fires; the crossing fails its skill check.
    const std::vector<Draw> failedCrossing{R(0.9), R(0.9), R(0.9), R(0.9), R(0.9), R(0.9), R(0.0), R(0.9)};
    EXPECT_TRUE(endsWithReport(s,
                               "It's a scary shortcut to take, but it saves a lot of travel.\n\n(press any key)\n"
                               "\nYou died in the jungle, after 1 hours of struggle.\nNo more than -2.0km away from "
                               "safety.\nWithout as much as firing a single bullet.\nOh well, better luck next "
                               "time.\n\n(press any key)\n",
                               "1kk", failedCrossing));
    s.health = 2;  // survives the lost point: the same crossing wins
    EXPECT_TRUE(endsWithReport(s,
                               "\nAt last, the trees open up. You see a village. Saved!\nUnless it's a hostile tribe? "
                               "Just kidding. You win!\n(In 1 hours, with 6 bullets left.)\n\n(press any key)\n",
                               "1kk", failedCrossing));
}

TEST(Report, DefaultSituationEscapeInterrupts) {
    GameState s;
    EXPECT_TRUE(endsWithReport(s, "\x1b[0m\nGame interrupted.\n\n(press any key)\n", "\x1bk", quietTurn()));
}

}  // namespace
}  // namespace verdigrove::test
