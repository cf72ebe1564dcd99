// Facts about the console and about long runs, as a user meets them: the
// real program under Xvfb, driven by keys and clicks. Text is read back
// through the X primary selection, which a GTK text view takes over for
// whatever it has selected (xclip prints it).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "gtk_loader.h"
#include "program_driver.h"

using driver::Program;
using driver::shell;
using driver::visibleWindows;
using driver::waitUntil;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// A loop the interpreter needs hours for.
constexpr const char* kEndless = "[ 1 drop ] 100000000000 times";

class Console : public testing::Test {
protected:
    static void SetUpTestSuite() { toolkit::loadGtk(); }

    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() / ("pintaro-console-" + std::to_string(getpid())) / info->name();
        fs::remove_all(dir);
        fs::create_directories(dir);
        program = std::make_unique<Program>(dir.string());
    }
    void TearDown() override {
        program.reset();
        if (!HasFailure()) fs::remove_all(dir);
    }

    // The "Console" button: from the command line, Tab walks the toolbar
    // New, Open, Save, Resize, Console.
    void openConsole() {
        program->keysTo(program->mainWindow(), "key ctrl+l key Tab Tab Tab Tab Tab Return");
        ASSERT_TRUE(waitUntil([] { return !visibleWindows("^Forth console$").empty(); }));
        console = visibleWindows("^Forth console$").front();
        std::this_thread::sleep_for(300ms);
    }
    // Types the lines into the (empty) script editor.
    void write(const std::vector<std::string>& lines) {
        program->keysTo(console, "key ctrl+l");
        for (std::size_t k = 0; k < lines.size(); ++k) {
            if (k) program->keys("key Return");
            program->type(lines[k]);
        }
    }
    void clearEditor() { program->keysTo(console, "key ctrl+l key ctrl+a key Delete"); }
    void run() {
        program->keysTo(console, "key F5");
        std::this_thread::sleep_for(300ms);
    }

    std::map<std::string, int> geometry(const std::string& window) const {
        std::istringstream in(shell("xdotool getwindowgeometry --shell " + window));
        std::map<std::string, int> g;
        for (std::string line; std::getline(in, line);)
            if (auto eq = line.find('='); eq != std::string::npos)
                g[line.substr(0, eq)] = std::atoi(line.c_str() + eq + 1);
        return g;
    }
    // Clicks at a fraction of the console window's size.
    void clickConsole(double fx, double fy, int dx = 0, int dy = 0) {
        auto g = geometry(console);
        const int x = g["X"] + static_cast<int>(g["WIDTH"] * fx) + dx;
        const int y = g["Y"] + static_cast<int>(g["HEIGHT"] * fy) + dy;
        // Without --sync: xdotool would wait for a movement that never comes
        // when the pointer is already there.
        program->keysTo(console, "mousemove " + std::to_string(x) + " " + std::to_string(y) + " sleep 0.1 click 1");
        std::this_thread::sleep_for(200ms);
    }
    static std::string selection() { return shell("xclip -o -selection primary 2>/dev/null"); }
    // The console output's whole text (its last line end dropped).
    std::string output() {
        clickConsole(0.75, 0.6);
        program->keys("key ctrl+a");
        std::this_thread::sleep_for(200ms);
        const std::string text = selection();
        program->keysTo(console, "key ctrl+l");
        return text;
    }
    std::string editorText() {
        program->keysTo(console, "key ctrl+l key ctrl+a");
        std::this_thread::sleep_for(200ms);
        return selection();
    }

    // Windows titled "Pintaro" besides the main window: the program's alerts.
    std::vector<std::string> alerts() const {
        std::vector<std::string> ids;
        for (const auto& id : visibleWindows("^Pintaro$"))
            if (id != program->mainWindow()) ids.push_back(id);
        return ids;
    }
    bool alertShows(int timeoutMs = 8000) const {
        return waitUntil([&] { return !alerts().empty(); }, timeoutMs);
    }
    void closeAlert() {
        ASSERT_FALSE(alerts().empty());
        program->keysTo(alerts().front(), "key Return");
        ASSERT_TRUE(waitUntil([&] { return alerts().empty(); }));
        std::this_thread::sleep_for(200ms);
    }

    void chooseFile(const fs::path& path) {
        ASSERT_TRUE(waitUntil([] { return !visibleWindows("^Load script$").empty(); }));
        const std::string id = visibleWindows("^Load script$").front();
        std::this_thread::sleep_for(400ms);
        program->keysTo(id, "key ctrl+l");
        program->type(path.string());
        std::this_thread::sleep_for(300ms);
        program->keys("key Return");
        ASSERT_TRUE(waitUntil([] { return visibleWindows("^Load script$").empty(); }));
        std::this_thread::sleep_for(300ms);
    }
    // "Load..." sits first in the console's button bar.
    void clickLoad() { clickConsole(0.0, 0.0, 25, 15); }

    fs::path dir;
    std::unique_ptr<Program> program;
    std::string console;
};

}  // namespace

