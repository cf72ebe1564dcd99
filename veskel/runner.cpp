// Non-interactive runs: files, -e texts and a script on standard input.
#include "runner.h"

#include <iostream>
#include <string>

#include "error_hint.h"
#include "forth/errors.h"
#include "turtle/drawing_script.h"
#include "forth/line_runner.h"

namespace veskel {

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
        keep(step.arg);
        const std::vector<std::string_view> lines{step.arg};
        std::size_t taken = 0;
        forth::runLines(in, forth::listLines(lines, taken));
    }
}

}  // namespace

int runPlan(forth::Interp& in, const std::vector<Step>& plan, std::ostream& err, std::string& script) {
    try {
        for (const Step& step : plan) runStep(in, step, script);
        // A definition or block still open at the end would be lost work
        // passed off as a finished drawing.
        forth::requireClosed(in);
    } catch (const std::exception& e) {
        // What the script printed comes before the report.
        in.flushOutput();
        err << forth::describeFailure(e, in) << std::endl;
        // A line of an included file is not in the script.
        writeHint(err, in, forth::errorText(e), in.position().file.empty() ? lastScriptLine(script) : "");
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
