// The one way tests wait: look at something observable again and again
// until it is as wanted, or give up after a fixed time and say what was
// waited for and what was seen last. No test sleeps a fixed time instead.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <string_view>
#include <thread>

namespace poll {

// Every wait gives up after this long. A wait ends as soon as its state is
// seen, so only a failing wait costs the whole time; it must cover starting
// a GTK program or opening a file dialog on two cores kept busy by a build.
inline constexpr std::chrono::milliseconds kTimeout{20000};
// The pause between two looks: far below anything a person would notice,
// and long enough that the watching does not take a core from the program
// being watched.
inline constexpr std::chrono::milliseconds kInterval{10};

// Calls `look` until `wanted(seen)` holds for what it returned. The failure
// message names `what` and prints the last value seen (gtest's printer, so
// strings, numbers, containers and pairs read naturally).
template <class Look, class Wanted>
testing::AssertionResult until(std::string_view what, Look&& look, Wanted&& wanted) {
    const auto end = std::chrono::steady_clock::now() + kTimeout;
    for (;;) {
        const auto seen = look();
        if (wanted(seen)) return testing::AssertionSuccess();
        if (std::chrono::steady_clock::now() >= end)
            return testing::AssertionFailure() << "waited " << kTimeout.count() << " ms for " << what
                                               << "; last saw " << testing::PrintToString(seen);
        std::this_thread::sleep_for(kInterval);
    }
}

// The same for a look that answers yes or no.
template <class Look>
testing::AssertionResult until(std::string_view what, Look&& look) {
    return until(what, look, [](const auto& seen) { return static_cast<bool>(seen); });
}

// Waits until the look returns `expected`.
template <class Look, class T>
testing::AssertionResult untilEqual(std::string_view what, Look&& look, const T& expected) {
    const std::string described = std::string(what) + " to be " + testing::PrintToString(expected);
    return until(described, look, [&](const auto& seen) { return seen == expected; });
}

}  // namespace poll