// ---------------------------------------------------------------- the window and its words

TEST_F(Console, AFreshConsoleGreetsAndCounts99WordsAnd8Sigils) {
    openConsole();
    EXPECT_EQ(output(), "Welcome to Veskel Forth 3.0 beta (2023-07-19)\n99 words and 8 sigils defined.");
}

TEST_F(Console, PrintedOutputAndOkShareALine) {
    openConsole();
    write({"1 2 +", "."});
    run();
    const std::string out = output();
    EXPECT_TRUE(out.ends_with("sigils defined.\n3 ok")) << out;
    EXPECT_TRUE(alerts().empty());
}

TEST_F(Console, AnEmptyScriptStillSaysOk) {
    openConsole();
    run();
    EXPECT_TRUE(output().ends_with("sigils defined.\nok"));
}

TEST_F(Console, WordsListsAll99NamesOnOneLine) {
    openConsole();
    write({"words"});
    run();
    const std::string out = output();
    const std::string last = out.substr(out.rfind('\n') + 1);
    std::istringstream names(last);
    std::vector<std::string> all;
    for (std::string n; names >> n;) all.push_back(n);
    ASSERT_EQ(all.size(), 100u) << last;
    EXPECT_EQ(all.front(), ".s");
    EXPECT_EQ(all[98], "bye");
    EXPECT_EQ(all[99], "ok");
}

TEST_F(Console, AFailingLineIsReportedAndSelectedForFixing) {
    openConsole();
    write({"1 .", "2 .", "drop", "3 ."});
    run();
    ASSERT_TRUE(alertShows()) << "Stack underflow at line 3";
    closeAlert();
    EXPECT_EQ(selection(), "drop") << "line 3 is selected in the editor";
    const std::string out = output();
    EXPECT_TRUE(out.ends_with("sigils defined.\n1 2 ")) << "no ok, nothing after the error: " << out;
    // The editor still holds the whole script, and the console keeps working.
    EXPECT_EQ(editorText(), "1 .\n2 .\ndrop\n3 .");
    clearEditor();
    write({"5 ."});
    run();
    EXPECT_TRUE(output().ends_with("1 2 5 ok"));
}

TEST_F(Console, ConfirmPushesOneForYesTwoForNoAndZeroForEscape) {
    openConsole();
    write({"'Really? confirm ."});
    const std::pair<const char*, const char*> answers[] = {
        {"key Return", "1 ok"}, {"key Tab Return", "2 ok"}, {"key Escape", "0 ok"}};
    for (const auto& [keys, printed] : answers) {
        run();
        ASSERT_TRUE(waitUntil([] { return !visibleWindows("^The turtle asks:$").empty(); }));
        program->keysTo(visibleWindows("^The turtle asks:$").front(), keys);
        ASSERT_TRUE(waitUntil([] { return visibleWindows("^The turtle asks:$").empty(); }));
        std::this_thread::sleep_for(300ms);
        const std::string out = output();
        EXPECT_TRUE(out.ends_with(printed)) << keys << " gave: " << out.substr(out.rfind('\n') + 1);
    }
}

TEST_F(Console, ByeLetsTheScriptFinishThenQuits) {
    openConsole();
    write({"bye 'still-here alert", "'and-here alert"});
    run();
    std::string previous;
    for (int k = 0; k < 2; ++k) {
        std::string box;
        ASSERT_TRUE(waitUntil([&] {
            const auto ids = visibleWindows("^The turtle says:$");
            box = ids.empty() ? "" : ids.front();
            return !box.empty() && box != previous;
        })) << "alert " << k;
        EXPECT_TRUE(program->running());
        program->keysTo(box, "key Return");
        previous = box;
    }
    EXPECT_EQ(program->waitForExit(), 0);
}

TEST_F(Console, ClosingTheConsoleKeepsItsScriptAndOutput) {
    openConsole();
    write({"7 ."});
    run();
    driver::requestClose(console);
    ASSERT_TRUE(waitUntil([] { return visibleWindows("^Forth console$").empty(); }));
    EXPECT_TRUE(program->running());
    openConsole();
    EXPECT_EQ(editorText(), "7 .");
    EXPECT_TRUE(output().ends_with("7 ok"));
}

// ---------------------------------------------------------------- loading scripts

TEST_F(Console, LoadPutsTheFileIntoTheEditorWithoutRunningIt) {
    std::ofstream(dir / "square.fs") << "[ 50 fd 90 rt ] 4 times\r\n6 .";
    openConsole();
    write({"old"});
    clickLoad();
    chooseFile(dir / "square.fs");
    EXPECT_EQ(editorText(), "[ 50 fd 90 rt ] 4 times\r\n6 .") << "byte for byte";
    EXPECT_TRUE(output().ends_with("sigils defined.")) << "nothing ran";
    run();
    EXPECT_TRUE(output().ends_with("6 ok"));
}

