// Facts about pintaro as a user meets them: the real program under Xvfb,
// driven by keys and window-manager requests, read back through window
// titles, which windows are showing, screen pixels and the files it saves.
// Every step waits for what it checks; where a test says that something
// did not happen, a later step whose effect shows proves that the program
// had already handled the input before it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "raster/image.h"
#include "poll.h"
#include "program_fixture.h"

using driver::Program;
using driver::visibleWindows;
using raster::Color;
namespace fs = std::filesystem;

namespace {

constexpr Color kBlack{0, 0, 0, 255};

bool bright(Color c) { return c.r > 100 && c.g > 100 && c.b > 100; }

using Pintaro = ProgramTest;

}  // namespace

// ---------------------------------------------------------------- start, draw, quit

TEST_F(Pintaro, StartsTitledPintaroAndATypedCommandDrawsALine) {
    Program& p = start();
    EXPECT_EQ(p.title(), "Pintaro");
    EXPECT_TRUE(p.viewShows({{320, 150, "dark"}}));
    p.command("100 fd");
    EXPECT_TRUE(p.viewShows({{320, 150, "lit"},  // the line up from the centre
                             {320, 110, "lit"},
                             {320, 80, "dark"},  // it ends 100 pixels up (the turtle's mark reaches 88)
                             {200, 300, "#000000"}}));
}

TEST_F(Pintaro, TheWindowShowsTheIconDrawnNextToTheProgram) {
    ASSERT_TRUE(fs::exists(fs::path(PINTARO_PROGRAM).replace_extension(".png")));
    Program& p = start();
    EXPECT_EQ(driver::windowIconSize(p.mainWindow()), std::make_pair(128L, 128L));
}

TEST_F(Pintaro, ControlQQuitsAtOnceEvenWithUnsavedChanges) {
    Program& p = start();
    p.command("100 fd");
    p.chord({"Control_L", "q"});
    EXPECT_TRUE(p.exitsWith(0));
}

TEST_F(Pintaro, ClosingAnUntouchedDrawingQuitsWithoutAQuestion) {
    Program& p = start();
    driver::requestClose(p.mainWindow());
    EXPECT_TRUE(p.exitsWith(0));
}

TEST_F(Pintaro, ClosingAnUnsavedDrawingAsksAndClosingTheQuestionKeepsRunning) {
    Program& p = start();
    p.command("10 fd");
    driver::requestClose(p.mainWindow());
    ASSERT_TRUE(boxShows()) << "Drawing isn't saved. Quit anyway?";
    driver::requestClose(boxes().front());
    ASSERT_TRUE(poll::until("the question to close", [&] { return boxes(); }, [](const auto& b) { return b.empty(); }));
    // Asking again shows that the program kept running.
    driver::requestClose(p.mainWindow());
    ASSERT_TRUE(boxShows());
    answerBox("key Escape");
    driver::requestClose(p.mainWindow());
    ASSERT_TRUE(boxShows()) << "Escape answers like Stay";
    answerBox("key Return");  // the first button, "Quit", has the focus
    EXPECT_TRUE(p.exitsWith(0));
}

// ---------------------------------------------------------------- errors and history

TEST_F(Pintaro, AnErrorShowsAnAlertAndTheProgramKeepsRunning) {
    Program& p = start();
    p.command("foo");
    ASSERT_TRUE(boxShows()) << "invalid float: foo";
    answerBox("key Return");
    p.keysTo(p.mainWindow(), "key ctrl+l");
    p.command("1 0 mod");
    ASSERT_TRUE(boxShows()) << "an arithmetic fault is reported the same way";
    answerBox("key Return");
    p.keysTo(p.mainWindow(), "key ctrl+l");
    p.command("100 fd");
    EXPECT_TRUE(p.viewShows({{320, 150, "lit"}})) << "still drawing";
}

TEST_F(Pintaro, TheHistoryKeepsTheLast100EntriesForPageUpAndPageDown) {
    Program& p = start();
    // Entry k stores k in v; running an entry again shows which it was.
    // One xdotool run types them all, key by key.
    std::string entries = "key --delay 2";
    for (int k = 1; k <= 101; ++k) {
        for (char digit : std::to_string(k)) entries += std::string(" ") + digit;
        entries += " space equal v Return";
    }
    p.keys(entries);
    // 100 steps back reach the oldest kept entry, "2 =v"; one more does nothing.
    std::string ups = "key";
    for (int i = 0; i < 101; ++i) ups += " Prior";
    p.keys(ups);
    p.keys("key Return");
    p.command("$v 50 * fd");
    EXPECT_TRUE(p.viewShows({{320, 105, "lit"},  // v was 2: a line of 100
                             {320, 80, "dark"}}));  // and no longer (the turtle's mark reaches 88)
    // Page Up shows the newest entry, Page Down past it gives an empty line:
    // Return then runs nothing, so the line does not grow. Hiding the turtle
    // afterwards shows that the empty line has been handled.
    p.keys("key Prior Next");
    p.keys("key Return");
    p.command("ht");
    EXPECT_TRUE(p.viewShows({{332, 100, "dark"}, {320, 60, "dark"}}));
    // Page Up now brings "ht", the empty entry, then the drawing.
    p.keys("key Prior Prior Prior Return");
    EXPECT_TRUE(p.viewShows({{320, 60, "lit"}})) << "the drawing entry ran again";
}

