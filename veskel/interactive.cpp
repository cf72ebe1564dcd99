// The interactive prompt, with line editing, completion and a history kept
// across sessions, from GNU readline.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string_view>

#include <readline/history.h>
#include <readline/readline.h>

#include "forth/banner.h"
#include "turtle/drawing_script.h"
#include "prompt_completion.h"
#include "error_hint.h"
#include "forth/errors.h"
#include "history_file.h"
#include "forth/line_runner.h"
#include "runner.h"

namespace veskel {

namespace {

struct FreeLine {
    void operator()(char* p) const { std::free(p); }
};

volatile std::sig_atomic_t gInterrupted = 0;

void onInterrupt(int) { gInterrupted = 1; }

// How the session is left, in the banner and beside the error of a word
// that other Forths leave with.
constexpr const char* kLeaveHint = "End the session with Control+D.";
constexpr std::string_view kLeavingWords[] = {"bye", "quit", "exit"};

bool isLeavingWordError(const std::string& message) {
    for (const std::string_view word : kLeavingWords)
        if (message == "invalid float: " + std::string(word)) return true;
    return false;
}

// The session as readline's hook sees it (the hook takes no context).
struct Session {
    forth::Interp& in;
    std::string& script;
    std::size_t constructStart = 0;  // where the open construct's first line is in the script
};
Session* gSession = nullptr;

// Control+C inside an unfinished block, text, comment or definition drops
// it too, says so, and brings the first prompt back. Its lines stay in the
// script as comments, so that a replay does not collect what followed.
void dropOpenConstruct(Session& s) {
    std::cerr << "unclosed " << forth::openConstruct(s.in) << " dropped with Control+C (no " << s.in.terminator()
              << " was typed)" << std::endl;
    s.in.setTerminator("");
    s.in.clearCompileBuffer();
    for (std::size_t at = s.constructStart; at < s.script.size();) {
        s.script.insert(at, "\\ Dropped with Control+C: ");
        const std::size_t end = s.script.find('\n', at);
        if (end == std::string::npos) break;
        at = end + 1;
    }
    rl_set_prompt("> ");
}

// Control+C at the prompt drops the line being typed.
int dropLineOnInterrupt() {
    if (gInterrupted) {
        gInterrupted = 0;
        rl_replace_line("", 0);
        rl_crlf();
        if (gSession && gSession->in.collecting()) dropOpenConstruct(*gSession);
        rl_on_new_line();
        rl_redisplay();
    }
    return 0;
}

}  // namespace

int runInteractive(forth::Interp& in, std::string& script) {
    std::cout << forth::kGreeting << '\n'
              << forth::dictionaryCounts(in) << '\n'
              << kLeaveHint << '\n';
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

    Session session{in, script};
    gSession = &session;
    struct Forget {
        ~Forget() { gSession = nullptr; }
    } forget;
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
        if (!in.collecting()) session.constructStart = kept;
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
            if (isLeavingWordError(message))
                std::cerr << kLeaveHint << std::endl;
            else
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
