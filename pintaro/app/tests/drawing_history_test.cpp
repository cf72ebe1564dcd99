// Undo and redo of the drawing without a display: steps made by the turtle
// words on a real image, taken back and done again, compared pixel for
// pixel; the saved state, the memory budget and the script that follows.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

#include "app/drawing_history.h"
#include "turtle/drawing_script.h"
#include "app/drawing_steps.h"
#include "turtle/image_files.h"
#include "forth/interp.h"
#include "test_raster.h"
#include "turtle/turtle_words.h"

using app::DrawingHistory;
using app::PackedTile;

namespace {

DrawingHistory::Step stepOf(std::string label, std::string script, bool startsScript = false) {
    DrawingHistory::Step s;
    s.label = std::move(label);
    s.script = std::move(script);
    s.startsScript = startsScript;
    return s;
}

std::vector<std::uint32_t> rawPixels(const raster::Image& image) {
    std::vector<std::uint32_t> all(static_cast<std::size_t>(image.width()) * image.height());
    image.readPixels(0, 0, image.width(), image.height(), all.data());
    return all;
}

// A turtle on the test table with its words, a history, and a way to make
// steps the way the command line does.
class History : public testing::Test {
protected:
    explicit History(std::size_t budget = std::size_t{64} << 20) : history(budget) {
        turtle::registerTurtleWords(*in, t);
        history.start(t, turtle::scriptStartLine(turtle::DrawingStart::StartImage, 640, 400));
    }

    // Runs one command line and records it; true when it made an entry.
    bool step(const std::string& text) {
        in->runLine(text);
        return history.record(t, app::commandStep(text, false));
    }
    std::optional<std::string> undo() { return history.undo(t, path); }
    std::optional<std::string> redo() { return history.redo(t, path); }

    turtle::TurtleState t{testRaster()};
    std::unique_ptr<forth::Interp> in = forth::makeCoreInterp();
    DrawingHistory history;
    std::string path;
};

class SmallBudget : public History {
protected:
    SmallBudget() : History(40 * 1024) {}
};

}  // namespace

TEST(PackedTiles, ZerosRepeatsAndTheRestComeBackExactlyAndDifferencesTurnVersionsIntoEachOther) {
    // A line's difference: zeros but for a few pixels.
    std::vector<std::uint32_t> line(64 * 64, 0);
    line[100] = 0x80808080u;
    line[101] = 0xFFFFFFFFu;
    const PackedTile sparse = app::packTile(7, line);
    EXPECT_EQ(sparse.index, 7u);
    EXPECT_EQ(sparse.words.size(), 5u) << "zeros, two words as they are, zeros";
    // A picture filled with one colour, and one without any order.
    const std::vector<std::uint32_t> filled(64 * 64, 0xFF0000FFu);
    EXPECT_EQ(app::packTile(0, filled).words.size(), 2u);
    std::vector<std::uint32_t> noise(22 * 6);
    for (std::size_t k = 0; k < noise.size(); ++k) noise[k] = static_cast<std::uint32_t>(k * 2654435761u) | 1;
    EXPECT_EQ(app::packTile(0, noise).words.size(), noise.size() + 1);
    std::vector<std::uint32_t> mixed{0, 0, 5, 5, 6, 7, 7, 7, 7, 0, 9};
    for (const auto& pixels : {line, filled, noise, mixed}) {
        const PackedTile packed = app::packTile(0, pixels);
        std::vector<std::uint32_t> back(pixels.size(), 1);
        app::unpackTile(packed, back);
        EXPECT_EQ(back, pixels);
        std::vector<std::uint32_t> wrongSize(pixels.size() + 1);
        EXPECT_THROW(app::unpackTile(packed, wrongSize), std::logic_error);
    }
    // Applied to one version, a difference gives the other, and back.
    std::vector<std::uint32_t> a = mixed, b = mixed;
    b[3] = 11, b[9] = 12;
    std::vector<std::uint32_t> difference(a.size());
    for (std::size_t k = 0; k < a.size(); ++k) difference[k] = a[k] ^ b[k];
    const PackedTile packed = app::packTile(0, difference);
    app::applyDifference(packed, a);
    EXPECT_EQ(a, b);
    app::applyDifference(packed, a);
    EXPECT_EQ(a, mixed);
}