TEST_F(Pintaro, OnlyReturnRunsTheCommandLine) {
    Program& p = start();
    // Had Enter on the keypad run "10", the rest would move the turtle by 0.
    p.type("10");
    p.keys("key KP_Enter");
    p.type("0 fd");
    p.keys("key Return");
    EXPECT_TRUE(p.viewShows({{320, 150, "lit"}})) << "100 fd ran as one line";
}

TEST_F(Pintaro, TheRightControlKeyMakesNoShortcut) {
    Program& p = start();
    p.command("10 fd");
    for (const char* key : {"n", "o", "s", "l", "q"}) p.chord({"Control_R", key});
    // The next command reaches the command line and runs: no question, no
    // dialog took the keys and the program did not quit.
    p.command("90 fd");
    EXPECT_TRUE(p.viewShows({{320, 105, "lit"}}));
    EXPECT_TRUE(boxes().empty());
    EXPECT_TRUE(visibleWindows("^(Save|Open) image$").empty());
    EXPECT_TRUE(p.running());
}

// ---------------------------------------------------------------- files

TEST_F(Pintaro, ControlSWritesThePictureAndNamesTheWindowAfterTheFile) {
    Program& p = start();
    p.command("100 fd");
    auto saved = saveAndRead("tree.png");
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->width(), 640);
    ASSERT_EQ(saved->height(), 400);
    EXPECT_TRUE(bright(saved->pixel(320, 150)) || bright(saved->pixel(319, 150)));
    EXPECT_EQ(saved->pixel(100, 100), kBlack);
    EXPECT_EQ(saved->pixel(320, 50), kBlack);
    // The next save proposes the same folder and name: accepting it at once
    // overwrites the file with the newer drawing.
    p.command("90 rt 100 fd");
    p.chord({"Control_L", "s"});
    ASSERT_TRUE(windowShows("Save image"));
    p.keysTo(visibleWindows("^Save image$").front(), "key Return");
    EXPECT_TRUE(poll::until("the second line in the file", [&] {
        const auto again = driver::tryLoadPicture((dir / "tree.png").string());
        return again && (bright(again->pixel(370, 100)) || bright(again->pixel(370, 99)));
    }));
    // Saved: closing asks nothing.
    driver::requestClose(p.mainWindow());
    EXPECT_TRUE(p.exitsWith(0));
}

TEST_F(Pintaro, AJpegNameKeepsItsSpellingInTheTitle) {
    Program& p = start();
    p.command("100 fd");
    saveAs("drawing.JPEG");
    ASSERT_TRUE(titleIs("drawing.JPEG | Pintaro"));
    std::ifstream in(dir / "drawing.JPEG", std::ios::binary);
    char magic[3] = {};
    in.read(magic, 3);
    EXPECT_EQ(static_cast<unsigned char>(magic[0]), 0xFF) << "a JPEG file";
    EXPECT_EQ(static_cast<unsigned char>(magic[1]), 0xD8);
}

TEST_F(Pintaro, CancellingTheDialogsChangesNothing) {
    Program& p = start();
    p.command("100 fd");
    auto cancel = [&](const std::string& title) {
        ASSERT_TRUE(windowShows(title));
        p.keysTo(visibleWindows("^" + title + "$").front(), "key Escape");
        ASSERT_TRUE(windowShows(title, false));
    };
    p.chord({"Control_L", "o"});
    ASSERT_TRUE(boxShows()) << "Drawing isn't saved. Open another?";
    answerBox("key Return");  // "Open"
    cancel("Open image");
    p.keysTo(p.mainWindow(), "key ctrl+l");
    p.chord({"Control_L", "s"});
    cancel("Save image");
    EXPECT_EQ(p.title(), "Pintaro");
    EXPECT_TRUE(p.viewShows({{320, 150, "lit"}})) << "the drawing is still there";
    driver::requestClose(p.mainWindow());
    EXPECT_TRUE(boxShows()) << "and still unsaved";
}

