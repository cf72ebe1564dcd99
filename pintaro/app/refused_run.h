// A run refused because another goes on: the command line's, the
// console's, an undo or a dropped file all say so the same way.
#pragma once

#include "run_guard.h"
#include "status_line.h"

namespace app {

// Shows kBusyNote in the status label until the run in progress ends, then
// puts back the message before it (unless another message came meanwhile).
void noteRefusedRun(StatusLine& status, RunGuard& runs);

}  // namespace app
