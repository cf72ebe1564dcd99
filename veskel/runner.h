// Running a plan, a script on standard input, or the interactive prompt.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "forth/interp.h"
#include "options.h"

namespace veskel {

// Each of these adds every line that runs to `script` (turtle::scriptLine),
// the drawing's script that a saved PNG keeps. A plan or stream leaves in it
// what the PNG keeps: the lines themselves, or, past the length a picture
// keeps, only the note that turtle::scriptToKeep would make of them.

// Runs every step in order; the first error is reported on err with its
// position (forth::describeFailure), and so is a construct left open at the
// end (forth::requireClosed). Returns the exit status: 0 for a clean run,
// 1 after an error.
int runPlan(forth::Interp& in, const std::vector<Step>& plan, std::ostream& err, std::string& script);

// Runs a stream as a script, line by line, as an included file.
int runScriptStream(forth::Interp& in, std::istream& stream, std::ostream& err, std::string& script);

// The prompt on a terminal: each line runs as one command line; errors are
// reported and the session goes on. Returns the exit status.
int runInteractive(forth::Interp& in, std::string& script);

}  // namespace veskel