TEST_F(Pintaro, F1ShowsTheAboutBox) {
    Program& p = start();
    p.keys("key F1");
    ASSERT_TRUE(windowShows("About Pintaro"));
    p.keysTo(visibleWindows("^About Pintaro$").front(), "key Return");
    EXPECT_TRUE(windowShows("About Pintaro", false));
    EXPECT_TRUE(p.running());
}

TEST_F(Pintaro, AnUnsupportedExtensionIsRefusedAndTheDrawingStaysUnsaved) {
    Program& p = start();
    p.command("100 fd");
    saveAs("tree.gif");
    ASSERT_TRUE(boxShows()) << "Please save as BMP, PNG or JPG.";
    answerBox("key Return");
    EXPECT_FALSE(fs::exists(dir / "tree.gif"));
    EXPECT_EQ(p.title(), "Pintaro");
    driver::requestClose(p.mainWindow());
    EXPECT_TRUE(boxShows()) << "still unsaved, so closing asks";
}

TEST_F(Pintaro, AFailedWriteKeepsTheDrawingUnsaved) {
    Program& p = start();
    p.command("100 fd");
    // No file can be made in /proc, not even by root; the name in the
    // test's folder leads there.
    fs::create_symlink("/proc/pintaro-test.png", dir / "nowhere.png");
    saveAs("nowhere.png");
    ASSERT_TRUE(boxShows()) << "the saver's message";
    answerBox("key Return");
    EXPECT_FALSE(fs::exists("/proc/pintaro-test.png"));
    EXPECT_EQ(p.title(), "Pintaro");
    driver::requestClose(p.mainWindow());
    EXPECT_TRUE(boxShows());
}

TEST_F(Pintaro, OpenTakesThePictureAndAFileThatIsNoImageLeavesABlackStartImage) {
    raster::Image red(toolkit::gtkRaster());
    red.resize(100, 50);
    red.canvas().fAreaColor = Color(255, 0, 0);
    red.canvas().fill();
    red.saveToPngFile((dir / "red.png").string());
    std::ofstream(dir / "notes.png") << "not a picture\n";

    Program& p = start();
    openFile("red.png");
    EXPECT_TRUE(titleIs("red.png | Pintaro"));
    EXPECT_TRUE(p.viewShows({{50, 25, "#FF0000"}, {-30, 25, "#000000"}}, 100, 50))
        << "the picture, and the background around it";
    openFile("notes.png");
    ASSERT_TRUE(boxShows()) << "the library's message";
    answerBox("key Return");
    EXPECT_EQ(p.title(), "red.png | Pintaro") << "the title stays";
    EXPECT_TRUE(p.viewShows({{50, 25, "#000000"}})) << "a 640 x 400 black image";
    auto saved = saveAndRead("after.png");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->width(), 640);
    EXPECT_EQ(saved->height(), 400);
}

TEST_F(Pintaro, AFileNamedAtStartOpensAsAPictureOrLoadsIntoTheConsole) {
    raster::Image red(toolkit::gtkRaster());
    red.resize(100, 50);
    red.canvas().fAreaColor = Color(255, 0, 0);
    red.canvas().fill();
    red.saveToPngFile((dir / "red.png").string());
    std::ofstream(dir / "line.FS") << "100 fd\n";

    // A relative name, from the folder pintaro starts in; then it is the
    // drawing's file as after Open, so Save writes beside it.
    Program& picture = start({"red.png"}, "^red.png \\| Pintaro$");
    EXPECT_TRUE(picture.viewShows({{50, 25, "#FF0000"}, {-30, 25, "#000000"}}, 100, 50));
    EXPECT_TRUE(windowShows("Forth console", false));
    picture.command("10 fd");
    auto saved = saveAndRead("red.png");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->width(), 100);

    // A script: into the console, shown, not run until Run.
    Program& script = start({"--", "line.FS"}, "^Pintaro$");
    ASSERT_TRUE(windowShows("Forth console"));
    EXPECT_TRUE(script.viewShows({{320, 150, "dark"}})) << "not run yet";
    const std::string console = visibleWindows("^Forth console$").front();
    script.keysTo(console, "key F5");
    driver::requestClose(console);  // out of the way of the picture
    ASSERT_TRUE(windowShows("Forth console", false));
    EXPECT_TRUE(script.viewShows({{320, 150, "lit"}})) << "the console's Run ran the file's script";
}

