// Non-interactive runs: files, -e texts and a script on standard input.
#include "runner.h"

#include <iostream>
#include <string>

#include "errors.h"
#include "drawing_script.h"
#include "line_runner.h"

namespace veskel {

std::string describeFailure(const std::exception& e, std::int64_t line) {
    return forth::errorText(e) + " at line " + std::to_string(line);
}

namespace {

// Runs one step; a failure propagates to the caller.
void runStep(forth::Interp& in, const Step& step, std::string& script) {
    const auto keep = [&script](std::string_view line) { script += turtle::scriptLine(line); };
    if (step.kind == Step::Kind::File) {
        if (step.arg == "-")
            forth::runLines(in, forth::streamLines(*in.in, "standard input"), keep);  // counted like a file
        else
            forth::runFile(in, step.arg, keep);
    } else {
        // One command line: it is line 1 of its own text.
        in.setLineCounter(1);
        keep(step.arg);
        in.runLine(step.arg);
    }
}

}  // namespace

int runPlan(forth::Interp& in, const std::vector<Step>& plan, std::ostream& err, std::string& script) {
    try {
        for (const Step& step : plan) runStep(in, step, script);
    } catch (const std::exception& e) {
        // What the script printed comes before the report.
        in.flushOutput();
        err << describeFailure(e, in.lineCounter()) << std::endl;
        return 1;
    }
    in.flushOutput();
    return 0;
}

int runScriptStream(forth::Interp& in, std::istream& stream, std::ostream& err, std::string& script) {
    std::istream* saved = in.in;
    in.in = &stream;
    int status = runPlan(in, {{Step::Kind::File, "-"}}, err, script);
    in.in = saved;
    return status;
}

}  // namespace veskel
