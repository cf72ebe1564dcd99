// Help, completion and keeping the script, as a learner meets them in the
// real program under Xvfb. The console's text is read back through the X
// primary selection (xclip), emptied first so that an older selection
// cannot pass for the new one; every step waits for what it checks.
#include <gtest/gtest.h>
#include <sys/select.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "poll.h"
#include "program_fixture.h"

// Last: Xlib's macros (None, Status, ...) would clash with the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

using driver::Program;
using driver::shell;
using driver::visibleWindows;

namespace {

// Drops a file on a window as a file manager does, through the XDND
// protocol: enter, position, wait for the window's status, drop, and hand
// over the file's URI when asked. The window says it has finished only
// once it has acted on the drop, which may mean a question: the drop is
// done when the URI went over. Answers are awaited on the X connection.
testing::AssertionResult dropFile(const std::string& windowId, const std::string& path, int x, int y) {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return testing::AssertionFailure() << "no display";
    struct Closer {
        Display* d;
        ~Closer() { XCloseDisplay(d); }
    } closer{d};
    const Window target = std::strtoul(windowId.c_str(), nullptr, 10);
    const Window source = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    auto atom = [d](const char* name) { return XInternAtom(d, name, False); };
    const Atom selection = atom("XdndSelection"), uriList = atom("text/uri-list");
    XSetSelectionOwner(d, selection, source, CurrentTime);
    auto send = [&](const char* type, long l1, long l2, long l3, long l4) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = target;
        e.xclient.message_type = atom(type);
        e.xclient.format = 32;
        e.xclient.data.l[0] = static_cast<long>(source);
        e.xclient.data.l[1] = l1;
        e.xclient.data.l[2] = l2;
        e.xclient.data.l[3] = l3;
        e.xclient.data.l[4] = l4;
        XSendEvent(d, target, False, NoEventMask, &e);
        XFlush(d);
    };
    send("XdndEnter", 5L << 24, static_cast<long>(uriList), 0, 0);
    send("XdndPosition", 0, (static_cast<long>(x) << 16) | y, CurrentTime, static_cast<long>(atom("XdndActionCopy")));
    const std::string uri = "file://" + path + "\r\n";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    bool dropped = false;
    while (std::chrono::steady_clock::now() < deadline) {
        if (!XPending(d)) {
            // Waits for the window's answer on the connection, at most 100 ms.
            fd_set ready;
            FD_ZERO(&ready);
            FD_SET(ConnectionNumber(d), &ready);
            timeval wait{0, 100000};
            select(ConnectionNumber(d) + 1, &ready, nullptr, nullptr, &wait);
            continue;
        }
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == ClientMessage && e.xclient.message_type == atom("XdndStatus") && !dropped) {
            if (!(e.xclient.data.l[1] & 1)) return testing::AssertionFailure() << "the window refused the drop";
            send("XdndDrop", 0, CurrentTime, 0, 0);
            dropped = true;
        } else if (e.type == SelectionRequest) {
            XSelectionEvent reply{};
            reply.type = SelectionNotify;
            reply.requestor = e.xselectionrequest.requestor;
            reply.selection = e.xselectionrequest.selection;
            reply.target = e.xselectionrequest.target;
            reply.time = e.xselectionrequest.time;
            reply.property = e.xselectionrequest.property;
            XChangeProperty(d, reply.requestor, reply.property, e.xselectionrequest.target, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(uri.data()), static_cast<int>(uri.size()));
            XSendEvent(d, reply.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
            XSync(d, False);
            return testing::AssertionSuccess();
        }
    }
    return testing::AssertionFailure() << (dropped ? "the file was not asked for" : "no XdndStatus");
}

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
    std::map<std::string, int> geometry() const { return geometry(console); }
    static std::map<std::string, int> geometry(const std::string& window) {
        return driver::windowGeometry(window);
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
    EXPECT_TRUE(outputHas("forward, fd ( d -- ) Turtle motion\n    fd stands for forward. Walk d pixels\n"
                          "    the way the turtle faces; draws while\n    the pen is down."));
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

TEST_F(Learner, APngDroppedOnTheMainWindowOpensAskingFirstWhenTheDrawingIsUnsaved) {
    // The console would hide the drawing view.
    driver::requestClose(console);
    ASSERT_TRUE(windowShows("Forth console", false));
    program->keysTo(program->mainWindow(), "key ctrl+l");
    // A picture to drop: a line on black, saved by the program itself.
    program->command("100 fd");
    program->chord({"Control_L", "s"});
    chooseFile("Save image", "line.png", false);
    ASSERT_TRUE(titleIs("line.png | Pintaro"));
    program->command("clearscreen");
    ASSERT_TRUE(program->viewShows({{320, 150, "dark"}}));

    const auto g = geometry(program->mainWindow());
    const std::string path = (dir / "line.png").string();
    ASSERT_TRUE(dropFile(program->mainWindow(), path, g.at("X") + g.at("WIDTH") / 2, g.at("Y") + g.at("HEIGHT") / 2));
    // The drawing is unsaved: "Drawing isn't saved. Open another?" first; "Keep" keeps it.
    answerBox("key Tab Return");
    ASSERT_TRUE(program->viewShows({{320, 150, "dark"}}));
    ASSERT_TRUE(dropFile(program->mainWindow(), path, g.at("X") + g.at("WIDTH") / 2, g.at("Y") + g.at("HEIGHT") / 2));
    answerBox("key Return");  // "Open"
    EXPECT_TRUE(program->viewShows({{320, 150, "lit"}}));
    EXPECT_TRUE(boxes().empty()) << "no alert: the file opened";
    EXPECT_TRUE(titleIs("line.png | Pintaro"));
}

TEST_F(Learner, TheExamplesWindowLoadsTreeOverADrawingAndItDrawsItsReferencePicture) {
    driver::requestClose(console);
    ASSERT_TRUE(windowShows("Forth console", false));
    program->keysTo(program->mainWindow(), "key ctrl+l");
    program->command("100 fd 90 rt 100 fd");
    ASSERT_TRUE(program->viewShows({{320, 150, "lit"}, {370, 100, "lit"}}));
    program->keysTo(program->mainWindow(), "key ctrl+e");
    ASSERT_TRUE(windowShows("Examples"));
    const std::string examples = visibleWindows("^Examples$").front();
    // tree is the last, alone in the seventh row: its thumbnail (120 x 75)
    // starts 6 pixels in and 27 down, a row every 87.
    const auto g = geometry(examples);
    program->keysTo(examples, "mousemove " + std::to_string(g.at("X") + 66) + " " + std::to_string(g.at("Y") + 27 + 6 * 87 + 37) + " click 1");
    ASSERT_TRUE(windowShows("Examples", false));
    program->keysTo(console, "key F5");
    // The console hides the drawing view, whose pixels are read below.
    driver::requestClose(console);
    ASSERT_TRUE(windowShows("Forth console", false));

    const auto reference = driver::loadPicture(SUITE_SOURCE_DIR "/examples/tree.png");
    auto differing = [&] {
        const Program::ViewShot view = program->viewShot();
        if (!view.shot) return std::string("no picture: ") + view.missing;
        auto near = [](raster::Color a, raster::Color b) {
            return std::abs(a.r - b.r) <= 8 && std::abs(a.g - b.g) <= 8 && std::abs(a.b - b.b) <= 8;
        };
        // The earlier drawing's lines must be gone where the tree does not draw.
        for (int y = 102; y < 198; ++y)
            if (!near(view.at(320, y), reference->pixel(320, y))) return "the old line at 320, " + std::to_string(y);
        for (int x = 322; x < 418; ++x)
            if (!near(view.at(x, 100), reference->pixel(x, 100))) return "the old line at " + std::to_string(x) + ", 100";
        // Elsewhere only the frame along the edge and the turtle differ.
        int count = 0;
        for (int y = 2; y < 398; ++y)
            for (int x = 2; x < 638; ++x) count += !near(view.at(x, y), reference->pixel(x, y));
        return count < 256 ? std::string("as the reference") : std::to_string(count) + " pixels differ";
    };
    EXPECT_TRUE(poll::untilEqual("the drawing view against tree.png", differing, std::string("as the reference")));
}
