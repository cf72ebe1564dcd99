// The interpreter's state and registration interface, and how words are
// found and run.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>

#include "test_support.h"

using forth::Value;

TEST(Registration, CoreHas61WordsAnd7SigilsInTheirFixedOrder) {
    Forth f;
    EXPECT_EQ(f.in->dictionarySize(), 61u);
    EXPECT_EQ(f.in->sigilTableSize(), 7u);
    EXPECT_EQ(f.in->sigilChars(), (std::vector<char>{'=', '$', '\'', '@', '/', '?', ':'}));
    auto names = f.in->dictionaryNames();
    EXPECT_EQ(names.front(), ".s");
    EXPECT_EQ(names.back(), "interpret");
    EXPECT_TRUE(f.in->aliasNames().empty());
}

TEST(Registration, ClosuresCarryTheirOwnStateAndReplaceWordsInPlace) {
    Forth f;
    int calls = 0;
    f.in->defineWord("count", [&calls](forth::Interp& in) { in.push(++calls); });
    f.run("count count");
    EXPECT_EQ(f.stack(), (std::vector<Value>{1, 2}));

    // A replacement keeps the dictionary size and the name's place.
    std::string printed;
    f.in->defineWord(".", [&printed](forth::Interp& in) { printed += std::to_string(int(in.pop())); });
    f.run("7 .");
    EXPECT_EQ(printed, "7");
    EXPECT_EQ(f.in->dictionarySize(), 62u);
    auto names = f.in->dictionaryNames();
    EXPECT_EQ(std::find(names.begin(), names.end(), ".") - names.begin(), 17);

    std::string seen;
    f.in->defineSigil('#', [&seen](forth::Interp&, std::string_view rest) { seen = rest; });
    f.run("#red");
    EXPECT_EQ(seen, "red");
    f.run("#");
    EXPECT_EQ(seen, "");
    EXPECT_EQ(f.in->sigilTableSize(), 8u);

    f.in->defineAlias("fd", "count");
    f.in->defineAlias("bk", "nothing-yet");
    EXPECT_EQ(f.in->aliasNames(), (std::vector<std::string>{"fd", "bk"}));
    EXPECT_EQ(*f.in->findAlias("bk"), "nothing-yet");
}

TEST(Registration, CallersKeepTheirOwnCopies) {
    Forth f;
    std::string name = "w";
    f.in->defineWord(name, [](forth::Interp& in) { in.push(1); });
    name = "changed";
    f.run("w");
    EXPECT_EQ(f.stack(), (std::vector<Value>{1}));

    // A stored definition does not follow later changes of the compile buffer.
    f.run(":sq dup * ; [ 9 9 ]");
    EXPECT_EQ(forth::joinWords(*f.in->lookupWord("sq").code), "dup *");
}

TEST(Stack, PopOnEmptyIsAnUnderflowThatChangesNothing) {
    Forth f;
    EXPECT_THROW(f.in->pop(), forth::StackUnderflow);
    EXPECT_TRUE(f.stack().empty());
    try {
        f.in->pop();
    } catch (const forth::Error& e) {
        EXPECT_STREQ(e.what(), "Stack underflow");
    }
}

TEST(Stack, WordsThatReadBelowTheTopCheckFirstButPoppingWordsLoseValues) {
    Forth f;
    for (const char* word : {"swap", "over", "2dup", "rot", "dup"}) {
        f.setStack({5});
        if (std::string(word) == "dup") f.in->clearStack();
        auto before = f.stack();
        EXPECT_THROW(f.run(word), forth::StackUnderflow) << word;
        EXPECT_EQ(f.stack(), before) << word;
    }
    f.setStack({1, 2});
    EXPECT_THROW(f.run("-rot"), forth::StackUnderflow);
    EXPECT_EQ(f.stack(), (std::vector<Value>{1}));
    f.setStack({5});
    EXPECT_THROW(f.run("+"), forth::StackUnderflow);
    EXPECT_TRUE(f.stack().empty());
    // A literal and such a word after it, run as one, fail as the two would.
    EXPECT_THROW(f.run("5 -"), forth::StackUnderflow);
    EXPECT_TRUE(f.stack().empty());
}