TEST_F(Console, ACancelledOrFailedLoadKeepsTheEditorsText) {
    std::ofstream(dir / "latin1.fs", std::ios::binary) << "'caf\xE9 ..";
    openConsole();
    write({"1 ."});
    clickLoad();
    ASSERT_TRUE(waitUntil([] { return !visibleWindows("^Load script$").empty(); }));
    std::this_thread::sleep_for(400ms);
    program->keysTo(visibleWindows("^Load script$").front(), "key Escape");
    ASSERT_TRUE(waitUntil([] { return visibleWindows("^Load script$").empty(); }));
    EXPECT_TRUE(alerts().empty());
    EXPECT_EQ(editorText(), "1 .");

    clickLoad();
    chooseFile(dir / "latin1.fs");
    ASSERT_TRUE(alertShows()) << "not a UTF-8 text file";
    closeAlert();
    EXPECT_EQ(editorText(), "1 .");

    clickLoad();
    chooseFile(dir / "missing.fs");
    if (alertShows(2000)) closeAlert();  // the dialog may refuse a missing file itself
    EXPECT_EQ(editorText(), "1 .");
    EXPECT_TRUE(program->running());
}

// ---------------------------------------------------------------- long runs

TEST_F(Console, EscapeStopsARunawayCommandAndTheNextCommandWorks) {
    program->command("[ 1 fd 1 rt ] 100000000 times");
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(alerts().empty()) << "still running";
    const auto pressed = std::chrono::steady_clock::now();
    program->keysTo(program->mainWindow(), "key Escape");
    ASSERT_TRUE(alertShows()) << "Interrupted";
    EXPECT_LT(std::chrono::steady_clock::now() - pressed, 3s);
    closeAlert();
    program->keysTo(program->mainWindow(), "key ctrl+l key ctrl+a key Delete");
    program->command("home 0 seth clearscreen 100 fd");
    EXPECT_TRUE(program->viewShot().litNear(320, 150)) << "the interpreter still works";
}

TEST_F(Console, TheViewShowsALongDrawingWhileItIsMade) {
    // One pixel up about every 100 ms, 190 pixels in all.
    program->command("[ [ 1 drop ] 3000000 times 1 fd ] 190 times");
    bool seenGrowing = false;
    waitUntil(
        [&] {
            auto shot = program->viewShot();
            seenGrowing = shot.litNear(320, 195) && !shot.litNear(320, 20);
            return seenGrowing;
        },
        8000);
    EXPECT_TRUE(seenGrowing) << "the start of the line shows before its end is drawn";
    program->keysTo(program->mainWindow(), "key Escape");
    ASSERT_TRUE(alertShows());
    closeAlert();
}

TEST_F(Console, ASecondRunIsRefusedWhileOneIsInProgress) {
    openConsole();
    write({"100 fd"});
    program->keysTo(program->mainWindow(), "key ctrl+l");
    program->command(kEndless);
    std::this_thread::sleep_for(300ms);
    program->keysTo(console, "key F5");  // refused: the line is not drawn
    program->keysTo(program->mainWindow(), "key ctrl+l key ctrl+a key Delete");
    program->command("100 fd");  // refused as well, and the text stays
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(alerts().empty()) << "nothing ran nested, nothing failed";
    program->keysTo(program->mainWindow(), "key Escape");
    ASSERT_TRUE(alertShows());
    closeAlert();
    driver::requestClose(console);  // out of the way of the picture
    ASSERT_TRUE(waitUntil([] { return visibleWindows("^Forth console$").empty(); }));
    EXPECT_FALSE(program->viewShot().litNear(320, 150)) << "neither refused run drew";
    program->keysTo(program->mainWindow(), "key ctrl+l key Return");
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(program->viewShot().litNear(320, 150)) << "the kept command runs now";
}

TEST_F(Console, EscapeInTheConsoleStopsItsRunAtTheRunningLine) {
    openConsole();
    write({"1 .", kEndless, "2 ."});
    run();
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(alerts().empty());
    program->keysTo(console, "key Escape");
    ASSERT_TRUE(alertShows()) << "Interrupted at line 2";
    closeAlert();
    EXPECT_EQ(selection(), kEndless);
    EXPECT_TRUE(output().ends_with("sigils defined.\n1 "));
}

TEST_F(Console, ClosingTheMainWindowDuringARunAsksThenQuits) {
    program->command("1 fd");
    program->command(kEndless);
    std::this_thread::sleep_for(300ms);
    driver::requestClose(program->mainWindow());
    ASSERT_TRUE(alertShows()) << "Drawing isn't saved. Quit anyway?";
    program->keysTo(alerts().front(), "key Return");  // "Quit"
    EXPECT_EQ(program->waitForExit(), 0);
}

TEST_F(Console, ControlQEndsARunAndQuits) {
    program->command(kEndless);
    std::this_thread::sleep_for(300ms);
    program->chord({"Control_L", "q"});
    EXPECT_EQ(program->waitForExit(), 0);
}
