// Undo and redo, the coordinate grid, the pointer's coordinates and the
// script kept in a saved picture, as a user meets them in the real program
// under Xvfb: read back through the drawing view's pixels, the status
// label's pixels, window titles, saved files and veskel.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "gtk_loader.h"
#include "image.h"
#include "program_driver.h"

using driver::Program;
using driver::shell;
using driver::visibleWindows;
using driver::waitUntil;
using toolkit::Color;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr Color kBlack{0, 0, 0, 255};
// A loop the interpreter needs hours for; it draws nothing.
constexpr const char* kEndless = "[ 1 drop ] 100000000000 times";

std::vector<std::uint32_t> rawPixels(const toolkit::Image& image) {
    std::vector<std::uint32_t> all(static_cast<std::size_t>(image.width()) * image.height());
    image.readPixels(0, 0, image.width(), image.height(), all.data());
    return all;
}

class History : public testing::Test {
protected:
    static void SetUpTestSuite() { toolkit::loadGtk(); }

    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() / ("pintaro-history-" + std::to_string(getpid())) / info->name();
        fs::remove_all(dir);
        fs::create_directories(dir);
        program = std::make_unique<Program>(dir.string());
    }
    void TearDown() override {
        program.reset();
        if (!HasFailure()) fs::remove_all(dir);
    }

    void undo() const { program->chord({"Control_L", "z"}); }
    void redo() const { program->chord({"Control_L", "Shift_L", "z"}); }

    // Windows titled "Pintaro" besides the main window: an alert or a question.
    std::vector<std::string> boxes() const {
        std::vector<std::string> ids;
        for (const auto& id : visibleWindows("^Pintaro$"))
            if (id != program->mainWindow()) ids.push_back(id);
        return ids;
    }
    bool boxShows() const {
        return waitUntil([&] { return !boxes().empty(); });
    }
    void answerBox(const std::string& keys) {
        ASSERT_TRUE(boxShows());
        program->keysTo(boxes().front(), keys);
        ASSERT_TRUE(waitUntil([&] { return boxes().empty(); }));
    }

    void chooseFile(const std::string& dialogTitle, const fs::path& path, bool locationBar) {
        ASSERT_TRUE(waitUntil([&] { return !visibleWindows("^" + dialogTitle + "$").empty(); }));
        const std::string id = visibleWindows("^" + dialogTitle + "$").front();
        std::this_thread::sleep_for(400ms);
        program->keysTo(id, locationBar ? "key ctrl+l" : "key ctrl+a");
        program->type(path.string());
        std::this_thread::sleep_for(300ms);
        program->keys("key Return");
        ASSERT_TRUE(waitUntil([&] { return visibleWindows("^" + dialogTitle + "$").empty(); }));
        std::this_thread::sleep_for(200ms);
    }
    // Saves and reads the file back once it is written.
    std::unique_ptr<toolkit::Image> saveAs(const fs::path& path) {
        program->chord({"Control_L", "s"});
        chooseFile("Save image", path, false);
        EXPECT_TRUE(waitUntil([&] { return program->title() == path.filename().string() + " | Pintaro"; }));
        return driver::loadPicture(path.string());
    }
    void resizeTo(const std::string& width, const std::string& height) {
        program->keysTo(program->mainWindow(), "key ctrl+l key Tab Tab Tab Tab Return");
        ASSERT_TRUE(waitUntil([] { return !visibleWindows("^Resize image$").empty(); }));
        program->keysTo(visibleWindows("^Resize image$").front(), "key ctrl+a");
        program->type(width);
        program->keys("key Tab");
        program->type(height);
        program->keys("key Tab Return");
        ASSERT_TRUE(waitUntil([] { return visibleWindows("^Resize image$").empty(); }));
        program->keysTo(program->mainWindow(), "key ctrl+l");
    }
    // The "Console" button: from the command line, Tab walks the toolbar.
    std::string openConsole() {
        program->keysTo(program->mainWindow(), "key ctrl+l key Tab Tab Tab Tab Tab Return");
        EXPECT_TRUE(waitUntil([] { return !visibleWindows("^Forth console$").empty(); }));
        return visibleWindows("^Forth console$").front();
    }

    // Waits until the view shows the image point lit (a line passes) or not.
    bool viewLit(int x, int y, bool lit, int imageWidth = 640, int imageHeight = 400) const {
        return waitUntil([&] { return program->viewShot(imageWidth, imageHeight).litNear(x, y) == lit; });
    }

    // The status label's pixels: the toolbar above the drawing view (down to
    // the first black row at the window's left edge), between the last
    // button on the left and "About" (the first 30 pixels of plain
    // background from either end). The buttons are left out: they look
    // different while the window is not the active one.
    std::vector<std::uint32_t> statusLabel() const {
        const std::string file = (dir / "toolbar.png").string();
        shell("import -window " + program->mainWindow() + " " + file + " 2>/dev/null");
        const auto shot = driver::loadPicture(file);
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
        if (top == 0 || right <= left) return {};
        std::vector<std::uint32_t> label(static_cast<std::size_t>(right - left + 1) * top);
        shot->readPixels(left, 0, right - left + 1, top, label.data());
        return label;
    }
    // Waits until the status label shows something else than `before` (or
    // the same, with `same`).
    std::vector<std::uint32_t> labelAfter(const std::vector<std::uint32_t>& before, bool same = false) const {
        std::vector<std::uint32_t> now;
        waitUntil([&] {
            now = statusLabel();
            return (now == before) == same;
        });
        return now;
    }
    // Moves the pointer over an image point, as the view shows it now.
    void pointAt(int imageX, int imageY, int imageWidth = 640, int imageHeight = 400) const {
        const auto shot = program->viewShot(imageWidth, imageHeight);
        program->keys("mousemove --window " + program->mainWindow() + " " + std::to_string(shot.originX + imageX) +
                      " " + std::to_string(shot.originY + imageY));
    }
    void pointAway() const { program->keys("mousemove 1279 1023"); }

    fs::path dir;
    std::unique_ptr<Program> program;
};

}  // namespace

