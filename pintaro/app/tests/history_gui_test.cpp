// Undo and redo, the coordinate grid, the pointer's coordinates and the
// script kept in a saved picture, as a user meets them in the real program
// under Xvfb: read back through the drawing view's pixels, the status
// label's pixels, window titles, saved files and veskel. Every step waits
// for what it checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

#include "raster/image.h"
#include "poll.h"
#include "program_fixture.h"

using driver::Program;
using driver::shell;
using driver::visibleWindows;
using raster::Color;

namespace {

constexpr Color kBlack{0, 0, 0, 255};
// A loop the interpreter needs hours for; it draws nothing.
constexpr const char* kEndless = "[ 1 drop ] 100000000000 times";

std::vector<std::uint32_t> rawPixels(const raster::Image& image) {
    std::vector<std::uint32_t> all(static_cast<std::size_t>(image.width()) * image.height());
    image.readPixels(0, 0, image.width(), image.height(), all.data());
    return all;
}

class History : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        start();
    }

    void undo() const { program->chord({"Control_L", "z"}); }
    void redo() const { program->chord({"Control_L", "Shift_L", "z"}); }

    // The status label's pixels: the toolbar above the drawing view (down to
    // the first black row at the window's left edge), between the last
    // button on the left and "About" (the first 30 pixels of plain
    // background from either end). The buttons are left out: they look
    // different while the window is not the active one. Empty while the
    // window cannot be read.
    std::vector<std::uint32_t> statusLabel() const {
        const std::string file = (dir / "toolbar.png").string();
        shell("import -window " + program->mainWindow() + " " + file + " 2>/dev/null");
        const auto shot = driver::tryLoadPicture(file);
        if (!shot) return {};
        int top = 0;
        while (top < shot->height() && shot->pixel(4, top) != kBlack) ++top;
        const int w = shot->width(), middle = top / 2;
        std::vector<std::uint32_t> row(static_cast<std::size_t>(w));
        shot->readPixels(0, middle, w, 1, row.data());
        std::uint32_t plain = 0;  // the background, above the buttons
        shot->readPixels(w / 2, 1, 1, 1, &plain);
        auto plainFrom = [&](int x, int step) {
            for (int run = 0; x >= 0 && x < w; x += step) {
                run = row[static_cast<std::size_t>(x)] == plain ? run + 1 : 0;
                if (run == 30) return x - step * 29;
            }
            return x;
        };
        const int left = plainFrom(0, 1), right = plainFrom(w - 1, -1);
        if (top == 0 || top == shot->height() || right <= left) return {};
        std::vector<std::uint32_t> label(static_cast<std::size_t>(right - left + 1) * top);
        shot->readPixels(left, 0, right - left + 1, top, label.data());
        return label;
    }
    // Waits until the status label shows something else than `before` (or
    // the same, with `same`) and returns what it shows then.
    std::vector<std::uint32_t> labelAfter(const std::vector<std::uint32_t>& before, bool same = false) const {
        std::vector<std::uint32_t> now;
        EXPECT_TRUE(poll::untilEqual(
            same ? "the status label to read as before" : "the status label to change",
            [&]() -> std::string {
                now = statusLabel();
                if (now.empty()) return "no status label";
                return now == before ? "the same text" : "another text";
            },
            std::string(same ? "the same text" : "another text")));
        return now;
    }
    // Moves the pointer over an image point, as the view shows it now.
    void pointAt(int imageX, int imageY, int imageWidth = 640, int imageHeight = 400) const {
        const auto view = program->viewShot(imageWidth, imageHeight);
        ASSERT_TRUE(view.shot) << view.missing;
        program->keys("mousemove --window " + program->mainWindow() + " " + std::to_string(view.originX + imageX) +
                      " " + std::to_string(view.originY + imageY));
    }
    void pointAway() const { program->keys("mousemove 1279 1023"); }
};

}  // namespace

