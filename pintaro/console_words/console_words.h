// The console's side of the interpreter: what a script prints goes to the
// console output (the core printing words write through the interpreter's
// sink, which the console takes over), and alert, confirm and bye let
// scripts ask the user through the program's boxes.
//
// The program's windows reach these words only through ConsoleHost, so this
// library sits below the app and knows no widgets: the word reference lists
// the console words from the same table that registers them.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "forth/interp.h"
#include "forth/word_doc.h"

namespace console_words {

// What the console words need from the program. The host is copied into the
// interpreter, so the original may go before the interpreter does.
struct ConsoleHost {
    // Adds text at the end of the console output.
    std::function<void(std::string_view text)> append;
    // Shows the message with "The turtle says:" and returns when dismissed.
    std::function<void(const std::string& message)> alert;
    // Asks "Yes" / "No" under "The turtle asks:"; 1, 2, or 0 when closed.
    std::function<int(const std::string& message)> confirm;
    // Asks the event loop to end once the running handler returns.
    std::function<void()> bye;
};

// Points the interpreter's output at the console, so that the core printing
// words (.s words aliases sigils buffer ? . space .. cr) print there, and
// registers alert, confirm and bye in that order.
void registerConsoleWords(forth::Interp& in, const ConsoleHost& host);

// alert, confirm and bye, in registration order.
std::span<const forth::DocumentedEntry> consoleWordDocs();

}  // namespace console_words
