// The console's words as a script meets them: what each prints into the
// console output, what alert, confirm and bye ask of the program, and the
// banner's counts on the program's own interpreter.
#include <gtest/gtest.h>

#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "forth/banner.h"
#include "console_words/console_words.h"
#include "forth/errors.h"
#include "forth/word_doc.h"
#include "turtle/turtle_words.h"
#include "toolkit/gtk_loader.h"

namespace {

// A console without windows: output gathered in a string, the boxes
// answered from a list.
struct FakeConsole {
    std::string output;
    std::vector<std::string> alerts;
    std::vector<std::string> questions;
    std::vector<int> answers;  // given to confirm in order
    int byes = 0;

    console_words::ConsoleHost host() {
        console_words::ConsoleHost h;
        h.append = [this](std::string_view t) { output += t; };
        h.alert = [this](const std::string& m) { alerts.push_back(m); };
        h.confirm = [this](const std::string& m) {
            questions.push_back(m);
            const int a = answers.front();
            answers.erase(answers.begin());
            return a;
        };
        h.bye = [this] { ++byes; };
        return h;
    }
};

class ConsoleWords : public testing::Test {
protected:
    void SetUp() override {
        forth::registerCoreWords(in);
        console_words::registerConsoleWords(in, console.host());
        realStdout = std::cout.rdbuf(stdoutStandIn.rdbuf());
    }
    void TearDown() override { std::cout.rdbuf(realStdout); }
    std::string run(const std::string& text) {
        console.output.clear();
        in.runLine(text);
        return console.output;
    }

    forth::Interp in;
    FakeConsole console;
    std::ostringstream stdoutStandIn;
    std::streambuf* realStdout = nullptr;
};

}  // namespace

TEST_F(ConsoleWords, PrintingWordsWriteToTheConsoleNotStandardOutput) {
    const std::pair<const char*, const char*> cases[] = {
        {"1 2 + .", "3 "},
        {"1.5 . -0 . 1e21 .", "1.5 -0 1e+21 "},
        {"'hello ..", "hello "},
        {"space space", "  "},
        {"1 . cr 2 .", "1 \n2 "},
        {"1 2.5 .s", "1.0 2.5\n"},
        {"[ 10 fd ] buffer", "10 fd\n"},
    };
    for (const auto& [script, expected] : cases) {
        in.clearStack();
        in.setTerminator("");
        EXPECT_EQ(run(script), expected) << script;
    }
    EXPECT_EQ(stdoutStandIn.str(), "");
}

TEST_F(ConsoleWords, DotSLeavesTheStackAndPrintsTheFullFormat) {
    run("0.1 3");
    EXPECT_EQ(run(".s"), "0.1 3.0\n");
    EXPECT_EQ(in.depth(), 2u);
    in.clearStack();
    EXPECT_EQ(run(".s"), "\n") << "an empty stack is an empty line";
}

TEST_F(ConsoleWords, ListingsEndEachNameWithASpaceAndNoLineEnd) {
    const std::string w = run("words");
    EXPECT_TRUE(w.starts_with(".s depth words aliases ")) << w;
    EXPECT_TRUE(w.ends_with("alert confirm bye ")) << w;
    EXPECT_EQ(run("sigils"), "= $ ' @ / ? : ");
    in.defineAlias("fd", "forward");
    in.defineAlias("bk", "back");
    EXPECT_EQ(run("aliases"), "fd bk ");
}

TEST_F(ConsoleWords, TheQuestionSigilShowsADefinitionOrNativeCode) {
    run(":sq dup * ;");
    EXPECT_EQ(run("?sq"), "dup *\n");
    EXPECT_EQ(run("?dup"), "(native code)\n");
    EXPECT_EQ(run("?alert"), "(native code)\n");
    try {
        run("?nothing");
        FAIL() << "no such word";
    } catch (const forth::ScriptError& e) {
        EXPECT_STREQ(e.what(), "key not found: nothing");
    }
}

TEST_F(ConsoleWords, AlertShowsTheTextBufferAndTheScriptGoesOn) {
    EXPECT_EQ(run("'Hello alert 1 ."), "1 ");
    ASSERT_EQ(console.alerts.size(), 1u);
    EXPECT_EQ(console.alerts[0], "Hello");
}

TEST_F(ConsoleWords, ConfirmPushesTheAnswerSoOnlyOneEqualsYes) {
    console.answers = {1, 2, 0};
    run("'Really? confirm 'Sure? confirm 'Well? confirm");
    EXPECT_EQ(console.questions, (std::vector<std::string>{"Really?", "Sure?", "Well?"}));
    EXPECT_EQ(std::vector(in.stack().begin(), in.stack().end()), (std::vector<forth::Value>{1, 2, 0}));
    // 2 is a true flag: a plain iftrue runs for "No" too.
    in.clearStack();
    console.answers = {2, 2, 1};
    EXPECT_EQ(run("[ 'ran .. ] 'Q confirm iftrue"), "ran ");
    EXPECT_EQ(run("[ 'ran .. ] 'Q confirm 1 = iftrue"), "");
    EXPECT_EQ(run("[ 'ran .. ] 'Q confirm 1 = iftrue"), "ran ");
}

TEST_F(ConsoleWords, ByeAsksToLeaveButTheLineRunsOn) {
    EXPECT_EQ(run("bye 7 ."), "7 ");
    EXPECT_EQ(console.byes, 1);
}

TEST_F(ConsoleWords, TheWordsOutliveTheHostTheyWereMadeFrom) {
    forth::Interp other;
    forth::registerCoreWords(other);
    std::string out;
    {
        console_words::ConsoleHost h;
        h.append = [&out](std::string_view t) { out += t; };
        console_words::registerConsoleWords(other, h);
    }
    other.runLine("5 .");
    EXPECT_EQ(out, "5 ");
}

// The banner counts what the tables register: each word once (the console's
// printing words replace core ones of the same name; aliases are no words),
// and each sigil.
TEST(ConsoleBanner, TheProgramCountsTheWordsAndSigilsOfItsTablesOnceTheConsoleIsThere) {
    toolkit::loadGtk();
    app::AppState state;
    FakeConsole console;
    console_words::registerConsoleWords(state.interp, console.host());
    std::set<std::string> tabledWords, tabledSigils;
    for (auto table : {forth::coreWordDocs(), turtle::turtleWordDocs(), console_words::consoleWordDocs()})
        for (const forth::DocumentedEntry& e : table) {
            if (e.kind == forth::DocumentedEntry::Kind::Word) tabledWords.insert(std::string(e.name));
            if (e.kind == forth::DocumentedEntry::Kind::Sigil) tabledSigils.insert(std::string(e.name));
        }
    EXPECT_EQ(std::string(forth::kGreeting), "Welcome to Veskel Forth 3.0 beta (2023-07-19)");
    EXPECT_EQ(forth::dictionaryCounts(state.interp), std::to_string(tabledWords.size()) + " words and " +
                                                         std::to_string(tabledSigils.size()) + " sigils defined.");

    state.interp.runLine("words");
    std::istringstream names(console.output);
    std::set<std::string> distinct;
    std::size_t count = 0;
    for (std::string n; names >> n; ++count) distinct.insert(n);
    EXPECT_EQ(count, tabledWords.size()) << "each word listed once";
    EXPECT_EQ(distinct, tabledWords);
    EXPECT_EQ(console.output.back(), ' ') << "no line end after the last name";
    console.output.clear();
    state.interp.runLine("sigils");
    EXPECT_EQ(console.output, "= $ ' @ / ? : # ");
}