TEST_F(History, UndoAndRedoTakeEachKindOfStepBackAndForth) {
    Program& p = *program;
    // A command line: the line goes and comes back, and the turtle with it.
    p.command("100 fd");
    ASSERT_TRUE(p.viewShows({{320, 150, "lit"}}));
    undo();
    EXPECT_TRUE(p.viewShows({{320, 150, "dark"}, {320, 194, "lit"}})) << "the turtle's mark is home again";
    redo();
    EXPECT_TRUE(p.viewShows({{320, 150, "lit"}, {320, 92, "lit"}})) << "and the turtle's mark at the line's end";
    undo();
    ASSERT_TRUE(p.viewShows({{320, 150, "dark"}}));
    p.chord({"Control_L", "y"});
    EXPECT_TRUE(p.viewShows({{320, 150, "lit"}}));

    // A console run, undone whole.
    openConsole();
    p.keysTo(console, "key ctrl+l");
    p.type("90 rt 50 fd");
    p.keys("key Return");
    p.type("50 fd");
    p.keysTo(console, "key F5");
    p.keysTo(console, "key ctrl+z");  // in the editor: no undo of the drawing
    driver::requestClose(console);
    ASSERT_TRUE(windowShows("Forth console", false));
    ASSERT_TRUE(p.viewShows({{390, 100, "lit"}}));
    undo();
    EXPECT_TRUE(p.viewShows({{390, 100, "dark"}, {320, 150, "lit"}})) << "the command before it stays";
    redo();
    EXPECT_TRUE(p.viewShows({{390, 100, "lit"}}));

    // New: the question, then the empty picture; undone, the drawing is back.
    p.chord({"Control_L", "n"});
    answerBox("key Return");  // "Start anew"
    EXPECT_TRUE(p.viewShows({{320, 150, "dark"}, {390, 100, "dark"}}));
    undo();
    EXPECT_TRUE(p.viewShows({{320, 150, "lit"}, {390, 100, "lit"}}));

    // Resize: size and pixels go back and forth.
    resize("700", "450");
    auto big = saveAndRead("big.png");
    ASSERT_TRUE(big);
    EXPECT_EQ(big->width(), 700);
    undo();
    auto back = saveAndRead("back.png");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->width(), 640);
    EXPECT_EQ(back->height(), 400);
    EXPECT_TRUE(back->pixel(320, 150).r > 100 || back->pixel(319, 150).r > 100);
    redo();
    auto again = saveAndRead("again.png");
    ASSERT_TRUE(again);
    EXPECT_EQ(rawPixels(*again), rawPixels(*big));

    // Open: the picture and its title, then the drawing and its title again.
    raster::Image red(toolkit::gtkRaster());
    red.resize(100, 50);
    red.canvas().fAreaColor = Color(255, 0, 0);
    red.canvas().fill();
    red.saveToPngFile((dir / "red.png").string());
    openFile("red.png");
    ASSERT_TRUE(titleIs("red.png | Pintaro"));
    EXPECT_TRUE(p.viewShows({{50, 25, "#FF0000"}}, 100, 50));
    undo();
    EXPECT_TRUE(titleIs("again.png | Pintaro")) << "the file it was saved to";
    EXPECT_TRUE(p.viewShows({{350, 150, "lit"}}, 700, 450)) << "the resized drawing";
    redo();
    EXPECT_TRUE(titleIs("red.png | Pintaro"));
}

TEST_F(History, UndoingBackToTheSavedDrawingMakesItSavedAgain) {
    Program& p = *program;
    p.command("100 fd");
    ASSERT_TRUE(saveAndRead("tree.png"));
    p.keysTo(p.mainWindow(), "key ctrl+l");
    p.command("90 rt 50 fd");
    ASSERT_TRUE(p.viewShows({{350, 100, "lit"}}));
    undo();
    undo();  // before the save
    ASSERT_TRUE(p.viewShows({{320, 150, "dark"}}));
    EXPECT_EQ(p.title(), "tree.png | Pintaro") << "the title names the file, saved or not";
    driver::requestClose(p.mainWindow());
    answerBox("key Escape");  // "Drawing isn't saved. Quit anyway?" "Stay"
    redo();                   // the saved drawing again
    ASSERT_TRUE(p.viewShows({{320, 150, "lit"}}));
    EXPECT_EQ(p.title(), "tree.png | Pintaro");
    driver::requestClose(p.mainWindow());
    EXPECT_TRUE(p.exitsWith(0)) << "saved: no question";
}

