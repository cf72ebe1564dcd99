// Script files, the line counter, accept, and the poll hook.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "forth/fd_input.h"
#include "forth/line_runner.h"
#include "test_support.h"

using forth::Value;

namespace {

// A script file that removes itself.
struct TempScript {
    std::string path;
    explicit TempScript(const std::string& text) {
        static int n = 0;
        // The process id keeps tests that run side by side apart.
        path = ::testing::TempDir() + "forth_script_" + std::to_string(getpid()) + "_" + std::to_string(n++) + ".fs";
        std::ofstream(path, std::ios::binary) << text;
    }
    ~TempScript() { std::remove(path.c_str()); }
};

}  // namespace

TEST(ScriptFile, RunsLineByLineAndCountsLines) {
    Forth f;
    TempScript s("1\r\n[ 2\n3 ] 1 times\n\n4");
    forth::runFile(*f.in, s.path);
    EXPECT_EQ(f.stack(), (std::vector<Value>{1, 2, 3, 4}));
    // One past the last of the five lines, and not restored.
    EXPECT_EQ(f.in->lineCounter(), 6);
}

TEST(ScriptFile, AnErrorLeavesEarlierLinesDoneAndTheLineCounterAtTheFailure) {
    Forth f;
    TempScript s("1 =a\n2 =b\nnosuchword\n4 =c\n");
    f.in->setTextBuffer(s.path);
    EXPECT_THROW(f.run("included"), forth::ScriptError);
    EXPECT_EQ(f.in->variable("a"), 1);
    EXPECT_EQ(f.in->variable("b"), 2);
    EXPECT_THROW(f.in->variable("c"), forth::ScriptError);
    EXPECT_EQ(f.in->lineCounter(), 3);
    EXPECT_EQ(f.in->position().file, s.path);
}

// Reported positions, as veskel and the console show them.
TEST(ScriptFile, AnIncludeGivesTheIncluderItsLineBackAndErrorsInsideNameTheFile) {
    Forth f;
    TempScript inner("1\n2\n\n");
    TempScript middle("'" + inner.path + " included\n\n$nothing\n");
    TempScript outer("'" + inner.path + " included\n\n\n'" + middle.path + " included\n");
    auto failure = [&](const std::string& path) {
        try {
            forth::runFile(*f.in, path);
        } catch (const std::exception& e) {
            return forth::describeFailure(e, *f.in);
        }
        return std::string("no error");
    };
    // Line 3 of the middle file, after its include of three lines.
    EXPECT_EQ(failure(outer.path), "key not found: nothing at line 3 of " + middle.path);
    EXPECT_EQ(failure(middle.path), "key not found: nothing at line 3");
    // A file that cannot be opened is the including line's error.
    TempScript missing("1\n'nofile.fs included\n");
    EXPECT_EQ(failure(missing.path), "cannot open: nofile.fs at line 2");
    forth::runFile(*f.in, inner.path);
    EXPECT_EQ(f.in->lineCounter(), 4);
    EXPECT_EQ(f.in->position().file, "");
}

TEST(ScriptFile, ADirectoryOrAMissingFileIsAnErrorNotAnEmptyScript) {
    Forth f;
    try {
        forth::runFile(*f.in, ::testing::TempDir());
        FAIL() << "a directory has no lines";
    } catch (const forth::ScriptError& e) {
        EXPECT_EQ(std::string(e.what()), "cannot read: " + ::testing::TempDir());
    }
    EXPECT_THROW(forth::runFile(*f.in, ::testing::TempDir() + "no/such.fs"), forth::ScriptError);
}

namespace {
std::vector<std::string> streamed(const std::string& text) {
    std::istringstream s(text);
    const forth::LineSource next = forth::streamLines(s, "text");
    std::vector<std::string> lines;
    for (std::string_view line; next(line);) lines.emplace_back(line);
    return lines;
}
}  // namespace

