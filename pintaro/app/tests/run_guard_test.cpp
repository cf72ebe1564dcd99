// Watching and stopping runs: when the program gets to breathe, how an
// interruption ends a script, and that runs never nest. The guard reads a
// clock the tests move by hand, so no test waits for real time.
#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

#include "forth/errors.h"
#include "forth/interp.h"
#include "app/run_guard.h"

using app::RunGuard;
using namespace std::chrono_literals;

namespace {

// A clock that stands still until moved; `tick`, when set, moves it by that
// much on every reading, like time passing while a script runs.
struct FakeClock {
    RunGuard::Clock::time_point time{};
    RunGuard::Clock::duration tick{};
    RunGuard::Now now() {
        return [this] {
            time += tick;
            return time;
        };
    }
};

}  // namespace

TEST(RunGuard, OnlyOneRunAtATime) {
    RunGuard guard(50ms);
    EXPECT_FALSE(guard.running());
    {
        RunGuard::Run first = guard.begin();
        ASSERT_TRUE(first);
        EXPECT_TRUE(guard.running());
        RunGuard::Run second = guard.begin();
        EXPECT_FALSE(second) << "a second run is refused";
        EXPECT_TRUE(guard.running()) << "and the refusal does not end the first";
    }
    EXPECT_FALSE(guard.running());
    EXPECT_TRUE(guard.begin()) << "the next run starts normally";
}

TEST(RunGuard, InterruptingWhenNothingRunsChangesNothing) {
    RunGuard guard(0ms);
    EXPECT_FALSE(guard.interrupt());
    RunGuard::Run run = guard.begin();
    EXPECT_NO_THROW(guard.poll()) << "an earlier key press is not held against a new run";
}

TEST(RunGuard, BreathesOnlyWhenTheIntervalHasPassed) {
    FakeClock clock;
    RunGuard guard(40ms, clock.now());
    int breaths = 0;
    guard.setBreathe([&] { ++breaths; });
    clock.time += 50ms;
    guard.poll();
    EXPECT_EQ(breaths, 0) << "outside a run nothing happens";
    RunGuard::Run run = guard.begin();
    clock.time += 39ms;
    guard.poll();
    EXPECT_EQ(breaths, 0);
    clock.time += 1ms;
    guard.poll();
    guard.poll();
    EXPECT_EQ(breaths, 1) << "the interval starts again after a breath";
    clock.time += 40ms;
    guard.poll();
    EXPECT_EQ(breaths, 2);
}

TEST(RunGuard, ABreathIsNeverNested) {
    RunGuard guard(0ms);
    int breaths = 0;
    guard.setBreathe([&] {
        ++breaths;
        guard.poll();  // a handler running inside the breath
    });
    RunGuard::Run run = guard.begin();
    guard.poll();
    EXPECT_EQ(breaths, 1);
}

TEST(RunGuard, EscapeDuringABreathStopsALoopThatWouldRunForHours) {
    forth::Interp in;
    forth::registerCoreWords(in);
    FakeClock clock;
    clock.tick = 1ms;  // every poll finds the interval passed
    RunGuard guard(1ms, clock.now());
    guard.watch(in);
    int breaths = 0;
    guard.setBreathe([&] {
        if (++breaths == 3) guard.interrupt();  // the key arrives while events are handled
    });
    {
        RunGuard::Run run = guard.begin();
        try {
            in.runLine("[ 1 drop ] 100000000000 times");
            FAIL() << "the loop was not stopped";
        } catch (const forth::ScriptError& e) {
            EXPECT_STREQ(e.what(), "Interrupted");
        }
    }
    EXPECT_EQ(breaths, 3) << "stopped at the poll that saw the key";
    EXPECT_GT(in.variable("i"), 1) << "the loop had run a while";
    // The interpreter keeps going; the next run is not interrupted.
    RunGuard::Run run = guard.begin();
    in.runLine("[ 1 drop ] 5000 times 2 3 +");
    EXPECT_EQ(in.pop(), 5);
}

TEST(RunGuard, LeavingStopsTheRunAndIsRemembered) {
    RunGuard guard(0ms);
    RunGuard::Run run = guard.begin();
    guard.quitting();
    EXPECT_TRUE(guard.leaving());
    EXPECT_THROW(guard.poll(), forth::ScriptError);
}

TEST(RunGuard, AFailingBreathLeavesTheGuardUsable) {
    RunGuard guard(0ms);
    bool fail = true;
    int breaths = 0;
    guard.setBreathe([&] {
        ++breaths;
        if (fail) throw std::runtime_error("toolkit failure");
    });
    RunGuard::Run run = guard.begin();
    EXPECT_THROW(guard.poll(), std::runtime_error);
    fail = false;
    guard.poll();
    EXPECT_EQ(breaths, 2) << "breathing again after the failure";
}

TEST(RunGuard, ALongBreathIsFollowedByAsLongARun) {
    FakeClock clock;
    RunGuard guard(1ms, clock.now());
    int breaths = 0;
    guard.setBreathe([&] {
        if (++breaths == 1) clock.time += 100ms;  // a long output line being laid out
    });
    RunGuard::Run run = guard.begin();
    clock.time += 2ms;
    guard.poll();
    ASSERT_EQ(breaths, 1);
    clock.time += 99ms;
    guard.poll();
    EXPECT_EQ(breaths, 1) << "not before the script has run as long as the breath took";
    clock.time += 1ms;
    guard.poll();
    EXPECT_EQ(breaths, 2);
    clock.time += 1ms;  // that breath was quick: the interval holds again
    guard.poll();
    EXPECT_EQ(breaths, 3);
}

TEST(RunGuard, WhatWaitsForTheEndOfARunHappensOnceWhenItEnds) {
    RunGuard guard(50ms);
    std::vector<std::string> done;
    guard.afterRun([&] { done.push_back("at once"); });
    EXPECT_EQ(done, std::vector<std::string>{"at once"}) << "no run in progress";
    {
        RunGuard::Run run = guard.begin();
        guard.afterRun([&] { done.push_back("first"); });
        guard.afterRun([] { throw std::runtime_error("a note that cannot be taken back"); });
        guard.afterRun([&] { done.push_back("second"); });
        EXPECT_EQ(done.size(), 1u);
    }
    EXPECT_EQ(done, (std::vector<std::string>{"at once", "first", "second"}));
    { RunGuard::Run again = guard.begin(); }
    EXPECT_EQ(done.size(), 3u) << "nothing is left over for the next run";
}
