// Non-interactive runs: files, -e texts and a script on standard input.
#include "runner.h"

#include <iostream>
#include <string>

namespace veskel {

std::string describeFailure(const std::exception& e, std::int64_t line) {
    return std::string(e.what()) + " at line " + std::to_string(line);
}

namespace {

// Runs one step; a failure propagates to the caller.
void runStep(forth::Interp& in, const Step& step) {
    if (step.kind == Step::Kind::File) {
        if (step.arg == "-") {
            // A script on standard input, counted like a file.
            in.setLineCounter(1);
            std::string line;
            while (std::getline(*in.in, line)) {
                if (!line.empty() && line.back() == '\r') line.pop_back();
                in.runLine(line);
                in.setLineCounter(in.lineCounter() + 1);
            }
        } else {
            in.runScriptFile(step.arg);
        }
    } else {
        // One command line: it is line 1 of its own text.
        in.setLineCounter(1);
        in.runLine(step.arg);
    }
}

// Keeps the order of what the script printed and the error report.
int report(forth::Interp& in, const std::exception& e, std::ostream& err) {
    in.out->flush();
    err << describeFailure(e, in.lineCounter()) << std::endl;
    return 1;
}

}  // namespace

int runPlan(forth::Interp& in, const std::vector<Step>& plan, std::ostream& err) {
    try {
        for (const Step& step : plan) runStep(in, step);
    } catch (const std::exception& e) {
        return report(in, e, err);
    }
    in.out->flush();
    return 0;
}

int runScriptStream(forth::Interp& in, std::istream& script, std::ostream& err) {
    std::istream* saved = in.in;
    in.in = &script;
    int status = runPlan(in, {{Step::Kind::File, "-"}}, err);
    in.in = saved;
    return status;
}

}  // namespace veskel