// Files and standard input end lines at LF only (a CR before it is dropped);
// the editor's text ends them at CR, LF or CR LF and always has a last line.
TEST(LineEnds, FilesAndTheEditorCutTheSameTextDifferently) {
    using SV = std::vector<std::string_view>;
    using S = std::vector<std::string>;
    EXPECT_EQ(streamed(""), S{});
    EXPECT_EQ(forth::cutLines(""), SV{""});
    EXPECT_EQ(streamed("a\n"), S{"a"});
    EXPECT_EQ(forth::cutLines("a\n"), (SV{"a", ""}));
    EXPECT_EQ(streamed("a\r\nb\rc\nd"), (S{"a", "b\rc", "d"})) << "a lone CR stays in the line";
    EXPECT_EQ(forth::cutLines("a\r\nb\rc\nd"), (SV{"a", "b", "c", "d"}));
    EXPECT_EQ(streamed("\r\r\n\n"), (S{"\r", ""}));
    EXPECT_EQ(forth::cutLines("\r\r\n\n"), (SV{"", "", "", ""})) << "CR, then CR LF, then LF";
    EXPECT_EQ(forth::cutLines("\n\r"), (SV{"", "", ""})) << "LF CR is two line ends";
}

TEST(Accept, ReadsOneLineWithoutItsEndAndFailsAtEndOfInput) {
    Forth f;
    f.input.str("first line\r\nsecond\nlast");
    f.run("accept");
    EXPECT_EQ(f.in->textBuffer(), "first line");
    f.run("accept accept");
    EXPECT_EQ(f.in->textBuffer(), "last");
    EXPECT_THROW(f.run("accept"), forth::ScriptError);
    EXPECT_EQ(f.in->textBuffer(), "last");
}

TEST(Output, PrintingWordsWriteThroughTheOutputHook) {
    Forth f;
    EXPECT_EQ(f.run("1 2 . ."), "2 1 ");
    EXPECT_EQ(f.run("1 2 .s"), "1.0 2.0\n");
    EXPECT_EQ(f.run("clear .s"), "\n");
    EXPECT_EQ(f.run("( a   b ) .. space cr"), "a b  \n");
    EXPECT_EQ(f.run("[ x y ] buffer"), "x y\n");
    EXPECT_EQ(f.run("?+"), "(native code)\n");
    f.run("[ 1 ] /one");
    EXPECT_EQ(f.err.str(), "The / sigil is deprecated; use : to define words.\n");
    f.run("[ 2 ] /two");  // once: old scripts use it in every definition
    EXPECT_EQ(f.err.str(), "The / sigil is deprecated; use : to define words.\n");
}

TEST(Poll, TheHookComesRegularlyAndMayStopARun) {
    Forth f;
    long polls = 0;
    f.in->setPollHook([&polls](forth::Interp&) { ++polls; });
    f.run("[ 1 drop ] 100000 times");
    EXPECT_GE(polls, 100000 / long(forth::limits::kPollInterval));
    // Loops with nothing in them and recursion come by the hook too.
    polls = 0;
    f.run("[ ] 100000 times");
    EXPECT_GE(polls, 100000 / long(forth::limits::kPollInterval));
    polls = 0;
    f.run("0 =n :down $n 1+ =n $n 1500 < [ down ] iftrue ; down");
    EXPECT_GE(polls, 3000 / long(forth::limits::kPollInterval));

    f.in->setPollHook([](forth::Interp&) { throw forth::ScriptError("Interrupted"); });
    EXPECT_THROW(f.run("[ 1 ] while [ ] repeat"), forth::ScriptError);
    f.in->setPollHook(nullptr);
    f.in->clearStack();
    f.run("1 2 +");
    EXPECT_EQ(f.stack(), (std::vector<Value>{3}));
}

// A front end counts a run's steps from the countdown and the polls (the
// drawing program notes so where Escape stopped a run, and a replay stops
// the same text after as many). Words counted several at once (a line's
// piece, a block collected before) used to lose what they overshot the
// poll by, so the count depended on where the countdown stood when the
// run began, and a replay stopped elsewhere.
TEST(Poll, StepsCountedFromTheCountdownDoNotDependOnWhereItStood) {
    Forth f;
    constexpr std::uint64_t kInterval = forth::limits::kPollInterval;
    auto steps = [&](std::uint32_t from) {
        std::uint64_t polls = 0;
        f.in->setPollHook([&polls](forth::Interp&) { ++polls; });
        f.in->setPollCountdown(from);
        f.run("[ [ 7 drop ] 1 times ] 5000 times 1 2 3 4 5 6 7 8 9 clear");
        f.in->setPollHook(nullptr);
        return from - std::uint64_t{f.in->pollCountdown()} + polls * kInterval;
    };
    // As a replay counts them: one countdown that never runs out.
    const std::uint64_t counted = steps(UINT32_MAX);
    for (std::uint32_t from : {1u, 2u, 3u, 7u, 500u, 1024u}) EXPECT_EQ(steps(from), counted) << "from " << from;
}

