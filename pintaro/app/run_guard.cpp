#include "run_guard.h"

#include <algorithm>
#include <utility>

#include "forth/errors.h"
#include "forth/forth_limits.h"

namespace app {

RunGuard::RunGuard(Clock::duration breatheEvery, Now now)
    : fNow(std::move(now)), fInterval(breatheEvery), fGap(breatheEvery) {}

void RunGuard::watch(forth::Interp& in) {
    fInterp = &in;
    in.onPoll = [this](forth::Interp&) {
        ++fStepPolls;
        poll();
    };
}

RunGuard::Run RunGuard::begin() {
    if (fRunning) return Run(nullptr);
    fRunning = true;
    fInterrupt = false;
    fStopped = false;
    fStoppedAfter = 0;
    fStepPolls = 0;
    fStartCountdown = fInterp ? fInterp->pollCountdown() : 0;
    fLastBreath = fNow();
    fGap = fInterval;
    return Run(this);
}

void RunGuard::end() noexcept {
    fRunning = false;
    std::vector<std::function<void()>> actions;
    actions.swap(fAfterRun);
    if (fOnRunEnd) actions.push_back(fOnRunEnd);
    for (auto& a : actions) {
        try {
            a();
        } catch (...) {
            // Tidying up after a run (a status note) must not turn its end
            // into a failure; there is nobody left to report it to.
        }
    }
}

void RunGuard::afterRun(std::function<void()> action) {
    if (!fRunning) {
        action();
        return;
    }
    fAfterRun.push_back(std::move(action));
}

bool RunGuard::interrupt() {
    if (!fRunning) return false;
    fInterrupt = true;
    return true;
}

void RunGuard::quitting() {
    fLeaving = true;
    interrupt();
}

void RunGuard::breathe() {
    if (fBreathing || !fBreathe) return;
    fBreathing = true;
    const Clock::time_point start = fNow();
    try {
        fBreathe();
    } catch (...) {
        fBreathing = false;
        throw;
    }
    fBreathing = false;
    fLastBreath = fNow();
    // A breath that took long (a long output line to lay out, a repaint of
    // a big picture) is followed by as long a stretch of running, so that
    // breathing never takes more than half of the run.
    fGap = std::max(fInterval, fLastBreath - start);
}

std::uint64_t RunGuard::stepsSoFar() const {
    if (!fRunning || !fInterp) return 0;
    return fStartCountdown - std::uint64_t{fInterp->pollCountdown()} + fStepPolls * forth::limits::kPollInterval;
}

void RunGuard::poll() {
    if (!fRunning) return;
    if (fNow() - fLastBreath >= fGap) breathe();
    if (fInterrupt) {
        fInterrupt = false;
        fStopped = true;
        fStoppedAfter = stepsSoFar();
        throw forth::ScriptError("Interrupted");
    }
}

}  // namespace app
