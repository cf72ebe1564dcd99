#include "run_stepper.h"

#include <algorithm>
#include <utility>

#include "app_limits.h"
#include "app_state.h"
#include "toolkit/application.h"
#include "forth/errors.h"
#include "forth/line_runner.h"

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
    fState.interp.setStepHook([this](forth::Interp& in, const forth::WordSpan& list, const forth::Token& word) {
        beforeWord(in, list, word);
    });
}

RunStepper::~RunStepper() {
    fState.interp.setStepping(false);
    fState.interp.setStepHook(nullptr);
}

void RunStepper::updateStepping() {
    const bool on = fInRun && (fSpeed != RunSpeed::Full || fPaused);
    // Words run at full speed are not counted: the way back cannot find
    // its place past them.
    if (fInRun && !on) fCounted = false;
    fState.interp.setStepping(on);
}

void RunStepper::setSpeed(RunSpeed speed) {
    fSpeed = speed;
    updateStepping();
}

std::optional<ScriptFailure> RunStepper::run(std::string script, const forth::LineObserver& observe) {
    runBegins(std::move(script));
    struct Ends {
        RunStepper& stepper;
        ~Ends() { stepper.runEnded(); }
    } ends{*this};
    for (;;) {
        std::optional<ScriptFailure> failure = runScriptText(fState.interp, fScript, observe);
        if (!fGoingBack) return failure;
        fGoingBack = false;
        // Checked before the run was ended for it (stepBackClosed).
        if (!fStart.putBack(fState)) return failure;
        fHost.cutOutput(fStart.outputSize());
        fPosition = 0;
        fLineSeen = false;
        fMarkDue.reset();
        fAskingAt.reset();
    }
}

void RunStepper::runBegins(std::string script) {
    fScript = std::move(script);
    fInRun = true;
    fPaused = fPauseAtStart;
    fPauseAtStart = false;
    fLineSeen = false;
    fStepsAsked = 0;
    fBacksAsked = 0;
    fGoingBack = false;
    fPosition = 0;
    fTarget.reset();
    fMarkDue.reset();
    fAskingAt.reset();
    // Only a run watched from its first word can be started again to any
    // of them; a Full-speed run costs no snapshot.
    fCounted = fSpeed != RunSpeed::Full || fPaused;
    if (fCounted)
        fStart.take(fState, fHost.outputSize());
    else
        fStart.clear();
    updateStepping();
}

void RunStepper::runEnded() {
    fInRun = false;
    fPaused = false;
    fWaiting = false;
    fTarget.reset();
    fStart.clear();
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
    ++fStepsAsked;
    return true;
}

bool RunStepper::stepBack() {
    // As for step(); a key that comes while the run goes back to a word
    // takes the step before that one.
    if (!fInRun || !(fPaused || fSpeed == RunSpeed::Step)) return false;
    ++fBacksAsked;
    return true;
}

std::string RunStepper::stepBackClosed(std::uint64_t at) const {
    if (at == 0) return "Nothing to step back to: the run is at its first word.";
    if (fAskingAt && *fAskingAt < at)
        return "No step back past " + fAskingWord + ", line " + std::to_string(fAskingLine + 1) +
               ": it cannot be done again.";
    if (!fCounted) return "No step back: this run went at full speed before the pause.";
    const std::string closed = fStart.closedBecause(fState);
    if (!closed.empty()) return "No step back: " + closed + ".";
    return {};
}

void RunStepper::beforeWord(forth::Interp& in, const forth::WordSpan& list, const forth::Token& word) {
    if (!fInRun) return;
    // Started again, the run goes to its word without marking each on the
    // way: only the last mark is shown.
    const bool hurrying = fTarget.has_value();
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
            if (index < fPlaces.size()) {
                if (hurrying)
                    fMarkDue = fPlaces[index];
                else
                    fHost.mark(fPlaces[index]);
            }
        }
    }
    // A word collected into a block or definition does not run yet.
    if (in.collecting()) return;
    const std::uint64_t position = fPosition++;
    if (hurrying) {
        if (position < *fTarget) return;
        fTarget.reset();
        if (fMarkDue) fHost.mark(*fMarkDue);
        fMarkDue.reset();
    }
    if (!fAskingAt && word.kind == forth::Resolved::Word && undoneOnlyByAsking(word.cache.entry->name())) {
        fAskingAt = position;
        fAskingWord = word.cache.entry->name();
        fAskingLine = fLine;
    }
    fHost.show(fPaused || fSpeed == RunSpeed::Step);
    wait(list.text(word), position);
    // Escape during the wait ends the run here.
    fState.runs.poll();
}

void RunStepper::wait(std::string_view word, std::uint64_t position) {
    toolkit::Application& app = toolkit::Application::current();
    RunGuard& runs = fState.runs;
    std::string closedNote;  // shown instead of the paused note, once
    for (;;) {
        if (runs.interruptAsked() || runs.leaving()) return;
        if (fPaused || fSpeed == RunSpeed::Step) {
            if (!closedNote.empty()) {
                fHost.note(closedNote);
                closedNote.clear();
            } else {
                // Short enough for the console's label beside its buttons.
                std::size_t keep = std::min(word.size(), limits::kPausedWordShown);
                // Not inside a character: GTK shows only whole UTF-8 text.
                while (keep < word.size() && keep > 0 && (static_cast<unsigned char>(word[keep]) & 0xC0) == 0x80)
                    --keep;
                std::string name(word.substr(0, keep));
                if (keep < word.size()) name += "...";
                fHost.note("Paused before " + name + ", line " + std::to_string(fLine + 1) +
                           ". F7 runs it, F6 goes on.");
            }
            fWaiting = true;
            app.runUntil(
                [&] {
                    return fStepsAsked > 0 || fBacksAsked > 0 || !(fPaused || fSpeed == RunSpeed::Step) ||
                           runs.interruptAsked();
                },
                -1);
            fWaiting = false;
            if (fBacksAsked > 0 && !runs.interruptAsked()) {
                --fBacksAsked;
                closedNote = stepBackClosed(position);
                if (closedNote.empty()) {
                    // The run ends here, and run() starts it again up to
                    // the word before this one.
                    fTarget = position - 1;
                    fGoingBack = true;
                    fStepsAsked = 0;
                    throw forth::ScriptError("Going back");
                }
                continue;
            }
            fHost.note(kRunningNote);
            if (fStepsAsked > 0) {
                --fStepsAsked;
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