TEST(Stack, GrowthWithoutBoundEndsInAClearErrorAndTheStackStaysUsable) {
    Forth f;
    f.in->setMaxStackDepth(1000);
    try {
        f.run("[ 1 ] 5000 times");
        FAIL() << "no error";
    } catch (const forth::ScriptError& e) {
        EXPECT_STREQ(e.what(), "stack overflow: more than 1000 values on the stack");
    }
    EXPECT_EQ(f.in->depth(), 1000u);
    // The literal of `1 +` is pushed first, so it cannot go on a full stack.
    EXPECT_THROW(f.run("1 +"), forth::ScriptError);
    EXPECT_EQ(f.in->depth(), 1000u);
    f.run("clear 1 2 +");
    EXPECT_EQ(f.stack(), (std::vector<Value>{3}));
}

TEST(Collecting, ABlockThatCollectsItselfAgainReachesThePollHookAndStopsThere) {
    Forth f;
    // Its run starts collecting the rest of every later pass: 1000 list
    // runs, too few for a poll, but some 2000 words collected besides.
    int polls = 0;
    f.in->setPollHook([&](forth::Interp&) {
        ++polls;
        throw forth::ScriptError("stopped");
    });
    EXPECT_THROW(f.run("[ [ 7 ] 1000 times"), forth::ScriptError);
    EXPECT_EQ(polls, 1);
    EXPECT_LT(f.in->compileBuffer().size(), 2000u);
    f.in->setPollHook(nullptr);
    f.run("]");
    EXPECT_FALSE(f.in->collecting());
    f.run("clear [ 1 2 + ] 1 times");
    EXPECT_EQ(f.stack(), (std::vector<Value>{3}));
    // Empty blocks run as nothing at all.
    f.run("clear 1 [ ] iftrue 2 { } 3 times [ ] 0 times");
    EXPECT_EQ(f.stack(), (std::vector<Value>{2}));
}

TEST(Reader, UnknownWordsAndMissingNamesAreScriptErrors) {
    Forth f;
    auto message = [&](std::string_view line) -> std::string {
        try {
            f.run(line);
        } catch (const forth::ScriptError& e) {
            return e.what();
        }
        return "(no error)";
    };
    EXPECT_EQ(message("\\x"), "invalid float: \\x");
    EXPECT_EQ(message("$never"), "key not found: never");
    EXPECT_EQ(message("'nothing execute"), "key not found: nothing");
    EXPECT_EQ(message("'nothing @go go"), "key not found: nothing");
    // An alias of an alias fails: only the dictionary is searched for a target.
    EXPECT_EQ(message("'dup @twin 'twin @triple 1 triple"), "key not found: twin");
    EXPECT_EQ(message("?nothing"), "key not found: nothing");
    EXPECT_EQ(message("'abc number"), "invalid float: abc");
    EXPECT_EQ(message("'nofile.fs included"), "cannot open: nofile.fs");
    EXPECT_EQ(message("accept"), "EOF reached");
    EXPECT_EQ(message("'fd execute"), "key not found: fd");
}

TEST(Reader, ArithmeticFaultsAreTheirOwnKind) {
    Forth f;
    EXPECT_THROW(f.run("5 0 mod"), forth::ArithmeticFault);
    EXPECT_THROW(f.run("5 0.9 /mod"), forth::ArithmeticFault);
    try {
        f.run("-9223372036854775808 -1 /mod");
        FAIL();
    } catch (const forth::ArithmeticFault& e) {
        EXPECT_STREQ(e.what(), "over- or underflow");
    }
    f.in->clearStack();
    f.run("-9223372036854775808 -1 mod");
    EXPECT_EQ(f.stack(), (std::vector<Value>{0}));
}

// Running the same word list again must notice every change that alters
// what a word means, even though resolutions are cached.
TEST(Resolution, CachedWordsFollowEveryChangeOfTheTables) {
    Forth f;
    forth::WordList line = forth::splitWords("1 x");
    f.run(":x 10 ;");
    f.in->runWords(line);
    f.run(":1 100 ; :x 20 ;");  // a new word shadows a cached number
    f.in->runWords(line);
    EXPECT_EQ(f.stack(), (std::vector<Value>{1, 10, 100, 20}));

    f.in->clearStack();
    f.in->defineAlias("x", "dup");  // an alias shadows a cached word
    f.in->runWords(line);
    EXPECT_EQ(f.stack(), (std::vector<Value>{100, 100}));
}