TEST_F(Pintaro, AFileNamedAtStartThatCannotBeReadGetsTheAlertOfOpenOrLoad) {
    std::ofstream(dir / "notes.png") << "not a picture\n";
    std::ofstream(dir / "latin1.fs") << "'caf\xe9 alert\n";
    for (const char* name : {"notes.png", "latin1.fs", "missing.png"}) {
        Program& p = start({name}, "^Pintaro$");
        ASSERT_TRUE(boxShows()) << name;
        answerBox("key Return");
        EXPECT_EQ(p.title(), "Pintaro") << name;
        EXPECT_TRUE(windowShows("Forth console", false)) << name;
        p.command("100 fd");
        EXPECT_TRUE(p.viewShows({{320, 150, "lit"}})) << name << ": the program goes on";
    }
}

TEST_F(Pintaro, NewAfterDrawingAsksThenGivesATransparentImageWithTheTurtleHome) {
    Program& p = start();
    p.command("100 fd 90 rt 50 fd");
    p.chord({"Control_L", "n"});
    ASSERT_TRUE(boxShows()) << "Drawing isn't saved. Start another?";
    // "Start anew", and a command typed at once, before the box has gone
    // from the screen: it runs on the new image.
    p.keys("windowfocus --sync " + boxes().front() + " key Return windowfocus --sync " + p.mainWindow() +
           " key --delay 0 ctrl+l 3 0 space f d Return");
    ASSERT_TRUE(poll::until("the question to close", [&] { return boxes(); }, [](const auto& b) { return b.empty(); }));
    EXPECT_EQ(p.title(), "Pintaro");
    auto saved = saveAndRead("new.png");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->pixel(100, 100).a, 0) << "untouched pixels stay transparent";
    EXPECT_EQ(saved->pixel(320, 150).a, 0) << "the old line is gone";
    EXPECT_TRUE(bright(saved->pixel(320, 185)) || bright(saved->pixel(319, 185))) << "the turtle was home";
    // Saved now: New asks nothing and names the window "Pintaro" again.
    p.chord({"Control_L", "n"});
    EXPECT_TRUE(titleIs("Pintaro"));
    EXPECT_TRUE(boxes().empty());
}

// ---------------------------------------------------------------- resize

TEST_F(Pintaro, ResizeCentresTheOldPictureAndKeepsTheDrawingUnsaved) {
    Program& p = start();
    p.command("100 fd");
    resize("800", "600");
    driver::requestClose(p.mainWindow());
    ASSERT_TRUE(boxShows()) << "resizing leaves the drawing unsaved";
    answerBox("key Escape");
    p.keysTo(p.mainWindow(), "key ctrl+l");
    auto big = saveAndRead("big.png");
    ASSERT_TRUE(big);
    ASSERT_EQ(big->width(), 800);
    ASSERT_EQ(big->height(), 600);
    EXPECT_TRUE(bright(big->pixel(400, 250)) || bright(big->pixel(399, 250))) << "moved by (80, 100)";
    EXPECT_EQ(big->pixel(10, 10), kBlack) << "border in the background colour";

    resize("639", "399");
    auto small = saveAndRead("small.png");
    ASSERT_TRUE(small);
    EXPECT_EQ(small->width(), 639);
    EXPECT_EQ(small->height(), 399);
}

TEST_F(Pintaro, BadResizeInputIsReportedAndTheDialogStaysOpen) {
    Program& p = start();
    resizeTo("wide", "400");
    ASSERT_TRUE(boxShows()) << "invalid integer: wide";
    answerBox("key Return");
    EXPECT_FALSE(visibleWindows("^Resize image$").empty());
    resizeTo("0", "400");
    ASSERT_TRUE(boxShows()) << "Invalid image size 0 x 400.";
    answerBox("key Return");
    EXPECT_FALSE(visibleWindows("^Resize image$").empty());
    driver::requestClose(visibleWindows("^Resize image$").front());
    ASSERT_TRUE(windowShows("Resize image", false));
    // Shown again, the fields hold the current size, not the text left in
    // them: accepting at once is accepted.
    p.keysTo(p.mainWindow(), "key ctrl+l key Tab Tab Tab Tab Return");
    ASSERT_TRUE(windowShows("Resize image"));
    p.keysTo(visibleWindows("^Resize image$").front(), "key Tab Tab Return");
    EXPECT_TRUE(windowShows("Resize image", false));
    // An alert would hold the keys of the save that follows.
    p.keysTo(p.mainWindow(), "key ctrl+l");
    auto same = saveAndRead("same.png");
    EXPECT_TRUE(boxes().empty());
    ASSERT_TRUE(same);
    EXPECT_EQ(same->width(), 640) << "the image is unchanged";
    EXPECT_EQ(same->height(), 400);
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
