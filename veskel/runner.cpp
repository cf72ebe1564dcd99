// Non-interactive runs: files, -e texts and a script on standard input.
#include "runner.h"

#include <iostream>
#include <string>

#include "error_hint.h"
#include "forth/errors.h"
#include "forth/line_runner.h"
#include "forth/utf8_text.h"
#include "turtle/drawing_script.h"
#include "turtle/turtle_limits.h"

namespace veskel {

namespace {

// The drawing's script while a plan runs. Once it grows past what a picture
// keeps, only the picture's note about it is kept (its first line and
// whether all of it is UTF-8 text) with the last line for the hint: a run of
// a million lines would otherwise hold a copy of each, twice over while the
// string grows, for a chunk that keeps none of them.
class GrowingScript {
public:
    explicit GrowingScript(std::string& script) : script_(script) {}

    void add(std::string_view line) {
        std::string kept = turtle::scriptLine(line);
        if (!over_) {
            if (script_.size() + kept.size() <= turtle::limits::kMaxScriptBytes) {
                script_ += kept;
                return;
            }
            over_ = true;
            const std::string_view all = script_.empty() ? std::string_view(kept) : std::string_view(script_);
            firstLine_ = all.substr(0, all.find('\n'));
            text_ = forth::isUtf8Text(script_);
            std::string().swap(script_);
        }
        // Lines end at a newline, so the whole is UTF-8 text exactly when each is.
        text_ = text_ && forth::isUtf8Text(kept);
        last_ = std::move(kept);
    }

    std::string_view lastLine() const { return lastScriptLine(over_ ? last_ : script_); }

    // Leaves in the caller's string what the picture keeps of the script.
    void finish() {
        if (over_) script_ = turtle::scriptNotKept(firstLine_, text_);
    }

private:
    std::string& script_;
    bool over_ = false;
    std::string firstLine_;
    bool text_ = true;
    std::string last_;
};

// Runs one step; a failure propagates to the caller.
void runStep(forth::Interp& in, const Step& step, GrowingScript& script) {
    const auto keep = [&script](std::string_view line) { script.add(line); };
    if (step.kind == Step::Kind::File) {
        if (step.arg == "-")
            forth::runLines(in, forth::streamLines(in.input(), "standard input"), keep);  // counted like a file
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
    GrowingScript growing(script);
    try {
        for (const Step& step : plan) runStep(in, step, growing);
        // A definition or block still open at the end would be lost work
        // passed off as a finished drawing.
        forth::requireClosed(in);
    } catch (const std::exception& e) {
        // What the script printed comes before the report.
        in.flushOutput();
        err << forth::describeFailure(e, in) << std::endl;
        // A line of an included file is not in the script.
        writeHint(err, in, forth::errorText(e), in.position().file.empty() ? growing.lastLine() : "");
        growing.finish();
        return 1;
    }
    growing.finish();
    in.flushOutput();
    return 0;
}

int runScriptStream(forth::Interp& in, std::istream& stream, std::ostream& err, std::string& script) {
    const forth::Interp::ScopedInput reading(in, stream);
    return runPlan(in, {{Step::Kind::File, "-"}}, err, script);
}

}  // namespace veskel
