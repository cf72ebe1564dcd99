#include "run_guard.h"

#include <algorithm>
#include <utility>

#include "forth/errors.h"
#include "forth/forth_limits.h"

namespace app {

RunGuard::RunGuard(Clock::duration breatheEvery, Now now)
    : now_(std::move(now)), interval_(breatheEvery), gap_(breatheEvery) {}

void RunGuard::watch(forth::Interp& in) {
    interp_ = &in;
    in.setPollHook([this](forth::Interp&) {
        ++stepPolls_;
        poll();
    });
}

RunGuard::Run RunGuard::begin() {
    if (running_) return Run(nullptr);
    running_ = true;
    interrupt_ = false;
    stopped_ = false;
    stoppedAfter_ = 0;
    stepPolls_ = 0;
    startCountdown_ = interp_ ? interp_->pollCountdown() : 0;
    lastBreath_ = now_();
    gap_ = interval_;
    return Run(this);
}

void RunGuard::end() noexcept {
    running_ = false;
    std::vector<std::function<void()>> actions;
    actions.swap(afterRun_);
    if (onRunEnd_) actions.push_back(onRunEnd_);
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
    if (!running_) {
        action();
        return;
    }
    afterRun_.push_back(std::move(action));
}

bool RunGuard::interrupt() {
    if (!running_) return false;
    interrupt_ = true;
    return true;
}

void RunGuard::quitting() {
    leaving_ = true;
    interrupt();
}

void RunGuard::breathe() {
    if (breathing_ || !breathe_) return;
    breathing_ = true;
    const Clock::time_point start = now_();
    try {
        breathe_();
    } catch (...) {
        breathing_ = false;
        throw;
    }
    breathing_ = false;
    lastBreath_ = now_();
    // A breath that took long (a long output line to lay out, a repaint of
    // a big picture) is followed by as long a stretch of running, so that
    // breathing never takes more than half of the run.
    gap_ = std::max(interval_, lastBreath_ - start);
}

std::uint64_t RunGuard::stepsSoFar() const {
    if (!running_ || !interp_) return 0;
    return startCountdown_ - std::uint64_t{interp_->pollCountdown()} + stepPolls_ * forth::limits::kPollInterval;
}

void RunGuard::poll() {
    if (!running_) return;
    if (now_() - lastBreath_ >= gap_) breathe();
    if (interrupt_) {
        interrupt_ = false;
        stopped_ = true;
        stoppedAfter_ = stepsSoFar();
        throw forth::ScriptError("Interrupted");
    }
}

}  // namespace app
