// Watching a console run: its speed (Full as ever, Slow, Slower, or Step,
// one word a key press), a pause with one word at a time, the word about
// to run marked in the script editor, and steps taken back (step_back.h).
// The interpreter calls back before each word only while the run is slow
// or paused (Interp::setStepping), so a Full-speed run is the run it always
// was. Every wait is a nested round of the event loop woken by a timer: the
// windows stay responsive and Escape ends the wait, and with it the run, at
// once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console_run.h"
#include "forth/interp.h"
#include "step_back.h"

namespace app {

struct AppState;

enum class RunSpeed { Full, Slow, Slower, Step };

// The words of line `index` of the text (counted from 0 as cutLines counts),
// cut at white space as the interpreter cuts them, each as characters of the
// whole text: what an editor selects to mark one.
std::vector<CharRange> wordPlaces(std::string_view text, std::size_t index);

class RunStepper {
public:
    // What a step shows: the word's place in the editor, the picture and
    // output (and whatever else watches a run), a note in the console's
    // status label. `show` is told when the run is about to wait for a key,
    // so that what it shows then is the state now, not one a moment old.
    // `outputSize` is what the console output holds (shown or not yet), in
    // bytes; `cutOutput` cuts it back to that many.
    struct Host {
        std::function<void(CharRange)> mark;
        std::function<void(bool pausing)> show;
        std::function<void(const std::string&)> note;
        std::function<std::size_t()> outputSize;
        std::function<void(std::size_t)> cutOutput;
    };
    RunStepper(AppState& state, Host host);
    ~RunStepper();
    RunStepper(const RunStepper&) = delete;
    RunStepper& operator=(const RunStepper&) = delete;

    // Kept until the program ends; a run going on takes it from its next word.
    void setSpeed(RunSpeed speed);
    RunSpeed speed() const { return fSpeed; }

    // Runs `script` as a console run (runScriptText), watched; a step back
    // starts it again, so its outcome is that of its last start.
    std::optional<ScriptFailure> run(std::string script, const forth::LineObserver& observe = {});
    bool inRun() const { return fInRun; }
    bool waiting() const { return fWaiting; }

    // Pauses the console run before its next word, or lets it go on; false
    // when no console run is going on.
    bool togglePause();
    // Lets the word the paused run waits before run; false when none waits.
    bool step();
    // Takes the last word the paused run ran back, and waits before it;
    // false when no run waits. When the way back is closed, the run stays
    // where it is and the note says why.
    bool stepBack();
    // The next console run starts paused before its first word.
    void pauseAtStart() { fPauseAtStart = true; }

private:
    void runBegins(std::string script);
    void runEnded();
    void beforeWord(forth::Interp& in, const forth::WordSpan& list, const forth::Token& word);
    void wait(std::string_view word, std::uint64_t at);
    // Why the run, waiting before word `at`, cannot take a step back; empty
    // when it can.
    std::string stepBackClosed(std::uint64_t at) const;
    void updateStepping();

    AppState& fState;
    Host fHost;
    RunSpeed fSpeed = RunSpeed::Full;
    bool fInRun = false;
    bool fPaused = false;
    bool fPauseAtStart = false;
    bool fWaiting = false;    // paused before a word
    // The keys to run a word, or to take one back, not yet answered: two
    // that come within one round of the event loop are two steps.
    int fStepsAsked = 0;
    std::string fScript;
    // The line last seen, the depth its own words run at, and where its
    // words are.
    std::size_t fLine = 0;
    bool fLineSeen = false;
    int fLineDepth = 0;
    std::vector<CharRange> fPlaces;

    // The way back. Words are counted from the run's start (words only
    // collected do not count), so a run started again can stop before the
    // same one; a run that went at full speed for a while has words it
    // did not count.
    RunStart fStart;
    bool fCounted = false;
    std::uint64_t fPosition = 0;             // words counted in this start of the run
    std::optional<std::uint64_t> fTarget;    // started again: runs without waiting up to this word
    std::optional<CharRange> fMarkDue;       // the mark, not shown while running up to it
    int fBacksAsked = 0;
    bool fGoingBack = false;                 // the run ends only to start again
    // The first word that cannot be done again, and its note.
    std::optional<std::uint64_t> fAskingAt;
    std::string fAskingWord;
    std::size_t fAskingLine = 0;
};

}  // namespace app