// A line of `)` words after one long text joined the whole compile buffer
// at every `)`: 200,000 pairs took minutes, and being one line of built-in
// words it never reached the hook. Each `)` now costs what it changes, and
// the line's own words count towards the poll.
TEST(Poll, ALongLineOfTextWordsIsCheapAndReachesTheHook) {
    Forth f;
    std::string line;
    constexpr int kPairs = 200'000;
    for (int k = 0; k < kPairs; ++k) line += "( ";
    for (int k = 0; k < kPairs; ++k) line += " )";
    long polls = 0;
    f.in->setPollHook([&polls](forth::Interp&) { ++polls; });
    f.run(line);
    EXPECT_GE(polls, long(kPairs / forth::limits::kLineChunkWords));
    EXPECT_EQ(f.in->textBuffer().size(), 2u * (kPairs - 1) - 1);
    // After the text changes, `)` joins the buffer again.
    f.run("( a b ) 'x ) ..");
    EXPECT_EQ(f.out.str(), "a b ");
    f.in->setPollHook([](forth::Interp&) { throw forth::ScriptError("Interrupted"); });
    EXPECT_THROW(f.run(line), forth::ScriptError);
}

namespace {
// A FIFO in the test's folder, removed at the end.
struct Fifo {
    std::string path = ::testing::TempDir() + "forth_fifo_" + std::to_string(getpid());
    Fifo() { EXPECT_EQ(mkfifo(path.c_str(), 0600), 0); }
    ~Fifo() { std::remove(path.c_str()); }
};

// How a run ends when the hook stops it after a few calls.
std::string stoppedRun(Forth& f, const std::string& line) {
    int calls = 0;
    f.in->setPollHook([&calls](forth::Interp&) {
        if (++calls == 3) throw forth::ScriptError("Interrupted");
    });
    try {
        f.run(line);
    } catch (const std::exception& e) {
        f.in->setPollHook(nullptr);
        return e.what();
    }
    f.in->setPollHook(nullptr);
    return "ran to the end";
}
}  // namespace

// Reads that wait (a FIFO with no writer yet, a writer that stays silent,
// a terminal nobody types into) reach the hook, so the stop key ends them;
// a source without line ends is refused at the line limit instead of
// taking all memory. A script may begin with a byte-order mark.
TEST(Reading, WaitsCanBeStoppedAndLinesAreBounded) {
    Forth f;
    {
        Fifo fifo;
        EXPECT_EQ(stoppedRun(f, "'" + fifo.path + " included"), "Interrupted");  // no writer
        const int writer = open(fifo.path.c_str(), O_RDWR);  // a writer that never writes
        EXPECT_EQ(stoppedRun(f, "'" + fifo.path + " included"), "Interrupted");
        close(writer);
    }
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    forth::FdInput silent(pipeEnds[0], true, [&f] { f.in->pollNow(); });
    f.in->setInput(silent);
    EXPECT_EQ(stoppedRun(f, "accept"), "Interrupted");
    ASSERT_EQ(write(pipeEnds[1], "typed\nlater", 11), 11);
    close(pipeEnds[1]);
    f.run("accept .. accept ..");
    EXPECT_EQ(f.out.str(), "typed later ");
    EXPECT_EQ(stoppedRun(f, "accept"), "EOF reached");

    const std::string tooLong = "line too long: more than " + std::to_string(forth::limits::kMaxLineBytes) + " bytes";
    try {
        f.run("'/dev/zero included");
        ADD_FAILURE() << "/dev/zero has no line end";
    } catch (const forth::ScriptError& e) {
        EXPECT_EQ(forth::describeFailure(e, *f.in), tooLong + " at line 1 of /dev/zero");
    }
    forth::FdInput zeros(open("/dev/zero", O_RDONLY), true, {});
    f.in->setInput(zeros);
    EXPECT_EQ(stoppedRun(f, "accept"), tooLong + " read by accept");

    TempScript marked("\xEF\xBB\xBF" "1 2 + .\n\xEF\xBB\xBF");
    f.out.str("");
    EXPECT_THROW(forth::runFile(*f.in, marked.path), forth::ScriptError);  // only the first line's mark goes
    EXPECT_EQ(f.out.str(), "3 ");
    EXPECT_EQ(f.in->lineCounter(), 2);
}

