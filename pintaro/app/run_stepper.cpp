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

RunStepper::RunStepper(AppState& state, toolkit::Application& app, Host host)
    : state_(state), app_(app), host_(std::move(host)) {
    state_.interp.setStepHook([this](forth::Interp& in, const forth::WordSpan& list, const forth::Token& word) {
        beforeWord(in, list, word);
    });
}

RunStepper::~RunStepper() {
    state_.interp.setStepping(false);
    state_.interp.setStepHook(nullptr);
}

void RunStepper::updateStepping() {
    const bool on = inRun_ && (speed_ != RunSpeed::Full || paused_);
    // Words run at full speed are not counted: the way back cannot find
    // its place past them.
    if (inRun_ && !on) counted_ = false;
    state_.interp.setStepping(on);
}

void RunStepper::setSpeed(RunSpeed speed) {
    speed_ = speed;
    updateStepping();
}

std::optional<ScriptFailure> RunStepper::run(std::string script, const forth::LineObserver& observe) {
    runBegins(std::move(script));
    struct Ends {
        RunStepper& stepper;
        ~Ends() { stepper.runEnded(); }
    } ends{*this};
    for (;;) {
        std::optional<ScriptFailure> failure = runScriptText(state_.interp, script_, observe);
        if (!goingBack_) return failure;
        goingBack_ = false;
        // Checked before the run was ended for it (stepBackClosed).
        if (!start_.putBack(state_)) return failure;
        host_.cutOutput(start_.outputSize());
        position_ = 0;
        lineSeen_ = false;
        markDue_.reset();
        askingAt_.reset();
    }
}

void RunStepper::runBegins(std::string script) {
    script_ = std::move(script);
    inRun_ = true;
    paused_ = pauseAtStart_;
    pauseAtStart_ = false;
    lineSeen_ = false;
    stepsAsked_ = 0;
    backsAsked_ = 0;
    goingBack_ = false;
    position_ = 0;
    target_.reset();
    markDue_.reset();
    askingAt_.reset();
    // Only a run watched from its first word can be started again to any
    // of them; a Full-speed run costs no snapshot.
    counted_ = speed_ != RunSpeed::Full || paused_;
    if (counted_)
        start_.take(state_, host_.outputSize());
    else
        start_.clear();
    updateStepping();
}

void RunStepper::runEnded() {
    inRun_ = false;
    paused_ = false;
    waiting_ = false;
    target_.reset();
    start_.clear();
    updateStepping();
}

bool RunStepper::togglePause() {
    if (!inRun_) return false;
    paused_ = !paused_;
    updateStepping();
    return true;
}

bool RunStepper::step() {
    // A key that comes while the word is being marked (marking lets events
    // run) counts for that word's wait.
    if (!inRun_ || !(paused_ || speed_ == RunSpeed::Step)) return false;
    ++stepsAsked_;
    return true;
}

bool RunStepper::stepBack() {
    // As for step(); a key that comes while the run goes back to a word
    // takes the step before that one.
    if (!inRun_ || !(paused_ || speed_ == RunSpeed::Step)) return false;
    ++backsAsked_;
    return true;
}

std::string RunStepper::stepBackClosed(std::uint64_t at) const {
    if (at == 0) return "Nothing to step back to: the run is at its first word.";
    if (askingAt_ && *askingAt_ < at)
        return "No step back past " + askingWord_ + ", line " + std::to_string(askingLine_ + 1) +
               ": it cannot be done again.";
    if (!counted_) return "No step back: this run went at full speed before the pause.";
    const std::string closed = start_.closedBecause(state_);
    if (!closed.empty()) return "No step back: " + closed + ".";
    return {};
}

void RunStepper::beforeWord(forth::Interp& in, const forth::WordSpan& list, const forth::Token& word) {
    if (!inRun_) return;
    // Started again, the run goes to its word without marking each on the
    // way: only the last mark is shown.
    const bool hurrying = target_.has_value();
    // The mark follows the words of the editor's lines; words of a
    // definition or block they call, or of an included file, run under
    // the mark of the word that called them.
    const forth::SourcePosition& at = in.position();
    if (at.file.empty() && at.line > 0) {
        const auto line = static_cast<std::size_t>(at.line - 1);
        if (!lineSeen_ || line != line_) {
            lineSeen_ = true;
            line_ = line;
            lineDepth_ = in.nestingDepth();
            places_ = wordPlaces(script_, line);
        }
        // The word's place in the line's list is its place in the line:
        // a block the interpreter collected before is skipped whole, so
        // counting the words seen would fall behind.
        if (in.nestingDepth() == lineDepth_) {
            const auto index = static_cast<std::size_t>(&word - list.begin());
            if (index < places_.size()) {
                if (hurrying)
                    markDue_ = places_[index];
                else
                    host_.mark(places_[index]);
            }
        }
    }
    // A word collected into a block or definition does not run yet.
    if (in.collecting()) return;
    const std::uint64_t position = position_++;
    if (hurrying) {
        if (position < *target_) return;
        target_.reset();
        if (markDue_) host_.mark(*markDue_);
        markDue_.reset();
    }
    if (!askingAt_ && word.kind == forth::Resolved::Word && undoneOnlyByAsking(word.cache.entry->name())) {
        askingAt_ = position;
        askingWord_ = word.cache.entry->name();
        askingLine_ = line_;
    }
    host_.show(paused_ || speed_ == RunSpeed::Step);
    wait(list.text(word), position);
    // Escape during the wait ends the run here.
    state_.runs.poll();
}

void RunStepper::wait(std::string_view word, std::uint64_t position) {
    RunGuard& runs = state_.runs;
    std::string closedNote;  // shown instead of the paused note, once
    for (;;) {
        if (runs.interruptAsked() || runs.leaving()) return;
        if (paused_ || speed_ == RunSpeed::Step) {
            if (!closedNote.empty()) {
                host_.note(closedNote);
                closedNote.clear();
            } else {
                // Short enough for the console's label beside its buttons.
                std::size_t keep = std::min(word.size(), limits::kPausedWordShown);
                // Not inside a character: GTK shows only whole UTF-8 text.
                while (keep < word.size() && keep > 0 && (static_cast<unsigned char>(word[keep]) & 0xC0) == 0x80)
                    --keep;
                std::string name(word.substr(0, keep));
                if (keep < word.size()) name += "...";
                host_.note("Paused before " + name + ", line " + std::to_string(line_ + 1) +
                           ". F7 runs it, F6 goes on.");
            }
            waiting_ = true;
            app_.runUntil(
                [&] {
                    return stepsAsked_ > 0 || backsAsked_ > 0 || !(paused_ || speed_ == RunSpeed::Step) ||
                           runs.interruptAsked();
                },
                -1);
            waiting_ = false;
            if (backsAsked_ > 0 && !runs.interruptAsked()) {
                --backsAsked_;
                closedNote = stepBackClosed(position);
                if (closedNote.empty()) {
                    // The run ends here, and run() starts it again up to
                    // the word before this one.
                    target_ = position - 1;
                    goingBack_ = true;
                    stepsAsked_ = 0;
                    throw forth::ScriptError("Going back");
                }
                continue;
            }
            host_.note(kRunningNote);
            if (stepsAsked_ > 0) {
                --stepsAsked_;
                return;
            }
            continue;  // went on: at the speed chosen
        }
        const RunSpeed speed = speed_;
        const int delay = delayOf(speed);
        if (delay == 0) return;
        app_.runUntil([&] { return runs.interruptAsked() || paused_ || speed_ != speed; }, delay);
        if (!paused_) return;
    }
}

}  // namespace app
