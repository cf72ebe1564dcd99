// What a failed program test leaves behind to explain itself: at its first
// failure, a picture of the whole X screen as it was then and a copy of the
// program's standard error, both beside the test log, named after the test.
// The lines naming them follow gtest's own failure message in the log.
#pragma once

#include <string>

namespace driver {

// The folder the evidence goes to: $TEST_EVIDENCE_DIR when set (the soak
// gives each run its own), else the test log's folder in the build tree.
std::string evidenceFolder();

// From now on, the first failure of each test takes the evidence; the
// program's standard error is read from the file `programStderr` returns
// (empty while no program runs). Called once; later calls only replace
// where the standard error is read from.
void keepEvidenceOfFailures(std::string (*programStderr)());

}  // namespace driver