// What a scoped input or poll hook replaced comes back however the run
// ends: veskel reads a script from a stream and a replay counts steps so.
TEST(Reading, ScopedInputAndPollHookAreGivenBackWhenTheRunFails) {
    Forth f;
    f.input.str("outer\n");
    std::istringstream script("inner\n");
    int outerPolls = 0;
    f.in->setPollHook([&outerPolls](forth::Interp&) { ++outerPolls; });
    try {
        const forth::Interp::ScopedInput reading(*f.in, script);
        const forth::Interp::ScopedPollHook counting(*f.in, [](forth::Interp&) {});
        f.run("accept [ ] 5000 times");
        EXPECT_EQ(f.in->textBuffer(), "inner");
        f.run("accept");
        ADD_FAILURE() << "the script has one line";
    } catch (const forth::ScriptError& e) {
        EXPECT_STREQ(e.what(), "EOF reached");
    }
    EXPECT_EQ(outerPolls, 0);
    f.run("accept [ ] 5000 times");
    EXPECT_EQ(f.in->textBuffer(), "outer");
    EXPECT_GT(outerPolls, 0);
}

// A block, a literal and a control word run from the running list's own
// copy of the block; what they do stays what the words do one by one.
TEST(Control, ABlockWithACountAndItsLoopWordActAsTheWordsDo) {
    Forth f;
    EXPECT_EQ(f.run(":t3 [ $i . ] 3 times ; t3 buffer"), "1 2 3 $i .\n");
    EXPECT_EQ(f.run("'times @loop :t2 [ $i . ] 2 loop ; t2 :z [ 9 ] 0 iffalse [ 8 ] 0 iftrue ; z"), "1 2 ");
    EXPECT_EQ(f.stack(), (std::vector<Value>{9}));
    // Replaced while it runs, it finishes the loop it began; after, the
    // loop word is no longer the core one.
    EXPECT_EQ(f.run("[ ( :times drop ; ) interpret $i . ] 2 times [ 5 ] 3 times .s"), "1 2 9.0\n");
    EXPECT_EQ(f.run(":times drop drop 7 ; t3 .s"), "7.0\n");
}

// Calls and blocks run as frames of one dispatch loop, and what the
// opener's tests found is kept in the block: neither may show. A change of
// the words around a block already run is seen, every list is stepped at
// its own depth, and an error deep in calls and passes leaves the depth as
// a return would.
TEST(Control, FramesAndKeptChecksBehaveAsNestedRunsWould) {
    Forth f;
    f.run(":b [ 4 ] iftrue ; 1 b :iftrue drop 7 ; 1 b");
    EXPECT_EQ(f.stack(), (std::vector<Value>{4, 7}));
    f.in->clearStack();
    // A closer replaced by a closure of the front end's: the block is
    // collected word by word again, and the closure's own push is the flag.
    f.run(":c [ 5 ] 0 iffalse ; c");
    f.in->defineWord("]", [](forth::Interp& in) {
        in.setLastBlock(in.shareCompileBuffer());
        in.push(0);
    });
    f.run("1 c");
    EXPECT_EQ(f.stack(), (std::vector<Value>{5, 1, 0, 5}));

    Forth s;
    std::vector<std::string> seen;
    s.in->setStepHook([&](forth::Interp& in, const forth::WordSpan& list, const forth::Token& word) {
        seen.push_back(std::string(list.text(word)) + "@" + std::to_string(in.nestingDepth()));
    });
    s.run(":two 2 ; [ two ] 2 times");
    s.in->setStepping(true);
    s.run("[ two ] 2 times");
    EXPECT_EQ(seen, (std::vector<std::string>{"[@1", "2@1", "times@1", "two@2", "2@3", "two@2", "2@3"}));

    Forth e;
    EXPECT_THROW(e.run(":in 1 0 mod ; :mid [ in ] 3 times ; :out { mid } iftrue ; 1 out"), forth::ArithmeticFault);
    EXPECT_EQ(e.in->nestingDepth(), 0);
    EXPECT_EQ(e.run(":in 6 ; 1 out $i .s"), "6.0 6.0 6.0 3.0\n");
}