TEST_F(History, UndoWaitsWhileAScriptRuns) {
    Program& p = *program;
    p.command("100 fd");
    ASSERT_TRUE(p.viewShows({{320, 150, "lit"}}));
    const auto before = statusLabel();
    p.command(kEndless);
    undo();  // arrives while the loop runs
    labelAfter(before);  // the status label says a script is running
    EXPECT_TRUE(p.viewShows({{320, 150, "lit"}})) << "nothing was undone";
    p.keysTo(p.mainWindow(), "key Escape");
    answerBox("key Return");  // "Interrupted"
    labelAfter(before, true);  // the note is gone with the run
    undo();  // the loop drew nothing: the line is the last step
    EXPECT_TRUE(p.viewShows({{320, 150, "dark"}}));
}

TEST_F(History, TheGridIsInTheViewOnlyAndThePointerShowsImageCoordinates) {
    Program& p = *program;
    // The red of the view at an image point and the pixel left of it, or -1
    // while the view cannot be read.
    auto ink = [&](int x, int y) {
        const auto view = p.viewShot();
        return view.shot ? std::max(view.at(x, y).r, view.at(x - 1, y).r) : -1;
    };
    EXPECT_TRUE(p.viewShows({{50, 220, "#000000"}})) << "no grid at the start";
    p.chord({"Control_L", "g"});
    ASSERT_TRUE(poll::until("a grid line at x = 50", [&] { return ink(50, 220); }, [](int r) { return r > 0; }))
        << "a line every 50 pixels";
    EXPECT_EQ(ink(25, 220), 0);
    EXPECT_GT(ink(320, 220), ink(300, 220)) << "the home axis stronger";
    auto saved = saveAndRead("grid.png");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->pixel(50, 220), kBlack) << "the grid is not in the picture";
    EXPECT_EQ(saved->pixel(320, 300), kBlack);
    p.chord({"Control_L", "g"});
    EXPECT_TRUE(poll::untilEqual("no grid line at x = 50", [&] { return ink(50, 220); }, 0));

    // The status label follows the pointer in image pixels.
    const auto message = statusLabel();  // "Saved as grid.png"
    pointAt(300, 300);
    const auto at300 = labelAfter(message);
    pointAt(301, 300);
    labelAfter(at300);
    pointAt(300, 300);
    labelAfter(at300, true);  // the same point, the same coordinates
    // A message while the pointer is over the image shows, and stays the
    // message once the pointer has left.
    undo();  // "Nothing to undo."
    const auto nothing = labelAfter(at300);
    EXPECT_NE(nothing, message);
    pointAt(10, 10);
    labelAfter(nothing);
    pointAway();
    labelAfter(nothing, true);
    // Another image size puts the image elsewhere in the view: the same
    // image point still reads the same.
    resize("800", "600");
    pointAt(300, 300, 800, 600);
    labelAfter(at300, true);
    pointAt(-5, 300, 800, 600);  // beside the image, in the view
    labelAfter(at300);
}

TEST_F(History, APictureSavedInPintaroIsDrawnAgainByVeskelAndItsScriptComesBackOnOpen) {
    Program& p = *program;
    // New, a word defined and used, an undone step, a step that changes
    // nothing, a Resize.
    p.command("100 fd");
    p.chord({"Control_L", "n"});
    answerBox("key Return");  // "Start anew"
    p.keysTo(p.mainWindow(), "key ctrl+l");
    p.command(":side 50 fd 90 rt ; 3 setpensize side side");
    p.command("'Oops label");
    undo();
    p.command("1 2");
    p.command("#red setpc 30 30 ellipse");
    resize("700", "450");
    p.command("drop 45 rt 100 fd 'Hi label");
    auto drawn = saveAndRead("drawn.png");
    ASSERT_TRUE(drawn);
    const std::string veskel = VESKEL_PROGRAM;
    const std::string script = shell(veskel + " --script-of " + (dir / "drawn.png").string());
    EXPECT_EQ(script,
              "\\ Drawing started with New: 640 x 400 pixels, transparent.\n"
              ":side 50 fd 90 rt ; 3 setpensize side side\n"
              "1 2\n"
              "#red setpc 30 30 ellipse\n"
              "\\ Resized to 700 x 450 pixels.\n"
              "drop 45 rt 100 fd 'Hi label");
    shell(veskel + " --replay " + (dir / "drawn.png").string() + " -o " + (dir / "replayed.png").string());
    auto replayed = driver::tryLoadPicture((dir / "replayed.png").string());
    ASSERT_TRUE(replayed);
    EXPECT_EQ(replayed->width(), 700);
    EXPECT_EQ(rawPixels(*replayed), rawPixels(*drawn)) << "pixel for pixel, transparency included";

    // Opened again, the script goes into the empty editor.
    openFile("drawn.png");
    ASSERT_TRUE(titleIs("drawn.png | Pintaro"));
    openConsole();
    EXPECT_TRUE(poll::untilEqual(
        "the editor's text",
        [&] {
            p.keysTo(console, "key ctrl+l key ctrl+a");
            return shell("xclip -o -selection primary 2>/dev/null");
        },
        script));
}

