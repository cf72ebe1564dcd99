// Help, completion and keeping the script, as a learner meets them in the
// real program under Xvfb. The console's text is read back through the X
// primary selection (xclip), emptied first so that an older selection
// cannot pass for the new one; every step waits for what it checks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "poll.h"
#include "program_fixture.h"

using driver::shell;
using driver::visibleWindows;

namespace {

class Learner : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        start();
        openConsole();
    }
    void write(const std::vector<std::string>& lines) {
        program->keysTo(console, "key ctrl+l");
        for (std::size_t k = 0; k < lines.size(); ++k) {
            if (k) program->keys("key Return");
            program->type(lines[k]);
        }
    }
    std::map<std::string, int> geometry() const {
        std::istringstream in(shell("xdotool getwindowgeometry --shell " + console));
        std::map<std::string, int> g;
        for (std::string line; std::getline(in, line);)
            if (auto eq = line.find('='); eq != std::string::npos)
                g[line.substr(0, eq)] = std::atoi(line.c_str() + eq + 1);
        return g;
    }
    std::string clickAt(double fx, double fy, int dx = 0, int dy = 0) {
        auto g = geometry();
        return "mousemove " + std::to_string(g["X"] + static_cast<int>(g["WIDTH"] * fx) + dx) + " " +
               std::to_string(g["Y"] + static_cast<int>(g["HEIGHT"] * fy) + dy) + " click 1";
    }
    std::string selectionAfter(const std::string& commands) {
        shell("xclip -selection primary -l 1 </dev/null >/dev/null 2>&1");
        program->keysTo(console, commands);
        return shell("xclip -o -selection primary 2>/dev/null");
    }
    testing::AssertionResult outputHas(const std::string& part) {
        auto look = [&] {
            const std::string text = selectionAfter(clickAt(0.75, 0.6) + " key ctrl+a");
            program->keysTo(console, "key ctrl+l");
            return text;
        };
        return poll::until("the console output", look,
                           [&](const std::string& text) { return text.find(part) != std::string::npos; });
    }
    testing::AssertionResult editorHolds(const std::string& text) {
        return poll::untilEqual("the editor's text", [&] { return selectionAfter("key ctrl+l key ctrl+a"); },
                                text);
    }
    static std::string fileText(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

}  // namespace

TEST_F(Learner, F2OnFdShowsForwardsStackEffectAndHelpBesideTheScript) {
    write({"100 fd"});
    program->keysTo(console, "key F2");
    EXPECT_TRUE(outputHas("forward, fd ( d -- ) Turtle motion\n    fd stands for forward. Walk d pixels the way "
                          "the turtle faces; draws while the pen is down."));
    EXPECT_TRUE(editorHolds("100 fd")) << "the script is untouched";
}

TEST_F(Learner, ControlSpaceCompletesSetpensToSetpensize) {
    write({"10 setpens"});
    program->keysTo(console, "key ctrl+space");
    EXPECT_TRUE(editorHolds("10 setpensize"));
    // Tab keeps its meaning: it is typed.
    program->keysTo(console, "key ctrl+l key ctrl+End key Tab");
    EXPECT_TRUE(editorHolds("10 setpensize\t"));
}

TEST_F(Learner, SaveScriptWritesTheTextByteForByteAndLoadBringsItBack) {
    write({"[ 50 fd 90 rt ] 4 times", "'done .."});
    program->keysTo(console, "key ctrl+s");
    chooseFile("Save script", "square.fs", false);
    const std::string saved = "[ 50 fd 90 rt ] 4 times\n'done ..";
    EXPECT_TRUE(poll::untilEqual("the saved file", [&] { return fileText(dir / "square.fs"); }, saved));

    // Changed after the save: loading over it asks first; "Load" goes on.
    program->keysTo(console, "key ctrl+l key ctrl+a key Delete");
    write({"changed"});
    program->keysTo(console, clickAt(0.0, 0.0, 25, 15));  // "Load..."
    answerBox("key Return");
    chooseFile("Load script", "square.fs", true);
    EXPECT_TRUE(editorHolds(saved));
}
