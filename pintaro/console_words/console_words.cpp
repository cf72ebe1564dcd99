#include "console_words.h"

#include <array>
#include <memory>

namespace console_words {

namespace {

using forth::Interp;

// The messages are copies: a box lets other handlers run, which may change
// the text buffer while the box still shows it.
void alert(Interp& in, const ConsoleHost& host) { host.alert(std::string(in.textBuffer())); }

// The answer is pushed only once the box has gone.
void confirm(Interp& in, const ConsoleHost& host) {
    const std::string message = in.textBuffer();
    in.push(static_cast<forth::Value>(host.confirm(message)));
}

// The script goes on; the program leaves once the running handler returns.
void bye(Interp&, const ConsoleHost& host) { host.bye(); }

// One row of the registration table: the word, and what the reference says.
struct ConsoleEntry {
    std::string_view name;
    void (*word)(Interp&, const ConsoleHost&);
    forth::WordDoc doc;
};

constexpr ConsoleEntry kConsoleWords[] = {
    {"alert", alert, {"console", "( -- )", "Show the text in a message box and wait until it is closed."}},
    {"confirm", confirm, {"console", "( -- n )", "Ask the text as a question: 1 for Yes, 2 for No, 0 if closed."}},
    {"bye", bye, {"console", "( -- )", "Close pintaro once the running script or command has ended."}},
};

constexpr auto kConsoleDocs = [] {
    std::array<forth::DocumentedEntry, std::size(kConsoleWords)> docs{};
    for (std::size_t i = 0; i < docs.size(); ++i)
        docs[i] = {forth::DocumentedEntry::Kind::Word, kConsoleWords[i].name, &kConsoleWords[i].doc, {}};
    return docs;
}();

}  // namespace

void registerConsoleWords(Interp& in, const ConsoleHost& host) {
    // The console shows text as it comes; nothing waits to be flushed.
    in.setOutput({host.append, {}});

    const auto shared = std::make_shared<const ConsoleHost>(host);
    for (const ConsoleEntry& e : kConsoleWords)
        in.defineWord(e.name, [shared, word = e.word](Interp& i) { word(i, *shared); });
}

std::span<const forth::DocumentedEntry> consoleWordDocs() { return kConsoleDocs; }

}  // namespace console_words