TEST_F(History, UndoAndRedoTakeStepsBackAndForthWithPixelsAndTurtle) {
    const auto start = rawPixels(*t.image);
    EXPECT_TRUE(step("100 fd"));
    const auto line = rawPixels(*t.image);
    EXPECT_FALSE(step("5 =x")) << "nothing in the drawing changed";
    EXPECT_TRUE(step("90 rt")) << "the turtle is part of the drawing";
    EXPECT_TRUE(step("#red setpc 7 setpensize 20 setlabelheight 1 2 3 4 setpalette pu ht"));
    EXPECT_EQ(history.undoable(), 3u);

    EXPECT_EQ(undo(), "#red setpc 7 setpensize 20 setlabelheigh...") << "cut after 40 characters";
    EXPECT_EQ(t.canvas().fLineColor, raster::Color(255, 255, 255));
    EXPECT_EQ(t.canvas().fLineWidth, 1.0);
    EXPECT_EQ(t.canvas().fFontSize, 15.0);
    EXPECT_EQ(t.palette[4], raster::Color(255, 0, 0));
    EXPECT_TRUE(t.penDown);
    EXPECT_TRUE(t.visible);
    EXPECT_EQ(undo(), "90 rt");
    EXPECT_EQ(t.heading, 0);
    EXPECT_EQ(rawPixels(*t.image), line);
    EXPECT_EQ(undo(), "100 fd");
    EXPECT_EQ(rawPixels(*t.image), start);
    EXPECT_EQ(t.y, 200);
    EXPECT_EQ(undo(), std::nullopt) << "nothing more to undo";
    EXPECT_EQ(in->variable("x"), 5) << "the interpreter is not taken back";

    EXPECT_EQ(redo(), "100 fd");
    EXPECT_EQ(rawPixels(*t.image), line);
    EXPECT_EQ(t.y, 100);
    EXPECT_EQ(redo(), "90 rt");
    EXPECT_EQ(t.heading, 90);
    // A new step drops what could be redone.
    EXPECT_TRUE(step("50 fd"));
    EXPECT_EQ(redo(), std::nullopt);
    EXPECT_EQ(history.undoable(), 3u);
}

TEST_F(History, ResizeNewAndOpenAreStepsWithTheirSizesAndFiles) {
    step("100 fd");
    const auto drawn = rawPixels(*t.image);
    turtle::resizeImage(t, 800, 600);
    history.record(t, stepOf("Resize to 800 x 600", turtle::resizeNote(800, 600)));
    path = "/tmp/tree.png";  // as if saved there
    history.markSaved();
    turtle::newImage(t);
    DrawingHistory::Step fresh = stepOf("New", turtle::scriptStartLine(turtle::DrawingStart::New, 800, 600), true);
    fresh.previousPath = std::exchange(path, "");
    history.record(t, fresh);

    EXPECT_EQ(undo(), "New");
    EXPECT_EQ(path, "/tmp/tree.png") << "the file the drawing belonged to";
    EXPECT_EQ(t.image->pixel(100, 100).a, 255) << "opaque again";
    EXPECT_EQ(undo(), "Resize to 800 x 600");
    EXPECT_EQ(t.image->width(), 640);
    EXPECT_EQ(rawPixels(*t.image), drawn);
    EXPECT_EQ(path, "/tmp/tree.png") << "a Resize does not change the file";
    EXPECT_EQ(t.canvas().fLineWidth, 1.0);
    EXPECT_EQ(redo(), "Resize to 800 x 600");
    EXPECT_EQ(t.image->height(), 600);
    EXPECT_EQ(redo(), "New");
    EXPECT_EQ(path, "");
    EXPECT_EQ(t.image->pixel(100, 100).a, 0);
}

TEST_F(History, TheUnsavedFlagIsClearExactlyWherePixelsEqualTheLastSave) {
    step("100 fd");
    history.markSaved();
    t.unsaved = false;
    step("90 rt");  // the turtle turns, the picture stays
    step("50 fd");
    EXPECT_TRUE(t.unsaved);
    undo();
    EXPECT_FALSE(t.unsaved) << "back at the saved picture";
    undo();
    EXPECT_FALSE(t.unsaved) << "a turn does not change the picture";
    undo();
    EXPECT_TRUE(t.unsaved) << "before the saved line";
    redo();
    EXPECT_FALSE(t.unsaved);
    redo();
    redo();
    EXPECT_TRUE(t.unsaved);
    // The saved state in a branch that is dropped can never come back.
    undo();
    undo();
    undo();
    step("10 bk");
    undo();
    EXPECT_TRUE(t.unsaved);
}

