// Long scripts a user can watch and stop. While a script runs, the
// interpreter's poll hook lets the program breathe (handle pending events,
// repaint the drawing view, show printed output) about every 50 ms of
// running time; Escape asks the run to stop, and the next poll ends it with
// the script error "Interrupted". Only one run goes at a time: a run started
// from a handler inside a running one is refused instead of nesting on the
// same interpreter state.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

#include "forth/interp.h"

namespace app {

// What a status label says while a run is refused.
inline constexpr const char* kBusyNote = "A script is running. Press Escape to stop it.";
// What the console's status label says while its own run goes on.
inline constexpr const char* kRunningNote = "Running. Escape stops it.";

class RunGuard {
public:
    using Clock = std::chrono::steady_clock;
    // Where the guard reads the time: the host's clock, so that tests can
    // give it a clock of their own and need no real time.
    using Now = std::function<Clock::time_point()>;

    // `breatheEvery`: the running time between two breaths.
    explicit RunGuard(Clock::duration breatheEvery, Now now = Clock::now);
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;

    // What one breath does; set once the windows exist.
    void setBreathe(std::function<void()> breathe) { fBreathe = std::move(breathe); }
    // Makes the interpreter's poll hook call poll().
    void watch(forth::Interp& in);

    // One run in progress; ends when it goes out of scope.
    class Run {
    public:
        explicit Run(RunGuard* guard) : fGuard(guard) {}
        Run(Run&& other) noexcept : fGuard(other.fGuard) { other.fGuard = nullptr; }
        Run& operator=(Run&&) = delete;
        ~Run() {
            if (fGuard) fGuard->end();
        }
        explicit operator bool() const { return fGuard != nullptr; }

    private:
        RunGuard* fGuard;
    };

    // Starts a run; an empty Run (false) when one is already in progress.
    [[nodiscard]] Run begin();
    bool running() const { return fRunning; }
    // Called once the run in progress has ended, for example to take back
    // a note that another run was refused. Runs at once when none is in
    // progress.
    void afterRun(std::function<void()> action);
    // Called at the end of every run (to show what it left behind).
    void setOnRunEnd(std::function<void()> action) { fOnRunEnd = std::move(action); }

    // Asks the running script to stop. False, and nothing happens, when no
    // script runs, so that the key can keep its ordinary meaning.
    bool interrupt();
    // The program is leaving: the running script stops, and its front end
    // shows nothing for it.
    void quitting();
    bool leaving() const { return fLeaving; }
    // True from interrupt() until the next poll raises it: a wait inside
    // the run (a slow run's pause between words) ends early for it.
    bool interruptAsked() const { return fInterrupt; }
    // True when the last run was stopped by interrupt(): it ended part-way.
    bool stopped() const { return fStopped; }
    // How many steps of the watched interpreter (Interp::tick) the last
    // stopped run had taken when it stopped, counted from its start, so that
    // a replay of the same text can stop at the same point. 0 when it was
    // not stopped or no interpreter is watched.
    std::uint64_t stoppedAfterSteps() const { return fStoppedAfter; }
    // The steps the watched interpreter has taken since the run began,
    // counted the same way: a console run notes it where each line starts,
    // so that the line Escape stopped is kept with its own steps. 0 outside
    // a run or when no interpreter is watched.
    std::uint64_t stepsSoFar() const;

    // Breathes when the interval has passed since the last breath (or, after
    // a breath that took longer than the interval, as long as it took), then
    // raises ScriptError("Interrupted") if an interruption was asked for.
    // Does nothing outside a run.
    void poll();
    // Breathes now (used when a run ends, so its last output shows).
    void breathe();

private:
    void end() noexcept;

    forth::Interp* fInterp = nullptr;
    // The interpreter's poll countdown when the run began, and the polls its
    // steps made since: steps so far = countdown then - countdown now + polls
    // x the interval.
    std::uint32_t fStartCountdown = 0;
    std::uint64_t fStepPolls = 0;
    std::uint64_t fStoppedAfter = 0;
    Now fNow;
    Clock::duration fInterval;
    Clock::duration fGap;  // running time until the next breath
    std::function<void()> fBreathe;
    Clock::time_point fLastBreath;
    bool fRunning = false;
    bool fInterrupt = false;
    bool fLeaving = false;
    bool fStopped = false;
    bool fBreathing = false;  // a breath runs handlers; none may breathe again inside it
    std::vector<std::function<void()>> fAfterRun;
    std::function<void()> fOnRunEnd;
};

}  // namespace app
