// Watching a console run in the real program under Xvfb: the slow speeds,
// pausing and single steps with the word about to run marked in the
// script editor (read back as the X primary selection, which the mark
// sets), and the note in the console's status label. Every step waits for
// what it checks.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <iostream>
#include <sstream>

#include "poll.h"
#include "program_fixture.h"

using driver::shell;
using namespace std::chrono_literals;

namespace {

class Stepping : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        start();
        openConsole();
        // The main window at the top, the console below it, so that the
        // drawing view shows whole.
        shell("xdotool windowmove " + program->mainWindow() + " 0 0 windowmove " + console + " 0 540");
        EXPECT_TRUE(poll::untilEqual("the console below the main window",
                                     [&] { return geometry(program->mainWindow())["Y"] + geometry(console)["Y"]; }, 540));
    }
    static std::map<std::string, int> geometry(const std::string& window) {
        return driver::windowGeometry(window);
    }
    void write(const std::vector<std::string>& lines) {
        program->keysTo(console, "key ctrl+l");
        for (std::size_t k = 0; k < lines.size(); ++k) {
            if (k) program->keys("key Return");
            program->type(lines[k]);
        }
    }
    void keys(const std::string& keys) { program->keysTo(console, keys); }
    static std::string selection() { return shell("xclip -o -selection primary 2>/dev/null"); }
    // Waits until the editor marks this word.
    testing::AssertionResult marks(const std::string& word) {
        return poll::untilEqual("the word the editor marks", [] { return selection(); }, word);
    }
    // The console's status label: the middle of its button bar, right of
    // the buttons. Empty while the window cannot be read.
    std::vector<std::uint32_t> statusLabel() const {
        const std::string file = (dir / "console.png").string();
        shell("import -window " + console + " " + file + " 2>/dev/null");
        const auto shot = driver::tryLoadPicture(file);
        if (!shot || shot->width() < 100 || shot->height() < 30) return {};
        const int left = shot->width() / 2, width = shot->width() * 2 / 5, top = 4, height = 18;
        std::vector<std::uint32_t> label(static_cast<std::size_t>(width) * height);
        shot->readPixels(left, top, width, height, label.data());
        return label;
    }
    // The drawing view's image, pixel by pixel (the turtle with it); empty
    // while the view cannot be read.
    std::vector<std::uint32_t> picture() const {
        const auto v = program->viewShot();
        std::vector<std::uint32_t> pixels;
        if (!v.shot) return pixels;
        pixels.reserve(640 * 400);
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 640; ++x) {
                const raster::Color c = v.at(x, y);
                pixels.push_back(std::uint32_t{c.r} << 16 | std::uint32_t{c.g} << 8 | c.b);
            }
        return pixels;
    }
    testing::AssertionResult pictureIs(const std::vector<std::uint32_t>& want, const std::string& what) const {
        return poll::untilEqual(
            what,
            [&] {
                const auto now = picture();
                if (now.size() != want.size()) return std::string("no picture");
                std::size_t differ = 0;
                for (std::size_t k = 0; k < now.size(); ++k) differ += now[k] != want[k];
                return differ ? std::to_string(differ) + " pixels differ" : std::string("the same picture");
            },
            std::string("the same picture"));
    }
    // Opens the Inspector beside the main window.
    void openInspector() {
        keys("key ctrl+i");
        ASSERT_TRUE(windowShows("Inspector"));
        inspector = driver::visibleWindows("^Inspector$").front();
        shell("xdotool windowmove " + inspector + " 900 0");
        ASSERT_TRUE(poll::untilEqual("the inspector beside the main window",
                                     [&] { return geometry(inspector)["X"]; }, 900));
    }
    // The Inspector's whole text, read as the primary selection.
    std::string inspectorText() const {
        shell("xclip -selection primary -l 1 </dev/null >/dev/null 2>&1");
        auto g = geometry(inspector);
        program->keysTo(inspector, "mousemove " + std::to_string(g["X"] + 100) + " " + std::to_string(g["Y"] + 100) +
                                       " click 1 key ctrl+a");
        return selection();
    }
    testing::AssertionResult inspectorShows(const std::string& part) const {
        return poll::until("the inspector's text", [&] { return inspectorText(); },
                           [&](const std::string& t) { return t.find(part) != std::string::npos; });
    }
    std::string inspector;

    testing::AssertionResult labelIs(const std::vector<std::uint32_t>& before, bool same) const {
        return poll::untilEqual(
            same ? "the status label to read as before" : "the status label to change",
            [&]() -> std::string {
                const auto now = statusLabel();
                if (now.empty()) return "no status label";
                return now == before ? "the same text" : "another text";
            },
            std::string(same ? "the same text" : "another text"));
    }
};

}  // namespace

