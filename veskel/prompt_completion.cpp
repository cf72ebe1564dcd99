#include "prompt_completion.h"

#include <cstdlib>
#include <cstring>

#include <readline/readline.h>

#include "reference/word_help.h"

namespace veskel {

namespace {

// What readline's hooks need between calls; see CompletionScope.
struct Completion {
    const forth::Interp* in = nullptr;
    std::vector<std::string> candidates;
    std::size_t next = 0;
};
Completion gCompletion;

// Readline asks for one candidate at a time, state 0 starting afresh.
char* nextCandidate(const char*, int state) {
    if (state == 0) gCompletion.next = 0;
    if (gCompletion.next >= gCompletion.candidates.size()) return nullptr;
    // Readline frees what it is given with free().
    return strdup(gCompletion.candidates[gCompletion.next++].c_str());
}

char** complete(const char* text, int, int) {
    // Nothing else is offered, file names in particular.
    rl_attempted_completion_over = 1;
    // No exception may cross into readline: a failure offers nothing.
    try {
        gCompletion.candidates = completionsFor(*gCompletion.in, text);
    } catch (...) {
        return nullptr;
    }
    return rl_completion_matches(text, nextCandidate);
}

}  // namespace

// The same candidates as pintaro's editors offer.
std::vector<std::string> completionsFor(const forth::Interp& in, std::string_view partial) {
    return reference::completionsFor(in, partial);
}

CompletionScope::CompletionScope(const forth::Interp& in) {
    gCompletion.in = &in;
    // Words are separated by white space only: "<=", "2dup" and "$x" are
    // whole words, not a word after a separator.
    rl_completer_word_break_characters = " \t\n";
    rl_attempted_completion_function = complete;
}

CompletionScope::~CompletionScope() {
    rl_attempted_completion_function = nullptr;
    gCompletion = {};
}

}  // namespace veskel
