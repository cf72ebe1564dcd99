#include "run_stepper.h"

#include <algorithm>
#include <utility>

#include "app_limits.h"
#include "app_state.h"
#include "application.h"
#include "line_runner.h"

namespace app {

namespace {
// As the interpreter's reader cuts words.
bool isSpace(char c) { return c == ' ' || (c >= 9 && c <= 13); }

std::size_t codePoints(std::string_view bytes) {
    std::size_t n = 0;
    for (unsigned char c : bytes)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

int delayOf(RunSpeed speed) {
    switch (speed) {
        case RunSpeed::Slow: return limits::kSlowWordMilliseconds;
        case RunSpeed::Slower: return limits::kSlowerWordMilliseconds;
        case RunSpeed::Full:
        case RunSpeed::Step: break;
    }
    return 0;
}
}  // namespace

std::vector<CharRange> wordPlaces(std::string_view text, std::size_t index) {
    const auto lines = forth::cutLines(text);
    std::vector<CharRange> places;
    if (index >= lines.size()) return places;
    const std::string_view line = lines[index];
    const std::size_t lineStart = lineRange(text, index).start;
    for (std::size_t i = 0, n = line.size();;) {
        while (i < n && isSpace(line[i])) ++i;
        const std::size_t start = i;
        while (i < n && !isSpace(line[i])) ++i;
        if (i == start) break;
        const std::size_t from = lineStart + codePoints(line.substr(0, start));
        places.push_back({from, from + codePoints(line.substr(start, i - start))});
    }
    return places;
}

RunStepper::RunStepper(AppState& state, Host host) : fState(state), fHost(std::move(host)) {
    fState.interp.onStep = [this](forth::Interp& in, const forth::WordSpan& list, const forth::Token& word) {
        beforeWord(in, list, word);
    };
}

RunStepper::~RunStepper() {
    fState.interp.stepping = false;
    fState.interp.onStep = nullptr;
}

void RunStepper::updateStepping() { fState.interp.stepping = fInRun && (fSpeed != RunSpeed::Full || fPaused); }

void RunStepper::setSpeed(RunSpeed speed) {
    fSpeed = speed;
    updateStepping();
}

void RunStepper::runBegins(std::string script) {
    fScript = std::move(script);
    fInRun = true;
    fPaused = fPauseAtStart;
    fPauseAtStart = false;
    fLineSeen = false;
    fStepAsked = false;
    updateStepping();
}

void RunStepper::runEnded() {
    fInRun = false;
    fPaused = false;
    fWaiting = false;
    updateStepping();
}

bool RunStepper::togglePause() {
    if (!fInRun) return false;
    fPaused = !fPaused;
    updateStepping();
    return true;
}

bool RunStepper::step() {
    // A key that comes while the word is being marked (marking lets events
    // run) counts for that word's wait.
    if (!fInRun || !(fPaused || fSpeed == RunSpeed::Step)) return false;
    fStepAsked = true;
    return true;
}

void RunStepper::beforeWord(forth::Interp& in, const forth::WordSpan& list, const forth::Token& word) {
    if (!fInRun) return;
    // The mark follows the words of the editor's lines; words of a
    // definition or block they call, or of an included file, run under
    // the mark of the word that called them.
    const forth::SourcePosition& at = in.position();
    if (at.file.empty() && at.line > 0) {
        const auto line = static_cast<std::size_t>(at.line - 1);
        if (!fLineSeen || line != fLine) {
            fLineSeen = true;
            fLine = line;
            fLineDepth = in.nestingDepth();
            fPlaces = wordPlaces(fScript, line);
        }
        // The word's place in the line's list is its place in the line:
        // a block the interpreter collected before is skipped whole, so
        // counting the words seen would fall behind.
        if (in.nestingDepth() == fLineDepth) {
            const auto index = static_cast<std::size_t>(&word - list.begin());
            if (index < fPlaces.size()) fHost.mark(fPlaces[index]);
        }
    }
    // A word collected into a block or definition does not run yet.
    if (in.collecting()) return;
    fHost.show(fPaused || fSpeed == RunSpeed::Step);
    wait(list.text(word));
    // Escape during the wait ends the run here.
    fState.runs.poll();
}

void RunStepper::wait(std::string_view word) {
    toolkit::Application& app = toolkit::Application::current();
    RunGuard& runs = fState.runs;
    for (;;) {
        if (runs.interruptAsked() || runs.leaving()) return;
        if (fPaused || fSpeed == RunSpeed::Step) {
            // Short enough for the console's label beside its buttons.
            std::size_t keep = std::min(word.size(), limits::kPausedWordShown);
            // Not inside a character: GTK shows only whole UTF-8 text.
            while (keep < word.size() && keep > 0 && (static_cast<unsigned char>(word[keep]) & 0xC0) == 0x80) --keep;
            std::string name(word.substr(0, keep));
            if (keep < word.size()) name += "...";
            fHost.note("Paused before " + name + ", line " + std::to_string(fLine + 1) +
                       ". F7 runs it, F6 goes on.");
            fWaiting = true;
            app.runUntil(
                [&] { return fStepAsked || !(fPaused || fSpeed == RunSpeed::Step) || runs.interruptAsked(); }, -1);
            fWaiting = false;
            fHost.note(kRunningNote);
            if (fStepAsked) {
                fStepAsked = false;
                return;
            }
            continue;  // went on: at the speed chosen
        }
        const RunSpeed speed = fSpeed;
        const int delay = delayOf(speed);
        if (delay == 0) return;
        app.runUntil([&] { return runs.interruptAsked() || fPaused || fSpeed != speed; }, delay);
        if (!fPaused) return;
    }
}

}  // namespace app