TEST_F(Stepping, ASlowRunDrawsLineByLineMarksItsWordAndSaysItRuns) {
    program->keysTo(console, "key ctrl+l");
    const auto idle = statusLabel();
    ASSERT_FALSE(idle.empty());
    keys("key ctrl+2");  // Slow
    EXPECT_TRUE(labelIs(idle, false)) << "the label names the speed";
    const auto named = statusLabel();
    write({"100 fd", "90 rt 100 fd 90 rt 100 fd 90 rt 100 fd 90 rt 100 fd 90 rt 100 fd",
           "90 rt 100 fd 90 rt 100 fd 90 rt 100 fd 90 rt 100 fd 90 rt 100 fd"});
    keys("key F5");
    // The first line is drawn while the second is still on its way.
    EXPECT_TRUE(program->viewShows({{320, 150, "lit"}, {370, 100, "dark"}}));
    EXPECT_TRUE(marks("rt")) << "the mark is on the running line";
    EXPECT_TRUE(labelIs(named, false)) << "the label says the run goes on";
    EXPECT_TRUE(program->viewShows({{320, 150, "lit"}, {370, 100, "lit"}, {420, 150, "lit"}}));
    EXPECT_TRUE(labelIs(named, true)) << "the label says again what it said before the run";
    // Full speed again: the same script is done at once.
    keys("key ctrl+1 key ctrl+l key ctrl+a key Delete");
    write({"clearscreen home 0 seth 100 fd"});
    keys("key F5");
    EXPECT_TRUE(program->viewShows({{320, 150, "lit"}, {370, 100, "dark"}}));
}

TEST_F(Stepping, StepRunsOneWordAKeyPressAndF6GoesOn) {
    keys("key ctrl+4");  // word by word
    write({"100 fd 90 rt 50 fd"});
    keys("key F5");
    ASSERT_TRUE(marks("100"));
    keys("key F7");
    ASSERT_TRUE(marks("fd"));
    EXPECT_TRUE(program->viewShows({{320, 150, "dark"}})) << "only 100 has run";
    keys("key F7");
    ASSERT_TRUE(marks("90"));
    EXPECT_TRUE(program->viewShows({{320, 150, "lit"}})) << "fd has run";
    keys("key F7");
    ASSERT_TRUE(marks("rt"));
    keys("key F7");
    ASSERT_TRUE(marks("50"));
    EXPECT_TRUE(program->viewShows({{345, 100, "dark"}})) << "the last line is not drawn yet";
    // At full speed the run goes on to its end.
    keys("key ctrl+1");
    EXPECT_TRUE(program->viewShows({{345, 100, "lit"}}));
    // With nothing running, F7 starts the script paused before its first
    // word; F6 lets it go on at the speed chosen.
    keys("key ctrl+2 key ctrl+l key ctrl+a key Delete");
    write({"clearscreen 60 fd"});
    keys("key F7");
    ASSERT_TRUE(marks("clearscreen"));
    EXPECT_TRUE(program->viewShows({{345, 100, "lit"}})) << "nothing has run";
    keys("key F7");
    ASSERT_TRUE(marks("60"));
    EXPECT_TRUE(program->viewShows({{345, 100, "dark"}, {320, 170, "dark"}})) << "only clearscreen has run";
    keys("key F6");
    EXPECT_TRUE(program->viewShows({{320, 170, "lit"}}));
    EXPECT_TRUE(boxes().empty());
}

TEST_F(Stepping, EscapeStopsASlowRunAtOnce) {
    keys("key ctrl+3");  // Slower: each wait is far longer than the bound
    write({"[ 10 fd 10 rt ] 1000 times"});
    keys("key F5");
    ASSERT_TRUE(marks("times"));
    // Timed from when the key has gone out: focusing the console first is
    // the test's own doing.
    keys("key Escape");
    const auto pressed = std::chrono::steady_clock::now();
    ASSERT_TRUE(boxShows()) << "Interrupted at line 1";
    const auto took = std::chrono::steady_clock::now() - pressed;
    // What the test's own look at the windows takes, measured on the box
    // that is there now, is not the program's.
    const auto looked = std::chrono::steady_clock::now();
    ASSERT_TRUE(boxShows());
    const auto look = std::chrono::steady_clock::now() - looked;
    std::cout << "stopped " << std::chrono::duration_cast<std::chrono::milliseconds>(took - look).count()
              << " ms after Escape, less the test's own look\n";
    // Under 100 ms on a quiet machine; the bound leaves room for a busy one
    // and still fails a stop that waits out Slower's 600 ms pause.
    EXPECT_LT(took - look, 500ms) << "took " << std::chrono::duration_cast<std::chrono::milliseconds>(took).count()
                                  << " ms, a look "
                                  << std::chrono::duration_cast<std::chrono::milliseconds>(look).count() << " ms";
    answerBox("key Return");
}