TEST_F(History, UndoAndRedoTakeEachKindOfStepBackAndForth) {
    Program& p = *program;
    // A command line: the line goes and comes back, and the turtle with it.
    p.command("100 fd");
    ASSERT_TRUE(viewLit(320, 150, true));
    undo();
    EXPECT_TRUE(viewLit(320, 150, false));
    EXPECT_TRUE(p.viewShot().litNear(320, 194)) << "the turtle's mark is home again";
    redo();
    EXPECT_TRUE(viewLit(320, 150, true));
    EXPECT_TRUE(p.viewShot().litNear(320, 92)) << "and the turtle's mark at the line's end";
    undo();
    p.chord({"Control_L", "y"});
    EXPECT_TRUE(viewLit(320, 150, true));

    // A console run, undone whole.
    const std::string console = openConsole();
    p.keysTo(console, "key ctrl+l");
    p.type("90 rt 50 fd");
    p.keys("key Return");
    p.type("50 fd");
    p.keysTo(console, "key F5");
    p.keysTo(console, "key ctrl+z");  // in the editor: no undo of the drawing
    driver::requestClose(console);
    ASSERT_TRUE(waitUntil([] { return visibleWindows("^Forth console$").empty(); }));
    ASSERT_TRUE(viewLit(390, 100, true));
    undo();
    EXPECT_TRUE(viewLit(390, 100, false));
    EXPECT_TRUE(p.viewShot().litNear(320, 150)) << "the command before it stays";
    redo();
    EXPECT_TRUE(viewLit(390, 100, true));

    // New: the question, then the empty picture; undone, the drawing is back.
    p.chord({"Control_L", "n"});
    answerBox("key Return");  // "Start anew"
    EXPECT_TRUE(viewLit(320, 150, false));
    undo();
    EXPECT_TRUE(viewLit(320, 150, true));
    EXPECT_TRUE(p.viewShot().litNear(390, 100));

    // Resize: size and pixels go back and forth.
    resizeTo("700", "450");
    auto big = saveAs(dir / "big.png");
    EXPECT_EQ(big->width(), 700);
    undo();
    auto back = saveAs(dir / "back.png");
    EXPECT_EQ(back->width(), 640);
    EXPECT_EQ(back->height(), 400);
    EXPECT_TRUE(back->pixel(320, 150).r > 100 || back->pixel(319, 150).r > 100);
    redo();
    auto again = saveAs(dir / "again.png");
    EXPECT_EQ(rawPixels(*again), rawPixels(*big));

    // Open: the picture and its title, then the drawing and its title again.
    toolkit::Image red(toolkit::gtkRaster());
    red.resize(100, 50);
    red.canvas().fAreaColor = Color(255, 0, 0);
    red.canvas().fill();
    red.saveToPngFile((dir / "red.png").string());
    p.chord({"Control_L", "o"});
    chooseFile("Open image", dir / "red.png", true);
    ASSERT_TRUE(waitUntil([&] { return p.title() == "red.png | Pintaro"; }));
    EXPECT_TRUE(waitUntil([&] { return p.viewShot(100, 50).at(50, 25) == Color(255, 0, 0); }));
    undo();
    EXPECT_TRUE(waitUntil([&] { return p.title() == "again.png | Pintaro"; })) << "the file it was saved to";
    EXPECT_TRUE(viewLit(350, 150, true, 700, 450)) << "the resized drawing";
    redo();
    EXPECT_TRUE(waitUntil([&] { return p.title() == "red.png | Pintaro"; }));
}

TEST_F(History, UndoingBackToTheSavedDrawingMakesItSavedAgain) {
    Program& p = *program;
    p.command("100 fd");
    saveAs(dir / "tree.png");
    p.keysTo(p.mainWindow(), "key ctrl+l");
    p.command("90 rt 50 fd");
    undo();
    undo();  // before the save
    EXPECT_EQ(p.title(), "tree.png | Pintaro") << "the title names the file, saved or not";
    driver::requestClose(p.mainWindow());
    ASSERT_TRUE(boxShows()) << "Drawing isn't saved. Quit anyway?";
    answerBox("key Escape");  // "Stay"
    redo();                   // the saved drawing again
    ASSERT_TRUE(viewLit(320, 150, true));
    EXPECT_EQ(p.title(), "tree.png | Pintaro");
    driver::requestClose(p.mainWindow());
    EXPECT_EQ(p.waitForExit(), 0) << "saved: no question";
}