TEST(Resolution, CachedVariablesAndSigilsFollowChanges) {
    Forth f;
    forth::WordList fetch = forth::splitWords("$v");
    EXPECT_THROW(f.in->runWords(fetch), forth::ScriptError);
    f.run("4 =v");
    f.in->runWords(fetch);
    f.run("5 =v");
    f.in->runWords(fetch);
    EXPECT_EQ(f.stack(), (std::vector<Value>{4, 5}));

    // A replaced $ sigil takes over cached uses of the old one.
    f.in->defineSigil('$', [](forth::Interp& in, std::string_view rest) { in.push(rest.size()); });
    f.in->runWords(fetch);
    EXPECT_EQ(f.stack().back(), 1);

    // A dictionary word named like a sigil word wins from then on.
    f.run(":$v 77 ;");
    f.in->runWords(fetch);
    EXPECT_EQ(f.stack().back(), 77);
}

TEST(Resolution, BlocksRebuiltFromADefinitionFollowChangesToo) {
    Forth f;
    f.run(":star { x 5 } 2 times ; :x 1 ;");
    f.run("star");
    f.run(":x 2 ; :5 50 ;");
    f.run("star");
    EXPECT_EQ(f.stack(), (std::vector<Value>{1, 5, 1, 5, 2, 50, 2, 50}));

    // Words unknown while the definition was collected resolve when run.
    f.in->clearStack();
    f.run(":late { later } 1 times ;");
    EXPECT_THROW(f.run("late"), forth::ScriptError);
    f.run(":later 9 ; late");
    EXPECT_EQ(f.stack(), (std::vector<Value>{9}));
}

// Tokens are resolved when a run starts; a change during the run must reach
// the words still to come, and the next run must not trust the ones before.
TEST(Resolution, AChangeDuringARunReachesTheRestOfTheListAndTheNextRun) {
    Forth f;
    forth::WordList line = forth::splitWords("d 'dup @d d 'drop @d d");
    f.run(":d 1 ;");
    f.in->runWords(line);  // 1, then dup, then drop
    EXPECT_EQ(f.stack(), (std::vector<Value>{1}));
    f.run("7");
    f.in->runWords(line);  // drop, then dup, then drop
    EXPECT_EQ(f.stack(), (std::vector<Value>{1}));
}

TEST(Resolution, AWordListRunsCorrectlyOnTwoInterpreters) {
    Forth a, b;
    a.run(":w 1 ;");
    b.run(":w 2 ;");
    forth::WordList line = forth::splitWords("w 3 =v $v");
    a.in->runWords(line);
    b.in->runWords(line);
    a.in->runWords(line);
    EXPECT_EQ(a.stack(), (std::vector<Value>{1, 3, 1, 3}));
    EXPECT_EQ(b.stack(), (std::vector<Value>{2, 3}));
}

TEST(Redefinition, ARunningWordFinishesItsOldDefinition) {
    Forth f;
    f.run(":w 1 interpret 3 ;");
    f.run("( :w 2 ; ) w w");
    EXPECT_EQ(f.stack(), (std::vector<Value>{1, 3, 2}));

    // `;` may even replace itself while it runs.
    f.in->clearStack();
    f.run(":; 5 ;");
    f.run(";");
    EXPECT_EQ(f.stack(), (std::vector<Value>{5}));

    // A closure replaced while it runs stays alive until it returns.
    int after = 0;
    f.in->defineWord("swapme", [&after](forth::Interp& in) {
        in.defineWord("swapme", [](forth::Interp&) {});
        after = 1;
    });
    f.run("swapme swapme");
    EXPECT_EQ(after, 1);

    // A word replaced deep in its own recursion: every level still running
    // finishes the old words, and the next call runs the new ones.
    Forth g;
    g.in->defineWord("renew", [](forth::Interp& in) { in.runLine(":r 99 ;"); });
    g.run(":r dup 0 > [ 1- r ] iftrue renew ; 3 r r");
    EXPECT_EQ(g.stack(), (std::vector<Value>{0, 99}));

    // A user word replaced by a host word mid-line, and that by a user word
    // again: each call runs what the entry holds at the time.
    g.in->clearStack();
    g.in->defineWord("tohost", [](forth::Interp& in) { in.defineWord("u", [](forth::Interp& in) { in.push(20); }); });
    g.run(":u 10 ; u tohost u ( :u 30 ; ) interpret u");
    EXPECT_EQ(g.stack(), (std::vector<Value>{10, 20, 30}));
}

