// How the console runs its script: where lines end, which line an error is
// reported at, what the run leaves behind, and which editor line is picked
// out afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "app/console_run.h"
#include "console_words/console_words.h"
#include "forth/errors.h"
#include "app/run_stepper.h"

using app::lineRange;
using app::runScriptText;
using SV = std::vector<std::string_view>;

TEST(LineRange, CountsCharactersNotBytes) {
    const std::string text = "1 fd\n'\xC3\xA9t\xC3\xA9 ..\r\nfoo";  // 'été ..
    EXPECT_EQ(lineRange(text, 0).start, 0u);
    EXPECT_EQ(lineRange(text, 0).end, 4u);
    EXPECT_EQ(lineRange(text, 1).start, 5u);
    EXPECT_EQ(lineRange(text, 1).end, 12u);
    EXPECT_EQ(lineRange(text, 2).start, 14u) << "CR LF is two characters";
    EXPECT_EQ(lineRange(text, 2).end, 17u);
    EXPECT_EQ(lineRange(text, 9).start, 14u) << "past the end: the last line";
}

// The mark of a slow run: each word of a line as the reader cuts it, in
// characters of the whole text (tabs and the other white space split words,
// a multi-byte character is one).
TEST(WordPlaces, CutsALineAsTheReaderDoesInCharacters) {
    const std::string text = "1 fd\n\t'\xC3\xA9t\xC3\xA9  ..\v9\r\n";
    auto places = [&](std::size_t line) {
        std::string s;
        for (const app::CharRange& r : app::wordPlaces(text, line))
            s += std::to_string(r.start) + "-" + std::to_string(r.end) + " ";
        return s;
    };
    EXPECT_EQ(places(0), "0-1 2-4 ");
    EXPECT_EQ(places(1), "6-10 12-14 15-16 ");
    EXPECT_EQ(places(2), "") << "the empty last line";
    EXPECT_EQ(places(3), "") << "past the end";
}

namespace {

class ConsoleRun : public testing::Test {
protected:
    void SetUp() override {
        forth::registerCoreWords(in);
        console_words::ConsoleHost h;
        h.append = [this](std::string_view t) { output += t; };
        h.alert = [](const std::string&) { throw std::runtime_error("no display for the box"); };
        console_words::registerConsoleWords(in, h);
    }
    forth::Interp in;
    std::string output;
};

}  // namespace

TEST_F(ConsoleRun, ACleanScriptRunsEveryLineAndCountsThem) {
    EXPECT_EQ(runScriptText(in, "1 2 +\n."), std::nullopt);
    EXPECT_EQ(output, "3 ");
    EXPECT_EQ(in.lineCounter(), 3) << "one past the last line";
    EXPECT_EQ(runScriptText(in, ""), std::nullopt) << "an empty script is one empty line";
    EXPECT_EQ(in.lineCounter(), 2);
}

TEST_F(ConsoleRun, AnUnderflowNamesItsLineAndStopsTheScript) {
    const auto f = runScriptText(in, "1 .\n2 .\ndrop\n3 .");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->message, "Stack underflow at line 3");
    EXPECT_EQ(f->lineIndex, 2u);
    EXPECT_EQ(output, "1 2 ");
}

TEST_F(ConsoleRun, AScriptErrorKeepsItsMessageAndLeavesTheStackAsItWas) {
    const auto f = runScriptText(in, "1 2\r\nfoo\r\n3");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->message, "invalid float: foo at line 2");
    EXPECT_EQ(f->lineIndex, 1u);
    EXPECT_EQ(in.stack(), (std::vector<forth::Value>{1, 2}));
}

TEST_F(ConsoleRun, ArithmeticFaultsAndFailuresOutsideTheInterpreterAreReportedTheSameWay) {
    auto f = runScriptText(in, "\n1 0 mod");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->message, "division by zero at line 2");
    f = runScriptText(in, "'hi alert");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->message, "no display for the box at line 1");
}

TEST_F(ConsoleRun, AnOpenBlockAtTheEndIsNoErrorAndStaysOpen) {
    EXPECT_EQ(runScriptText(in, "[ 1 2"), std::nullopt);
    EXPECT_TRUE(in.collecting());
    EXPECT_EQ(runScriptText(in, "] 2 times"), std::nullopt);
    EXPECT_FALSE(in.collecting());
    EXPECT_EQ(in.depth(), 4u);
}

TEST_F(ConsoleRun, AnIncludedFileCountsItsOwnLinesAndTheScriptGoesOnWithItsOwn) {
    const auto path = std::filesystem::temp_directory_path() / ("console-run-" + std::to_string(getpid()) + ".fs");
    std::ofstream(path) << "1\n2\n3\n";
    // Built by appending: GCC 12 warns falsely (-Wrestrict) on "'" + string.
    std::string include = "'";
    include += path.string();
    include += " included";
    auto f = runScriptText(in, include + "\nfoo");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->message, "invalid float: foo at line 2") << "the script's own line after the include";
    EXPECT_EQ(f->lineIndex, 1u);
    std::ofstream(path) << "1\nbar\n";
    f = runScriptText(in, "\n" + include + "\nfoo");
    std::filesystem::remove(path);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->message, "invalid float: bar at line 2 of " + path.string());
    EXPECT_EQ(f->lineIndex, 1u) << "the editor's line is the one that included the file";
}
