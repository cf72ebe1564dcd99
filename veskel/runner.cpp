// Non-interactive runs: files, -e texts and a script on standard input.
#include "runner.h"

#include <iostream>
#include <string>

#include "errors.h"
#include "line_runner.h"

namespace veskel {

std::string describeFailure(const std::exception& e, std::int64_t line) {
    return forth::errorText(e) + " at line " + std::to_string(line);
}

namespace {

// Runs one step; a failure propagates to the caller.
void runStep(forth::Interp& in, const Step& step) {
    if (step.kind == Step::Kind::File) {
        if (step.arg == "-")
            forth::runLines(in, forth::streamLines(*in.in, "standard input"));  // counted like a file
        else
            forth::runFile(in, step.arg);
    } else {
        // One command line: it is line 1 of its own text.
        in.setLineCounter(1);
        in.runLine(step.arg);
    }
}

}  // namespace

int runPlan(forth::Interp& in, const std::vector<Step>& plan, std::ostream& err) {
    try {
        for (const Step& step : plan) runStep(in, step);
    } catch (const std::exception& e) {
        // What the script printed comes before the report.
        in.flushOutput();
        err << describeFailure(e, in.lineCounter()) << std::endl;
        return 1;
    }
    in.flushOutput();
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
