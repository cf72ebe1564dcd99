#include "run_guard.h"

#include "errors.h"

namespace app {

RunGuard::RunGuard(Clock::duration breatheEvery) : fInterval(breatheEvery) {}

void RunGuard::watch(forth::Interp& in) {
    in.onPoll = [this](forth::Interp&) { poll(); };
}

RunGuard::Run RunGuard::begin() {
    if (fRunning) return Run(nullptr);
    fRunning = true;
    fInterrupt = false;
    fLastBreath = Clock::now();
    return Run(this);
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
    try {
        fBreathe();
    } catch (...) {
        fBreathing = false;
        throw;
    }
    fBreathing = false;
    fLastBreath = Clock::now();
}

void RunGuard::poll() {
    if (!fRunning) return;
    if (Clock::now() - fLastBreath >= fInterval) breathe();
    if (fInterrupt) {
        fInterrupt = false;
        throw forth::ScriptError("Interrupted");
    }
}

}  // namespace app