// Definitions keep their words behind their records: many of them, redefined,
// dropped by restore() and made again, each keep their own words.
TEST(Redefinition, DefinitionsAcrossTheStoreKeepTheirWordsThroughRedefinitionAndRestore) {
    Forth f;
    const forth::Interp::Snapshot start = f.in->snapshot();
    for (int round = 0; round < 3; ++round) {
        for (int k = 0; k < 6000; ++k) f.run(":w" + std::to_string(k) + " " + std::to_string(k + round) + " ;");
        // Every other word redefined: the old records and their words go.
        for (int k = 0; k < 6000; k += 2) f.run(":w" + std::to_string(k) + " w" + std::to_string(k + 1) + " 1+ ;");
        f.run("w0 w1 w5998 w5999");
        EXPECT_EQ(f.stack(), (std::vector<Value>{2.0 + round, 1.0 + round, 6000.0 + round, 5999.0 + round}));
        EXPECT_EQ(f.run("?w5998"), "w5999 1+\n");
        f.in->restore(start);
        EXPECT_EQ(f.in->findWord("w0"), nullptr);
    }
    // A definition too long to copy shares the compile buffer; the
    // buffer is copied when collected into again, and the word keeps its words.
    std::string longDef = ":long";
    for (int k = 0; k < 40000; ++k) longDef += " 1";
    EXPECT_EQ(f.run(longDef + " ; ( x ) :w7 [ 7 ] iftrue ; buffer ?w7"), "[ 7 ] iftrue\n[ 7 ] iftrue\n");
    f.run("1 w7 long");
    EXPECT_EQ(f.in->depth(), 40001u);
    EXPECT_EQ(f.in->findWord("long")->code->size(), 40000u);
}

TEST(Nesting, RunawayRecursionIsAScriptErrorAndTheInterpreterStaysUsable) {
    Forth f;
    try {
        f.run(":f f ; f");
        FAIL() << "no error";
    } catch (const forth::ScriptError& e) {
        EXPECT_NE(std::string(e.what()).find("nesting too deep"), std::string::npos);
    }
    EXPECT_EQ(f.in->nestingDepth(), 0);
    EXPECT_THROW(f.run(":g [ g ] 1 times ; g"), forth::ScriptError);
    EXPECT_THROW(f.run("( interpret ) interpret"), forth::ScriptError);
    f.run(":f 4 ; f 1 +");
    EXPECT_EQ(f.stack().back(), 5);
    // Deep but bounded recursion is fine.
    f.run("0 =n :down $n 1+ =n $n 1000 < [ down ] iftrue ; down $n");
    EXPECT_EQ(f.stack().back(), 1000);
}

TEST(Errors, StateStaysAsTheErrorLeftIt) {
    Forth f;
    EXPECT_THROW(f.run("1 2 =a 'txt :def 3 ; [ 4 ] 5 nope 6"), forth::ScriptError);
    EXPECT_EQ(f.stack(), (std::vector<Value>{1, 5}));
    EXPECT_EQ(f.in->variable("a"), 2);
    EXPECT_EQ(f.in->textBuffer(), "def");
    EXPECT_NE(f.in->findWord("def"), nullptr);
    EXPECT_EQ(forth::joinWords(*f.in->lastBlock()), "4");

    // Collecting mode survives an error and the end of the line.
    f.in->defineWord("startThenFail", [](forth::Interp& in) {
        in.runLine("[ 7");
        throw forth::ScriptError("failed");
    });
    EXPECT_THROW(f.run("startThenFail"), forth::ScriptError);
    EXPECT_TRUE(f.in->collecting());
    f.run("nope 8");
    f.run("] drop");
    EXPECT_FALSE(f.in->collecting());
    EXPECT_EQ(forth::joinWords(*f.in->lastBlock()), "7 nope 8");
}

