// How a run of typed words reports its errors, and what the program's
// interpreter holds at start. No display is needed: only GTK's library.
#include <gtest/gtest.h>

#include <new>

#include "app/app_state.h"
#include "app/console_run.h"
#include "raster/raster_error.h"
#include "toolkit/gtk_loader.h"
#include "app/script_run.h"

namespace {

class ScriptRun : public testing::Test {
protected:
    static void SetUpTestSuite() { toolkit::loadGtk(); }
    app::AppState state;
};

}  // namespace

TEST_F(ScriptRun, TheProgramStartsWithCoreAndTurtleWords) {
    EXPECT_EQ(state.interp.dictionarySize(), 96u);
    EXPECT_EQ(state.interp.sigilTableSize(), 8u);
    EXPECT_EQ(state.turtle.image->width(), 640);
    EXPECT_EQ(state.turtle.image->height(), 400);
    EXPECT_EQ(state.turtle.x, 320);
    EXPECT_EQ(state.turtle.y, 200);
    EXPECT_FALSE(state.turtle.unsaved);
    EXPECT_EQ(state.saveDialog.fTitle, "Save image");
    EXPECT_TRUE(state.currentFilePath.empty());
    EXPECT_FALSE(state.showConsole) << "no console until one is attached";
}

TEST_F(ScriptRun, CleanWordsReportNothingAndDraw) {
    EXPECT_EQ(app::runUserText(state.interp, "100 fd"), std::nullopt);
    EXPECT_EQ(state.turtle.y, 100);
    EXPECT_TRUE(state.turtle.unsaved);
    EXPECT_EQ(app::runUserText(state.interp, ""), std::nullopt) << "an empty line runs nothing";
    EXPECT_EQ(app::runUserText(state.interp, " \t\n "), std::nullopt);
}

TEST_F(ScriptRun, EachErrorKindBecomesItsMessage) {
    EXPECT_EQ(app::runUserText(state.interp, "drop"), "Stack underflow");
    EXPECT_EQ(app::runUserText(state.interp, "foo"), "invalid float: foo");
    // An arithmetic fault is neither an underflow nor a script error, but it
    // is still a message for the user and not the end of the program.
    const auto fault = app::runUserText(state.interp, "1 0 mod");
    ASSERT_TRUE(fault.has_value());
    EXPECT_FALSE(fault->empty());
    EXPECT_NE(*fault, "Stack underflow");
}

// Every kind of failure reads the same from the command line and from the
// console, the console adding only the line.
TEST_F(ScriptRun, EachKindOfFailureHasOneTextOnTheCommandLineAndInTheConsole) {
    state.interp.defineWord("hungry", [](forth::Interp&) { throw std::bad_alloc(); });
    state.interp.defineWord("undrawable",
                            [](forth::Interp&) { throw raster::RasterError("Canvas is not in drawing state."); });
    const std::pair<const char*, const char*> cases[] = {
        {"drop", "Stack underflow"},
        {"foo", "invalid float: foo"},
        {"1 0 mod", "division by zero"},
        {"hungry", "Out of memory"},
        {"undrawable", "Canvas is not in drawing state."},
        {"home 10000000 10000000 ellipse", "Ellipse is too large to draw."},
    };
    for (const auto& [words, text] : cases) {
        EXPECT_EQ(app::runUserText(state.interp, words), text) << words;
        const auto failure = app::runScriptText(state.interp, std::string("\n") + words);
        ASSERT_TRUE(failure) << words;
        EXPECT_EQ(failure->message, std::string(text) + " at line 2");
    }
}

TEST_F(ScriptRun, NothingIsRolledBackAfterAnError) {
    EXPECT_EQ(app::runUserText(state.interp, "1 2 50 fd foo 3"), "invalid float: foo");
    EXPECT_EQ(state.turtle.y, 150) << "the words before the error ran";
    ASSERT_EQ(state.interp.depth(), 2u) << "the words after it did not";
    EXPECT_EQ(app::runUserText(state.interp, "+"), std::nullopt);
    ASSERT_EQ(state.interp.depth(), 1u);
    EXPECT_EQ(state.interp.stack().back(), 3);
}

TEST_F(ScriptRun, AnOpenBlockKeepsCollectingIntoTheNextEntry) {
    EXPECT_EQ(app::runUserText(state.interp, "[ 10 fd"), std::nullopt);
    EXPECT_TRUE(state.interp.collecting());
    EXPECT_EQ(app::runUserText(state.interp, "] 2 times"), std::nullopt);
    EXPECT_EQ(state.turtle.y, 180);
}
