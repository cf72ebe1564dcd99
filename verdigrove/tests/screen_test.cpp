// What the player sees: header, status words, the numbered menu and the
// bytes of both colour modes.
#include "main_menu.h"
#include "screen.h"
#include "scripted.h"
#include "turn_loop.h"

#include <gtest/gtest.h>

#include <regex>

namespace verdigrove::test {
namespace {

const std::string kReset = "\x1b[0m";
const std::string kBright = "\x1b[1m";

TEST(StatusLine, HealthWordThresholds) {
    GameState s;
    for (auto [health, word] : {std::pair{1.999, "bad"}, {-1.0, "bad"}, {2.0, "decent"}, {3.999, "decent"},
                                {4.0, "good"}, {5.0, "good"}}) {
        s.health = health;
        s.fatigue = 0;
        EXPECT_EQ(healthWord(s), word) << "health " << health;
    }
}

TEST(StatusLine, FatigueWordFollowsTheMarginOfHealthOverFatigue) {
    GameState s;
    s.health = 5;
    for (auto [fatigue, word] : {std::pair{4.0, "drained"}, {6.0, "drained"}, {3.5, "tired"}, {2.0, "tired"},
                                 {1.5, "fresh"}, {0.0, "fresh"}}) {
        s.fatigue = fatigue;
        EXPECT_EQ(fatigueWord(s), word) << "fatigue " << fatigue;
    }
    s.health = 3.5;
    s.fatigue = 1;
    EXPECT_EQ(statusLines(s).first, "In decent health; tired. Bullets: 6. Time: 0h.");
}

TEST(StatusLine, SceneryThresholds) {
    GameState s;
    for (auto [distance, text] : {std::pair{54.0, "Can't see the sky for the forest canopy."},
                                  {35.0, "Can't see the sky for the forest canopy."},
                                  {34.5, "Shafts of sunlight mark the path ahead."},
                                  {15.0, "Shafts of sunlight mark the path ahead."},
                                  {14.5, "The trees are growing farther apart now."},
                                  {0.5, "The trees are growing farther apart now."}}) {
        s.distance = distance;
        EXPECT_EQ(sceneryLine(s), text) << "distance " << distance;
    }
}

TEST(StatusLine, NewGameReadsGoodAndFreshUnderTheCanopy) {
    GameState s;
    s.distance = 45;
    s.bullets = 6;
    auto [status, scenery] = statusLines(s);
    EXPECT_EQ(status, "In good health; fresh. Bullets: 6. Time: 0h.");
    EXPECT_EQ(scenery, "Can't see the sky for the forest canopy.");
    s.hours = 12;
    s.bullets = 0;
    EXPECT_EQ(statusLines(s).first, "In good health; fresh. Bullets: 0. Time: 12h.");
}

TEST(RealFormat, WholeNumbersGetPointZeroHalvesStayAsTheyAre) {
    EXPECT_EQ(formatReal(12.5), "12.5");
    EXPECT_EQ(formatReal(7), "7.0");
    EXPECT_EQ(formatReal(54), "54.0");
    EXPECT_EQ(formatReal(0.5), "0.5");
    EXPECT_EQ(formatReal(-2), "-2.0");
    EXPECT_EQ(formatReal(-0.5), "-0.5");
    EXPECT_EQ(formatReal(0.1 + 0.2), "0.3");  // 16 significant digits hide the binary tail
}

TEST(Menu, ListsTheChoicesInBrightAndEchoesTheKey) {
    Harness h("2");
    EXPECT_EQ(menu(h.game, {"March on", "Get some rest"}), 2);
    EXPECT_EQ(visible(h.output()), visible(kReset + kBright + "1) March on\n2) Get some rest\n\n> 2\n" + kReset));
}

TEST(Menu, EscapeAndZeroCancel) {
    for (std::string key : {"\x1b", "0"}) {
        Harness h(key);
        EXPECT_EQ(menu(h.game, {"A", "B"}), 0);
        EXPECT_TRUE(h.output().ends_with("\n> " + key + "\n" + kReset));
    }
}

TEST(Menu, IgnoresKeysThatAreNoChoiceAndPromptsAgain) {
    // Digits above n, a letter, Ctrl-C (raw mode delivers it as a byte), a newline.
    Harness h(std::string("67x\x03\r5"));
    EXPECT_EQ(menu(h.game, {"Play", "Resume", "Color", "Help", "Quit"}), 5);
    EXPECT_TRUE(h.output().ends_with("\n> 6\n\n> 7\n\n> x\n\n> \x03\n\n> \r\n\n> 5\n" + kReset));
    EXPECT_TRUE(h.keys.allRead());
}

TEST(Menu, SevenThenEscapeInTheMainMenuSaysGoodbye) {
    Harness h("7\x1b");
    mainMenu(h.game);
    EXPECT_TRUE(h.output().ends_with("\n> 7\n\n> \x1b\n" + kReset + "\nSee you around!\n"));
}

TEST(Menu, AnArrowKeyActsAsEscapeOnItsFirstByte) {
    Harness h("\x1b[A");
    EXPECT_EQ(menu(h.game, {"A", "B", "C"}), 0);
    EXPECT_EQ(h.keys.next, 1u);
}

TEST(Menu, NineChoicesAcceptNine) {
    Harness h("9");
    EXPECT_EQ(menu(h.game, {"1", "2", "3", "4", "5", "6", "7", "8", "9"}), 9);
}

TEST(Menu, EndOfInputIsFatalNotALoop) {
    Harness h("x");
    EXPECT_THROW(menu(h.game, {"A"}), EndOfInput);
}

TEST(Menu, ColourModeUsesBrightWhiteOnBlack) {
    Harness h("1");
    h.state().colorEnabled = true;
    menu(h.game, {"Play"});
    EXPECT_EQ(visible(h.output()), visible(kReset + "\x1b[97m\x1b[40m1) Play\n\n> 1\n" + kReset));
}

TEST(Header, MonochromeIsBrightOnAClearedScreen) {
    Harness h;
    drawHeader(h.game, "Verdigrove", "A game by Brindlecote");
    textColors(h.game);
    EXPECT_EQ(visible(h.output()),
              visible("\x1b[0m\x1b[2J\x1b[1m\x1b[1;1f\x1b[2K\x1b[1GVerdigrove\n\x1b[2K\x1b[1GA game by Brindlecote\n" +
                      kReset));
}

TEST(Header, ColourIsBrightYellowOnGreenOverBlackThenMagentaBody) {
    Harness h;
    h.state().colorEnabled = true;
    drawHeader(h.game, "Verdigrove", "How to play");
    textColors(h.game);
    EXPECT_EQ(visible(h.output()),
              visible("\x1b[0m\x1b[40m\x1b[2J\x1b[93m\x1b[42m\x1b[1;1f\x1b[2K\x1b[1GVerdigrove\n\x1b[2K\x1b[1GHow "
                      "to play\n\x1b[0m\x1b[95m\x1b[40m"));
}

TEST(Help, ScreenTextThenPressAnyKey) {
    const std::string text =
        "\nThe point of the game is to cross the 50Km or so separating you from safety.\n"
        "The exact distance varies every time you play.\n \n"
        "You advance towards the goal by marching on whenever you get the chance.\n"
        "But you have to balance your health and fatigue.\n \n"
        "The worse your health is, the more easily you get tired. It's not possible\n"
        "to die from exhaustion though.\n \n"
        "Being tired all the time will hold you up, allowing more dangers to catch up\n"
        "with you and sap your health.\n \n"
        "Hope this helps. Enjoy!\n\n";
    const std::string header = "\x1b[2K\x1b[1GVerdigrove\n\x1b[2K\x1b[1GHow to play\n";
    {
        Harness h("q");
        showHelp(h.game);
        EXPECT_EQ(visible(h.output()), visible("\x1b[0m\x1b[2J\x1b[1m\x1b[1;1f" + header + kReset + text + kReset +
                                               "(press any key)\n"));
        EXPECT_TRUE(h.keys.allRead());
    }
    {
        Harness h("q");
        h.state().colorEnabled = true;
        showHelp(h.game);
        EXPECT_EQ(visible(h.output()), visible("\x1b[0m\x1b[40m\x1b[2J\x1b[93m\x1b[42m\x1b[1;1f" + header + kReset +
                                               "\x1b[95m\x1b[40m" + text + "\x1b[37m(press any key)\n"));
    }
}

TEST(MainMenu, ColorTwiceReturnsToMonochromeRedrawingTheTitleEachTime) {
    Harness h("335");
    mainMenu(h.game);
    const std::string out = h.output();
    const std::string title = "\x1b[1;1f\x1b[2K\x1b[1GVerdigrove\n\x1b[2K\x1b[1GA game by Brindlecote\n";
    const std::string mono = "\x1b[0m\x1b[2J\x1b[1m" + title;
    const std::string colour = "\x1b[0m\x1b[40m\x1b[2J\x1b[93m\x1b[42m" + title;
    const auto first = out.find(mono);
    const auto second = out.find(colour);
    const auto third = out.find(mono, first + 1);
    ASSERT_NE(first, std::string::npos);
    ASSERT_NE(second, std::string::npos);
    ASSERT_NE(third, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_LT(second, third);
    EXPECT_FALSE(h.state().colorEnabled);
    EXPECT_TRUE(out.ends_with("\nSee you around!\n"));
}

TEST(MainMenu, MonochromeWritesOnlyResetAndBrightAttributes) {
    // Title, help, a game with a march and a rest, the end report and quit.
    Harness h("4k1" "1k" "2k" "\x1bk" "5", {I(5), R(0.9), R(0.9), R(0.9), R(0.9), R(0.9), R(0.9), R(0.9), R(0.9),
                                            R(0.9), R(0.9), R(0.9), R(0.9), R(0.9), R(0.9), R(0.9), R(0.9),
                                            R(0.9) /* night */, R(0.9), R(0.9), R(0.9), R(0.9), R(0.9), R(0.9),
                                            R(0.9), R(0.9)});
    mainMenu(h.game);
    const std::string out = h.output();
    const std::regex attribute("\x1b\\[([0-9;]*)m");
    int count = 0;
    for (auto it = std::sregex_iterator(out.begin(), out.end(), attribute); it != std::sregex_iterator(); ++it) {
        const std::string code = (*it)[1];
        EXPECT_TRUE(code == "0" || code == "1") << "attribute " << code;
        ++count;
    }
    EXPECT_GT(count, 10);
    EXPECT_TRUE(h.rng.draws.empty());
    EXPECT_TRUE(h.keys.allRead());
}

// The first turn of a new game in monochrome where the player presses 1,
// byte for byte.
TEST(WholeTurn, FirstTurnOfANewGameMarchingOn) {
    Harness h("1", {R(0.9), R(0.9), R(0.9), R(0.9), R(0.9), R(0.9), R(0.9), R(0.9)});
    h.state().distance = 50;
    EXPECT_THROW(playGame(h.game), EndOfInput);  // the script ends at "(press any key)"
    const std::string expected =
        "\x1b[0m\x1b[2J\x1b[1m\x1b[1;1f"
        "\x1b[2K\x1b[1GIn good health; fresh. Bullets: 6. Time: 0h.\n"
        "\x1b[2K\x1b[1GCan't see the sky for the forest canopy.\n"
        "\x1b[0m\n"
        "Around you, the jungle looms.\n"
        "\x1b[0m\x1b[1m1) March on\n2) Get some rest\n"
        "\n> 1\n\x1b[0m"
        "You advance quickly for now...\n"
        "\n(press any key)\n";
    EXPECT_EQ(visible(h.output()), visible(expected));
    EXPECT_DOUBLE_EQ(h.state().distance, 45);
}

}  // namespace
}  // namespace verdigrove::test