TEST_F(SmallBudget, OldStepsGoBeyondTheBudgetButTheirScriptStays) {
    // A wide stroke changes a few tiles in each step; the budget holds
    // only some of the steps.
    // Each step in its own red, so that every stroke changes pixels.
    for (int k = 0; k < 30; ++k) step(std::to_string(100 + k) + " 0 0 setpc 30 setpensize 45 fd 45 fd 90 rt");
    EXPECT_LE(history.bytes(), 40u * 1024);
    EXPECT_GT(history.undoable(), 0u);
    EXPECT_LT(history.undoable(), 30u);
    std::size_t undone = 0;
    while (undo()) ++undone;
    EXPECT_EQ(undone, history.redoable());
    // Every step's text is still in the script of the drawing on screen.
    const std::string script = history.script();
    std::size_t count = 0;
    for (std::size_t at = 0; (at = script.find("90 rt", at)) != std::string::npos; ++at) ++count;
    EXPECT_EQ(count, 30u - undone);
}

TEST_F(History, TheScriptHoldsWhatDrewTheDrawingOnScreen) {
    step(":sq [ 20 fd 90 rt ] 4 times ;");  // changes nothing: waits for the next step
    step("sq");
    step("1 2");
    step("100 fd");
    undo();  // "100 fd" leaves the script, "1 2" stays
    step("#red setpc sq");
    step("\\ Resized to 10 x 10 pixels.");  // typed: a comment, not a note
    // Stopped with Escape part-way (here it did not run at all).
    history.record(t, app::commandStep("[ 1 fd ] 1e12 times", true));
    in->runLine("10 fd");
    history.record(t, app::consoleRunStep("10 fd\n", std::nullopt, false));
    EXPECT_EQ(history.script(),
              "\\ Drawing started from the start image: 640 x 400 pixels, black.\n"
              ":sq [ 20 fd 90 rt ] 4 times ;\n"
              "sq\n"
              "1 2\n"
              "#red setpc sq\n"
              "\\ \\ Resized to 10 x 10 pixels.\n"
              "\\ Stopped with Escape: [ 1 fd ] 1e12 times\n"
              "\\ Console run:\n"
              "10 fd\n"
              "\\ End of console run.\n");
    // After New the script starts again, with what New keeps of the turtle.
    t.canvas().fLineWidth = 2.5;
    turtle::newImage(t);
    history.record(t, stepOf("New", turtle::scriptStartLine(turtle::DrawingStart::New, 640, 400) + turtle::stateWords(t),
                             true));
    step("5 fd");
    EXPECT_EQ(history.script(),
              "\\ Drawing started with New: 640 x 400 pixels, transparent.\n"
              "2.5 setpensize\n"
              "5 fd\n");
    undo();
    undo();
    EXPECT_EQ(history.script().substr(0, 11), "\\ Drawing s") << "the old script is back";
    EXPECT_NE(history.script().find("\\ End of console run.\n"), std::string::npos);
}

TEST_F(History, PutBackReturnsToTheLastStepWithoutMakingOneAndFollowsUndo) {
    EXPECT_TRUE(step("100 fd"));
    const auto line = rawPixels(*t.image);
    const std::uint64_t changes = history.changes();
    // What a run does before it becomes a step: lines, turtle, colours.
    in->runLine("90 rt #red setpc 5 setpensize 60 fd pu ht");
    ASSERT_NE(rawPixels(*t.image), line);
    EXPECT_TRUE(history.putBack(t));
    EXPECT_EQ(rawPixels(*t.image), line);
    EXPECT_EQ(t.heading, 0);
    EXPECT_EQ(t.y, 100);
    EXPECT_EQ(t.canvas().fLineColor, raster::Color(255, 255, 255));
    EXPECT_EQ(t.canvas().fLineWidth, 1.0);
    EXPECT_TRUE(t.penDown && t.visible);
    EXPECT_EQ(history.changes(), changes) << "putting back is no step";
    EXPECT_EQ(history.undoable(), 1u);
    // After an undo the last state is the one before "100 fd".
    EXPECT_TRUE(undo());
    EXPECT_NE(history.changes(), changes);
    const auto start = rawPixels(*t.image);
    in->runLine("30 fd");
    EXPECT_TRUE(history.putBack(t));
    EXPECT_EQ(rawPixels(*t.image), start);
    EXPECT_EQ(t.y, 200);
}
