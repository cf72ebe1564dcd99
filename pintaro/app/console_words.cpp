#include "console_words.h"

namespace app {

namespace {

using forth::Interp;

// One row of the registration table: a word, or the sigil when `sigil` is set.
struct ConsoleEntry {
    const char* name;
    char sigil;
    std::function<void(Interp&)> word;
    std::function<void(Interp&, std::string_view)> handler;
};

}  // namespace

void registerConsoleWords(Interp& in, const ConsoleHost& host) {
    // The console shows text as it comes; nothing waits to be flushed.
    in.setOutput({host.append, {}});

    const auto alert = host.alert;
    const auto confirm = host.confirm;
    const auto bye = host.bye;
    const ConsoleEntry table[] = {
        // ( -- ) shows the text buffer and waits for the user
        {"alert", 0, [alert](Interp& i) { alert(std::string(i.textBuffer())); }, {}},
        // ( -- n ) 1 for Yes, 2 for No, 0 when the box was closed
        {"confirm", 0,
         [confirm](Interp& i) {
             // The message is copied first: the box lets other handlers run,
             // and the answer is pushed only once the box has gone.
             const std::string message = i.textBuffer();
             i.push(static_cast<forth::Value>(confirm(message)));
         },
         {}},
        // ( -- ) the script goes on; the program leaves once it returns
        {"bye", 0, [bye](Interp&) { bye(); }, {}},
    };

    for (const auto& e : table) {
        if (e.sigil)
            in.defineSigil(e.sigil, e.handler);
        else
            in.defineWord(e.name, e.word);
    }
}

}  // namespace app
