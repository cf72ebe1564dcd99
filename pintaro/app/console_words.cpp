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

// Names joined, each followed by one space, as the listing words print them.
template <class Names>
std::string listing(const Names& names) {
    std::string text;
    for (const auto& n : names) {
        text += n;
        text += ' ';
    }
    return text;
}

}  // namespace

void registerConsoleWords(Interp& in, const ConsoleHost& host) {
    const auto append = host.append;
    const auto alert = host.alert;
    const auto confirm = host.confirm;
    const auto bye = host.bye;

    const ConsoleEntry table[] = {
        // ( -- ) the stack bottom to top in the full format, as one line
        {".s", 0,
         [append](Interp& i) {
             std::string line;
             for (std::size_t k = 0; k < i.depth(); ++k) {
                 if (k) line += ' ';
                 line += forth::formatFull(i.stack()[k]);
             }
             append(line + '\n');
         },
         {}},
        // ( -- )
        {"words", 0, [append](Interp& i) { append(listing(i.dictionaryNames())); }, {}},
        // ( -- )
        {"aliases", 0, [append](Interp& i) { append(listing(i.aliasNames())); }, {}},
        // ( -- )
        {"sigils", 0,
         [append](Interp& i) {
             std::string text;
             for (char c : i.sigilChars()) text += {c, ' '};
             append(text);
         },
         {}},
        // ( -- ) the compile buffer as one line
        {"buffer", 0, [append](Interp& i) { append(forth::joinWords(i.compileBuffer()) + '\n'); }, {}},
        // ?name ( -- ) a word's definition as one line
        {nullptr, '?', {},
         [append](Interp& i, std::string_view name) {
             const forth::WordRecord& rec = i.lookupWord(name);  // "key not found: name"
             append((rec.kind == forth::WordKind::primWord ? std::string("(native code)")
                                                            : forth::joinWords(*rec.code)) +
                    '\n');
         }},
        // ( a -- )
        {".", 0, [append](Interp& i) { append(forth::formatShort(i.pop()) + ' '); }, {}},
        // ( -- )
        {"space", 0, [append](Interp&) { append(" "); }, {}},
        // ( -- ) the text buffer
        {"..", 0, [append](Interp& i) { append(i.textBuffer() + ' '); }, {}},
        // ( -- )
        {"cr", 0, [append](Interp&) { append("\n"); }, {}},
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

std::string consoleGreeting() { return "Welcome to Veskel Forth 3.0 beta (2023-07-19)"; }

std::string consoleCounts(const forth::Interp& in) {
    return std::to_string(in.dictionarySize()) + " words and " + std::to_string(in.sigilTableSize()) +
           " sigils defined.";
}

}  // namespace app