TEST_F(History, ADrawingWhoseRunWasStoppedWithEscapeReplaysToTheSamePixels) {
    Program& p = *program;
    // The turtle turns for as long as the loop runs; where Escape stopped it
    // decides where the star below points.
    p.command("[ 1 ] while [ 7 rt ] repeat");
    p.keysTo(p.mainWindow(), "key Escape");
    answerBox("key Return");  // "Interrupted"
    p.keysTo(p.mainWindow(), "key ctrl+l key ctrl+a key Delete");
    p.command("[ 100 fd 144 rt ] 5 times");
    auto drawn = saveAndRead("stopped.png");
    ASSERT_TRUE(drawn);
    const std::string veskel = VESKEL_PROGRAM;
    const std::string script = shell(veskel + " --script-of " + (dir / "stopped.png").string());
    EXPECT_TRUE(std::regex_match(script, std::regex("\\\\ Drawing started from the start image: 640 x 400 pixels, black.\n"
                                              "\\\\ Stopped with Escape after [1-9][0-9]* steps: "
                                              "\\[ 1 \\] while \\[ 7 rt \\] repeat\n"
                                              "\\[ 100 fd 144 rt \\] 5 times")))
        << script;
    shell(veskel + " --replay " + (dir / "stopped.png").string() + " -o " + (dir / "again.png").string());
    auto replayed = driver::tryLoadPicture((dir / "again.png").string());
    ASSERT_TRUE(replayed);
    EXPECT_EQ(rawPixels(*replayed), rawPixels(*drawn)) << "the replay stops the loop where Escape did";
}

TEST_F(History, AConsoleRunStoppedWithEscapeReplaysToTheSamePixels) {
    Program& p = *program;
    // The loop is the run's second line: the note counts the steps of that
    // line alone, where the replay starts counting.
    openConsole();
    p.keysTo(console, "key ctrl+l");
    p.type("45 rt 30 fd");
    p.keys("key Return");
    p.type("[ 1 ] while [ 7 rt ] repeat");
    p.keysTo(console, "key F5 key Escape");
    answerBox("key Return");  // "Interrupted at line 2"
    driver::requestClose(console);
    ASSERT_TRUE(windowShows("Forth console", false));
    p.keysTo(p.mainWindow(), "key ctrl+l");
    p.command("[ 100 fd 144 rt ] 5 times");
    auto drawn = saveAndRead("console-stopped.png");
    ASSERT_TRUE(drawn);
    const std::string veskel = VESKEL_PROGRAM;
    const std::string script = shell(veskel + " --script-of " + (dir / "console-stopped.png").string());
    EXPECT_TRUE(std::regex_match(script, std::regex("\\\\ Drawing started from the start image: 640 x 400 pixels, black.\n"
                                              "\\\\ Console run:\n"
                                              "45 rt 30 fd\n"
                                              "\\\\ Stopped with Escape after [1-9][0-9]* steps: "
                                              "\\[ 1 \\] while \\[ 7 rt \\] repeat\n"
                                              "\\\\ End of console run.\n"
                                              "\\[ 100 fd 144 rt \\] 5 times")))
        << script;
    shell(veskel + " --replay " + (dir / "console-stopped.png").string() + " -o " + (dir / "again.png").string());
    auto replayed = driver::tryLoadPicture((dir / "again.png").string());
    ASSERT_TRUE(replayed);
    EXPECT_EQ(rawPixels(*replayed), rawPixels(*drawn)) << "the replay stops the console's loop where Escape did";
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
