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
    if (!opts.plan.empty()) return veskel::runPlan(*in, opts.plan, std::cerr);
    if (isatty(STDIN_FILENO)) return veskel::runInteractive(*in);
    return veskel::runScriptStream(*in, std::cin, std::cerr);
}
