// Runs a script file on an interpreter with the core words only, the way
// veskel runs a file argument: what it prints on standard output, the first
// error as "MESSAGE at line N" on standard error and status 1. The
// language's golden scripts run through it, so that the words a front end
// adds (the turtle's, the console's) never change a test of the language.
#include <iostream>

#include "forth/interp.h"
#include "forth/line_runner.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: core_script FILE\n";
        return 2;
    }
    auto in = forth::makeCoreInterp();
    try {
        forth::runFile(*in, argv[1]);
        forth::requireClosed(*in);
    } catch (const std::exception& e) {
        in->flushOutput();
        std::cerr << forth::describeFailure(e, *in) << std::endl;
        return 1;
    }
    in->flushOutput();
    std::cout.flush();
    return std::cout ? 0 : 1;
}
