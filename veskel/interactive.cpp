// The interactive prompt, with line editing, completion and a history kept
// across sessions, from GNU readline.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>

#include <readline/history.h>
#include <readline/readline.h>

#include "banner.h"
#include "drawing_script.h"
#include "prompt_completion.h"
#include "error_hint.h"
#include "errors.h"
#include "history_file.h"
#include "runner.h"

namespace veskel {

namespace {

struct FreeLine {
    void operator()(char* p) const { std::free(p); }
};

volatile std::sig_atomic_t gInterrupted = 0;

void onInterrupt(int) { gInterrupted = 1; }

// Control+C at the prompt drops the line being typed.
int dropLineOnInterrupt() {
    if (gInterrupted) {
        gInterrupted = 0;
        rl_replace_line("", 0);
        rl_crlf();
        rl_on_new_line();
        rl_redisplay();
    }
    return 0;
}

}  // namespace

int runInteractive(forth::Interp& in, std::string& script) {
    std::cout << forth::kGreeting << '\n'
              << forth::dictionaryCounts(in) << '\n'
              << "End the session with Control+D.\n";
    std::cout.flush();

    // Control+C stops a running line (through the interpreter's poll hook)
    // and brings the prompt back, instead of ending the session.
    struct sigaction sa {};
    sa.sa_handler = onInterrupt;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    rl_signal_event_hook = dropLineOnInterrupt;
    // Lets ~/.inputrc set keys for veskel alone ($if veskel).
    rl_readline_name = "veskel";
    const CompletionScope completion(in);
    HistoryFile history(historyPath(std::getenv("XDG_STATE_HOME"), std::getenv("HOME")), std::cerr);
    history.load();
    in.onPoll = [](forth::Interp&) {
        if (gInterrupted) {
            gInterrupted = 0;
            throw forth::ScriptError("Interrupted");
        }
    };

    for (;;) {
        const char* prompt = in.collecting() ? "... " : "> ";
        std::unique_ptr<char, FreeLine> line(readline(prompt));
        if (!line) break;
        if (*line) {
            add_history(line.get());
            history.append();
        }
        gInterrupted = 0;
        // Kept whether it fails or not: replay goes on after errors too.
        const std::size_t kept = script.size();
        script += turtle::scriptLine(line.get());
        try {
            in.runLine(line.get());
            // While a block or definition is still open, the next line
            // continues it; "ok" would suggest it was done.
            if (!in.collecting()) std::cout << " ok" << std::endl;
        } catch (const std::exception& e) {
            std::cout.flush();
            const std::string message = forth::errorText(e);
            std::cerr << message << std::endl;
            writeHint(std::cerr, in, message, in.position().file.empty() ? line.get() : "");
            // Stopped part-way, the line would not do the same again (it
            // might not even end): the script keeps it as a comment.
            if (message == "Interrupted") script.insert(kept, "\\ Stopped with Control+C: ");
        }
    }
    std::cout << std::endl;
    return 0;
}

}  // namespace veskel