TEST_F(History, UndoWaitsWhileAScriptRuns) {
    Program& p = *program;
    p.command("100 fd");
    ASSERT_TRUE(viewLit(320, 150, true));
    const auto before = statusLabel();
    p.command(kEndless);
    undo();  // arrives while the loop runs
    const auto note = labelAfter(before);
    EXPECT_NE(note, before) << "the status label says a script is running";
    EXPECT_TRUE(p.viewShot().litNear(320, 150)) << "nothing was undone";
    p.keysTo(p.mainWindow(), "key Escape");
    answerBox("key Return");  // "Interrupted"
    EXPECT_EQ(labelAfter(before, true), before) << "the note is gone with the run";
    undo();  // the loop drew nothing: the line is the last step
    EXPECT_TRUE(viewLit(320, 150, false));
}

TEST_F(History, TheGridIsInTheViewOnlyAndThePointerShowsImageCoordinates) {
    Program& p = *program;
    auto ink = [&](int x, int y) {
        const auto shot = p.viewShot();
        return std::max(shot.at(x, y).r, shot.at(x - 1, y).r);
    };
    EXPECT_EQ(ink(50, 220), 0) << "no grid at the start";
    p.chord({"Control_L", "g"});
    EXPECT_TRUE(waitUntil([&] { return ink(50, 220) > 0; })) << "a line every 50 pixels";
    EXPECT_EQ(ink(25, 220), 0);
    EXPECT_GT(ink(320, 220), ink(300, 220)) << "the home axis stronger";
    auto saved = saveAs(dir / "grid.png");
    EXPECT_EQ(saved->pixel(50, 220), kBlack) << "the grid is not in the picture";
    EXPECT_EQ(saved->pixel(320, 300), kBlack);
    p.chord({"Control_L", "g"});
    EXPECT_TRUE(waitUntil([&] { return ink(50, 220) == 0; }));

    // The status label follows the pointer in image pixels.
    const auto message = statusLabel();  // "Saved as grid.png"
    pointAt(300, 300);
    const auto at300 = labelAfter(message);
    pointAt(301, 300);
    EXPECT_NE(labelAfter(at300), at300);
    pointAt(300, 300);
    EXPECT_EQ(labelAfter(at300, true), at300) << "the same point, the same coordinates";
    // A message while the pointer is over the image shows, and stays the
    // message once the pointer has left.
    undo();  // "Nothing to undo."
    const auto nothing = labelAfter(at300);
    EXPECT_NE(nothing, message);
    pointAt(10, 10);
    labelAfter(nothing);
    pointAway();
    EXPECT_EQ(labelAfter(nothing, true), nothing);
    // Another image size puts the image elsewhere in the view: the same
    // image point still reads the same.
    resizeTo("800", "600");
    pointAt(300, 300, 800, 600);
    EXPECT_EQ(labelAfter(at300, true), at300);
    pointAt(-5, 300, 800, 600);  // beside the image, in the view
    EXPECT_NE(labelAfter(at300), at300);
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
    resizeTo("700", "450");
    p.command("drop 45 rt 100 fd 'Hi label");
    auto drawn = saveAs(dir / "drawn.png");
    const std::string veskel = VESKEL_PROGRAM;
    EXPECT_EQ(shell(veskel + " --script-of " + (dir / "drawn.png").string()),
              "\\ Drawing started with New: 640 x 400 pixels, transparent.\n"
              ":side 50 fd 90 rt ; 3 setpensize side side\n"
              "1 2\n"
              "#red setpc 30 30 ellipse\n"
              "\\ Resized to 700 x 450 pixels.\n"
              "drop 45 rt 100 fd 'Hi label");
    shell(veskel + " --replay " + (dir / "drawn.png").string() + " -o " + (dir / "replayed.png").string());
    auto replayed = driver::loadPicture((dir / "replayed.png").string());
    EXPECT_EQ(replayed->width(), 700);
    EXPECT_EQ(rawPixels(*replayed), rawPixels(*drawn)) << "pixel for pixel, transparency included";

    // Opened again, the script goes into the empty editor.
    p.chord({"Control_L", "o"});
    chooseFile("Open image", dir / "drawn.png", true);
    ASSERT_TRUE(waitUntil([&] { return p.title() == "drawn.png | Pintaro"; }));
    const std::string console = openConsole();
    p.keysTo(console, "key ctrl+l key ctrl+a");
    EXPECT_TRUE(waitUntil([&] {
        return shell("xclip -o -selection primary 2>/dev/null") ==
               shell(veskel + " --script-of " + (dir / "drawn.png").string());
    }));
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