TEST_F(Stepping, TheInspectorShowsTheStackVariablesWordsAndTheTurtle) {
    openInspector();
    program->keysTo(program->mainWindow(), "key ctrl+l");
    program->command("3 4 =x :sq 4 [ 10 fd 90 rt ] times ;");
    EXPECT_TRUE(inspectorShows("Stack, depth 1, top first:\n  3\n\nVariables:\n  x = 4\n\nWords defined:\n"
                               "  :sq 4 [ 10 fd 90 rt ] times ;\n"));
    program->keysTo(program->mainWindow(), "key ctrl+l");
    program->command("90 rt");
    EXPECT_TRUE(inspectorShows("Turtle:\n  x 320, y 200, heading 90\n  pen down, pen size 1\n"
                               "  pen #FFFFFF, background #000000, label #FFFFFF"));
    // It follows a console run word by word.
    keys("key ctrl+l key ctrl+4");
    write({"drop 1 2 3"});
    keys("key F5");
    ASSERT_TRUE(inspectorShows("Stack, depth 1, top first:\n  3\n")) << "before drop";
    keys("key F7 key F7 key F7");
    EXPECT_TRUE(inspectorShows("Stack, depth 2, top first:\n  2\n  1\n\nVariables:"));
    keys("key Escape");
    ASSERT_TRUE(boxShows());
    answerBox("key Return");
}

TEST_F(Stepping, F8TakesTheLastStepBackAndAWordThatAskedClosesTheWay) {
    openInspector();
    keys("key ctrl+l key ctrl+4");
    write({"100 fd 90 rt 50 fd 7"});
    keys("key F5");
    ASSERT_TRUE(marks("100"));
    keys("key F7 key F7");
    ASSERT_TRUE(marks("90"));
    EXPECT_TRUE(program->viewShows({{320, 150, "lit"}}));
    const auto before90 = picture();
    keys("key F7 key F7 key F7");
    ASSERT_TRUE(marks("fd"));
    ASSERT_TRUE(inspectorShows("Stack, depth 1, top first:\n  50\n"));
    const auto before50fd = picture();
    keys("key F7");
    ASSERT_TRUE(marks("7"));
    EXPECT_TRUE(program->viewShows({{345, 100, "lit"}}));
    const auto after = picture();

    // Back before fd: its line is gone, 50 is on the stack again.
    keys("key F8");
    ASSERT_TRUE(marks("fd"));
    EXPECT_TRUE(pictureIs(before50fd, "the picture before 50 fd"));
    EXPECT_TRUE(inspectorShows("Stack, depth 1, top first:\n  50\n"));
    EXPECT_TRUE(inspectorShows("x 320, y 100, heading 90"));
    // Two keys at once take two steps; then before 90 rt the heading is 0
    // and the stack empty.
    keys("key F8 key F8");
    ASSERT_TRUE(marks("rt"));
    keys("key F8");
    ASSERT_TRUE(marks("90"));
    EXPECT_TRUE(pictureIs(before90, "the picture before 90 rt"));
    EXPECT_TRUE(inspectorShows("Stack, depth 0\n"));
    EXPECT_TRUE(inspectorShows("x 320, y 100, heading 0"));
    // Forward again, the same words draw the same picture.
    keys("key F7 key F7 key F7 key F7");
    ASSERT_TRUE(marks("7"));
    EXPECT_TRUE(pictureIs(after, "the picture redrawn"));
    keys("key Escape");
    ASSERT_TRUE(boxShows());
    answerBox("key Return");

    // A box that was shown cannot be taken back: the run stays where it is
    // and the label says why.
    keys("key ctrl+l key ctrl+a key Delete");
    write({"clearscreen 'hi alert 30 fd 8"});
    const auto idle = statusLabel();
    keys("key F5");
    ASSERT_TRUE(marks("clearscreen"));
    keys("key F7");
    ASSERT_TRUE(marks("'hi"));
    keys("key F7");
    ASSERT_TRUE(marks("alert"));
    keys("key F7");
    auto alertBoxes = [] { return driver::visibleWindows("^The turtle says:$"); };
    ASSERT_TRUE(poll::until("the alert", alertBoxes, [](const auto& ids) { return !ids.empty(); }));
    program->keysTo(alertBoxes().front(), "key Return");
    ASSERT_TRUE(marks("30"));
    keys("key F7 key F7");
    ASSERT_TRUE(marks("8"));
    const auto paused = statusLabel();
    const auto drawn = picture();
    keys("key F8");
    EXPECT_TRUE(labelIs(paused, false)) << "the note that the way back is closed";
    EXPECT_EQ(selection(), "8");
    EXPECT_TRUE(pictureIs(drawn, "the picture as it was"));
    EXPECT_TRUE(alertBoxes().empty()) << "alert is not shown again";
    keys("key F7");
    EXPECT_TRUE(labelIs(idle, true)) << "the run ended; the label as before it";
    EXPECT_TRUE(alertBoxes().empty());
    EXPECT_TRUE(boxes().empty());
}
