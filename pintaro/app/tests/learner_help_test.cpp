// Help on a word, completion and the hints of a failed run, on the
// program's whole word set (core, turtle, console) as the editors have it.
#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

#include "app/console_run.h"
#include "console_words/console_words.h"
#include "app/editor_commands.h"
#include "toolkit/gtk_loader.h"
#include "turtle/turtle.h"
#include "turtle/turtle_words.h"
#include "reference/word_help.h"

namespace {

class LearnerHelp : public testing::Test {
protected:
    static void SetUpTestSuite() { toolkit::loadGtk(); }
    LearnerHelp() : turtle(toolkit::gtkRaster()) {
        forth::registerCoreWords(in);
        turtle::registerTurtleWords(in, turtle);
        console_words::ConsoleHost h;
        h.append = [](std::string_view) {};
        console_words::registerConsoleWords(in, h);
    }
    std::string help(std::string_view word) {
        const auto h = reference::helpOn(in, ref, word);
        return h.heading + " | " + h.text;
    }
    turtle::TurtleState turtle;
    forth::Interp in;
    const reference::WordReference ref = reference::gatherWordReference();
};

}  // namespace

TEST_F(LearnerHelp, NamesEffectGroupAndHelpOfWordsAliasesUserWordsAndVariables) {
    app::runScriptText(in, ":square [ $side fd 90 rt ] 4 times ;\n60 =side");
    EXPECT_EQ(help("fd"), "forward, fd ( d -- ) Turtle motion | fd stands for forward. Walk d pixels the way the "
                          "turtle faces; draws while the pen is down.");
    EXPECT_EQ(help("forward"), "forward, fd ( d -- ) Turtle motion | Walk d pixels the way the turtle faces; "
                               "draws while the pen is down.");
    EXPECT_EQ(help("square"), ":square ... ; defined by the script | :square [ $side fd 90 rt ] 4 times ;");
    EXPECT_EQ(help("$side").substr(0, 9), "$name ( -");
    EXPECT_TRUE(help("$side").ends_with(" The variable side holds 60.")) << help("$side");
    EXPECT_TRUE(help("=size").ends_with(" The variable size has no value yet.")) << help("=size");
    EXPECT_EQ(help("side"), "variable side | The variable side holds 60: $side pushes it, =side stores.");
    EXPECT_EQ(help("confirm").substr(0, 25), "confirm ( -- n ) Console ");
    EXPECT_EQ(help("forwrad"), " | ") << "unknown: no help";
}

TEST_F(LearnerHelp, TheWordAtTheCursorCountsCharacters) {
    const std::string text = "'\xC3\xA9t\xC3\xA9 .. 100 fd\nsetpens";  // 'été .. 100 fd
    EXPECT_EQ(reference::wordAt(text, 2).word, "'\xC3\xA9t\xC3\xA9");
    const auto fd = reference::wordAt(text, 14);  // just after fd
    EXPECT_EQ(fd.word, "fd");
    EXPECT_EQ(fd.start, 12u);
    EXPECT_EQ(fd.end, 14u);
    EXPECT_EQ(reference::wordAt(text, 15).word, "setpens");
    EXPECT_EQ(reference::wordAt("a  b", 2).word, "") << "between words";
    EXPECT_EQ(reference::completionsFor(in, "setpens"), std::vector<std::string>{"setpensize"});
    app::runScriptText(in, "1 =step 2 =steps");
    EXPECT_EQ(reference::completionsFor(in, "$ste"), (std::vector<std::string>{"$step", "$steps"}));
    EXPECT_EQ(reference::commonStart(reference::completionsFor(in, "setpe")), "setpen");
}

TEST_F(LearnerHelp, AFailedConsoleRunCarriesItsHint) {
    auto hintOf = [&](std::string_view script) {
        const auto failure = app::runScriptText(in, script);
        return failure ? failure->hint : std::string("(no failure)");
    };
    EXPECT_EQ(hintOf("100 fd\n100 forwrad"), "Did you mean forward?");
    EXPECT_EQ(hintOf(": sq dup * ;\n3 sq ."), "\": sq\" defined a word with no name: write :sq, without the space.");
    EXPECT_EQ(hintOf("clear [ 50 fd ] ."), "A block [ ... ] does not go on the stack: the word after it runs it, as in "
                                        "[ 50 fd 90 rt ] 4 times.");
    EXPECT_EQ(hintOf("xyzzy"), "");
}

namespace {
std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
}  // namespace

// The table is the one list of these commands; the docs and the manual
// name each row, so a row added there and nowhere else fails here.
TEST(EditorCommands, EveryRowIsInTheManualAndTheDocs) {
    const std::string docs = fileText(SUITE_SOURCE_DIR "/docs/console.md");
    const std::string manual = fileText(SUITE_SOURCE_DIR "/man/pintaro.1.scd");
    ASSERT_FALSE(docs.empty());
    ASSERT_FALSE(manual.empty());
    for (const app::EditorCommand& c : app::editorCommands()) {
        const std::string row = std::string("| ").append(c.keys).append(" | ").append(c.label).append(" |");
        const std::string key = std::string("*").append(c.keys).append("*");
        EXPECT_NE(docs.find(row), std::string::npos) << "docs/console.md lacks: " << row;
        EXPECT_NE(manual.find(key), std::string::npos) << "pintaro(1) lacks " << c.keys;
    }
}
