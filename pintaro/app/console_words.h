// The console's printing words, the ? sigil, and alert, confirm and bye:
// what a script prints goes to the console output instead of standard
// output, and scripts can ask the user through the program's boxes.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "interp.h"

namespace app {

// What the console words need from the program. Each callable is copied into
// the words, so the host may go before the interpreter does.
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

// Registers .s words aliases sigils buffer, the ? sigil, . space .. cr (all
// replacing the core versions) and the new alert confirm bye, in that order.
void registerConsoleWords(forth::Interp& in, const ConsoleHost& host);

// The two lines start-up prints into a fresh console: the greeting, then
// how many words and sigils the interpreter holds right now.
std::string consoleGreeting();
std::string consoleCounts(const forth::Interp& in);

}  // namespace app
