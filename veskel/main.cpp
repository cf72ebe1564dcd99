// veskel: Veskel Forth without a window.
#include <unistd.h>

#include <iostream>

#include "interp.h"
#include "options.h"
#include "runner.h"

int main(int argc, char** argv) {
    veskel::Options opts;
    try {
        opts = veskel::parseOptions(argc, argv);
    } catch (const veskel::UsageError& e) {
        std::cerr << "veskel: " << e.what() << "\nTry 'veskel --help' for more information.\n";
        return 2;
    }
    if (opts.help) {
        std::cout << veskel::usageText();
        return 0;
    }

    auto in = forth::makeCoreInterp();
    int status;
    if (!opts.plan.empty())
        status = veskel::runPlan(*in, opts.plan, std::cerr);
    else if (isatty(STDIN_FILENO))
        status = veskel::runInteractive(*in);
    else
        status = veskel::runScriptStream(*in, std::cin, std::cerr);

    // Output lost on a full disk or a closed pipe must not pass as success.
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "veskel: cannot write standard output\n";
        return 1;
    }
    return status;
}
