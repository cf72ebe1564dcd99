// Where an uncaught error happened, for the person who runs the script:
// the engine's own fatal message names neither the file nor the line.
#pragma once

#include <duktape.h>

// Prints the error at the top of the value stack on standard error as
//   FILE:LINE: NAME: MESSAGE
//       at FUNCTION (FILE:LINE)
//       ...
// (the engine's stack trace without its internal frames), or, for a thrown
// value that is no Error, "SOURCE: uncaught VALUE" with a note that it
// carries no place. `source` names the script that was running. Reading
// the error cannot run into the fatal handler: it is done in a protected
// call, and the value stays on the stack as it was.
void ostrin_report_error(duk_context* ctx, const char* source);