namespace {
long peakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}
}  // namespace

// A 10 MB line took 50 to 75 times its size (a 56-byte token and a string
// per word, all made at once, and the definition copied whole). A line now
// runs a piece at a time, and what it collects costs 16 bytes a word plus
// the word's bytes.
TEST(LongLines, ALongLineTakesAFewTimesItsSizeAndNoMore) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's allocator keeps freed memory for a while";
#endif
    std::string plain, definition = ":big";
    for (int k = 0; k < 1'500'000; ++k) plain += " 1 drop";
    definition += plain + " ; big";
    Forth f;
    const long before = peakResidentKiB();
    f.run(plain);
    const long afterPlain = peakResidentKiB();
    f.run(definition);
    const long afterDefinition = peakResidentKiB();
    EXPECT_LT((afterPlain - before) * 1024L, static_cast<long>(plain.size()));
    EXPECT_LT((afterDefinition - before) * 1024L, 10L * static_cast<long>(definition.size()));
    EXPECT_EQ(f.in->depth(), 0u);
    EXPECT_EQ(f.in->findWord("big")->code->size(), 3'000'000u);
}

// The fuzz target runs input after input on one interpreter, each from the
// same start.
TEST(Snapshot, RestoreUndoesWhatAScriptDidToTheInterpreter) {
    Forth f;
    f.run("1 2 :sq dup * ; 5 =v 'sq @square");
    const forth::Interp::Snapshot start = f.in->snapshot();
    f.run(":dup drop ; :new 1 ; 'new @nu 'dup @square 9 =v 3 =w ( text ) [ 4 ] [ 5");
    f.in->restore(start);
    EXPECT_EQ(f.stack(), (std::vector<Value>{1, 2}));
    EXPECT_FALSE(f.in->collecting());
    EXPECT_EQ(f.run("3 square $v .s"), "1.0 2.0 9.0 5.0\n");
    EXPECT_THROW(f.run("new"), forth::ScriptError);
    EXPECT_THROW(f.run("nu"), forth::ScriptError);
    EXPECT_THROW(f.run("$w"), forth::ScriptError);
    EXPECT_EQ(f.in->textBuffer(), "sq");
    EXPECT_EQ(f.in->dictionarySize(), start.records.size());

    // Many words dropped at once leave every other word findable.
    std::string many;
    for (int k = 0; k < 3000; ++k) many += ":w" + std::to_string(k) + " " + std::to_string(k) + " ; ";
    f.run(many);
    f.in->restore(start);
    for (const std::string& name : f.in->dictionaryNames()) EXPECT_NE(f.in->findWord(name), nullptr) << name;
    EXPECT_EQ(f.in->findWord("w7"), nullptr);
    EXPECT_EQ(f.run(":w7 7 ; w7 .s"), "1.0 2.0 7.0\n");
}

TEST(StepHook, SeesEveryWordWhileSteppingAndNothingOnceSwitchedOff) {
    Forth f;
    std::vector<std::string> seen;
    f.in->setStepHook([&](forth::Interp& in, const forth::WordSpan& list, const forth::Token& word) {
        seen.emplace_back(list.text(word));
        // Switched off from inside, as a front end does when a run goes on
        // at full speed: the rest of the run is not watched.
        if (list.text(word) == "stop") in.setStepping(false);
    });
    f.run(":stop ; 1 2 +");
    EXPECT_TRUE(seen.empty());  // not stepping yet
    f.in->setStepping(true);
    // A definition made during the run, and run at once, is seen word by
    // word at its own depth; the rest after "stop" is not.
    f.run(":two 2 ; 3 =x two $x + 1 - stop 4 5");
    EXPECT_EQ(seen, (std::vector<std::string>{":two", "2", ";", "3", "=x", "two", "2", "$x", "+", "1", "-", "stop"}));
    EXPECT_FALSE(f.in->stepping());
    EXPECT_EQ(f.stack(), (std::vector<Value>{3, 4, 4, 5}));
    // No hook, no stepping.
    f.in->setStepHook(nullptr);
    f.in->setStepping(true);
    EXPECT_FALSE(f.in->stepping());
}
