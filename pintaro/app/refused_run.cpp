#include "refused_run.h"

#include <string>

namespace app {

void noteRefusedRun(StatusLine& status, RunGuard& runs) {
    const std::string before = status.message();
    status.setMessage(kBusyNote);
    runs.afterRun([&status, before] {
        if (status.message() == kBusyNote) status.setMessage(before);
    });
}

}  // namespace app
