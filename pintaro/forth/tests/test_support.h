// A core interpreter whose printing goes to a string, for the unit tests.
#pragma once

#include <sstream>
#include <string>

#include "forth/interp.h"

struct Forth {
    std::ostringstream out, err;
    std::istringstream input;
    std::unique_ptr<forth::Interp> in = forth::makeCoreInterp();

    Forth() {
        in->setOutput(forth::streamSink(out));
        in->err = &err;
        in->in = &input;
    }
    // Runs one line and returns what it printed.
    std::string run(std::string_view line) {
        out.str("");
        in->runLine(line);
        return out.str();
    }
    std::vector<double> stack() const { return in->stack(); }
};
