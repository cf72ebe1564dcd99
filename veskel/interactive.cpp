// The interactive prompt, with line editing and history from GNU readline.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>

#include <readline/history.h>
#include <readline/readline.h>

#include "runner.h"

namespace veskel {

namespace {

struct FreeLine {
    void operator()(char* p) const { std::free(p); }
};

}  // namespace

int runInteractive(forth::Interp& in) {
    std::cout << "Welcome to Veskel Forth 3.0 beta (2023-07-19)\n"
              << in.dictionarySize() << " words and " << in.sigilTableSize()
              << " sigils defined.\n"
              << "End the session with Control+D.\n";
    std::cout.flush();
    for (;;) {
        const char* prompt = in.collecting() ? "... " : "> ";
        std::unique_ptr<char, FreeLine> line(readline(prompt));
        if (!line) break;
        if (*line) add_history(line.get());
        try {
            in.runLine(line.get());
            // While a block or definition is still open, the next line
            // continues it; "ok" would suggest it was done.
            if (!in.collecting()) std::cout << " ok" << std::endl;
        } catch (const forth::Error& e) {
            std::cout.flush();
            std::cerr << e.what() << std::endl;
        } catch (const std::exception& e) {
            std::cout.flush();
            std::cerr << e.what() << std::endl;
        }
    }
    std::cout << std::endl;
    return 0;
}

}  // namespace veskel
