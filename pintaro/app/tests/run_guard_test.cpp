// Watching and stopping runs: when the program gets to breathe, how an
// interruption ends a script, and that runs never nest.
#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "errors.h"
#include "interp.h"
#include "run_guard.h"

using app::RunGuard;
using namespace std::chrono_literals;

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
    RunGuard guard(40ms);
    int breaths = 0;
    guard.setBreathe([&] { ++breaths; });
    guard.poll();
    EXPECT_EQ(breaths, 0) << "outside a run nothing happens";
    RunGuard::Run run = guard.begin();
    guard.poll();
    guard.poll();
    EXPECT_EQ(breaths, 0);
    std::this_thread::sleep_for(50ms);
    guard.poll();
    guard.poll();
    EXPECT_EQ(breaths, 1) << "the interval starts again after a breath";
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
    RunGuard guard(1ms);
    guard.watch(in);
    int breaths = 0;
    guard.setBreathe([&] {
        if (++breaths == 3) guard.interrupt();  // the key arrives while events are handled
    });
    const auto start = std::chrono::steady_clock::now();
    {
        RunGuard::Run run = guard.begin();
        try {
            in.runLine("[ 1 drop ] 100000000000 times");
            FAIL() << "the loop was not stopped";
        } catch (const forth::ScriptError& e) {
            EXPECT_STREQ(e.what(), "Interrupted");
        }
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
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
    RunGuard guard(1ms);
    int breaths = 0;
    guard.setBreathe([&] {
        ++breaths;
        std::this_thread::sleep_for(100ms);  // a long output line being laid out
    });
    RunGuard::Run run = guard.begin();
    std::this_thread::sleep_for(2ms);
    guard.poll();
    ASSERT_EQ(breaths, 1);
    std::this_thread::sleep_for(2ms);
    guard.poll();
    EXPECT_EQ(breaths, 1) << "not before the script has run as long as the breath took";
    std::this_thread::sleep_for(110ms);
    guard.poll();
    EXPECT_EQ(breaths, 2);
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
