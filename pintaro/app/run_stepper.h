// Watching a console run: its speed (Full as ever, Slow, Slower, or Step,
// one word a key press), a pause with one word at a time, and the word
// about to run marked in the script editor. The interpreter calls back
// before each word only while the run is slow or paused (Interp::stepping),
// so a Full-speed run is the run it always was. Every wait is a nested
// round of the event loop woken by a timer: the windows stay responsive
// and Escape ends the wait, and with it the run, at once.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "console_run.h"
#include "interp.h"

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
    struct Host {
        std::function<void(CharRange)> mark;
        std::function<void(bool pausing)> show;
        std::function<void(const std::string&)> note;
    };
    RunStepper(AppState& state, Host host);
    ~RunStepper();
    RunStepper(const RunStepper&) = delete;
    RunStepper& operator=(const RunStepper&) = delete;

    // Kept until the program ends; a run going on takes it from its next word.
    void setSpeed(RunSpeed speed);
    RunSpeed speed() const { return fSpeed; }

    // A console run of `script` begins; it has ended.
    void runBegins(std::string script);
    void runEnded();
    bool inRun() const { return fInRun; }
    bool waiting() const { return fWaiting; }

    // Pauses the console run before its next word, or lets it go on; false
    // when no console run is going on.
    bool togglePause();
    // Lets the word the paused run waits before run; false when none waits.
    bool step();
    // The next console run starts paused before its first word.
    void pauseAtStart() { fPauseAtStart = true; }

private:
    void beforeWord(forth::Interp& in, const forth::WordSpan& list, const forth::Token& word);
    void wait(std::string_view word);
    void updateStepping();

    AppState& fState;
    Host fHost;
    RunSpeed fSpeed = RunSpeed::Full;
    bool fInRun = false;
    bool fPaused = false;
    bool fPauseAtStart = false;
    bool fWaiting = false;    // paused before a word
    bool fStepAsked = false;  // the key to run it came
    std::string fScript;
    // The line last seen, the depth its own words run at, and where its
    // words are.
    std::size_t fLine = 0;
    bool fLineSeen = false;
    int fLineDepth = 0;
    std::vector<CharRange> fPlaces;
};

}  // namespace app
