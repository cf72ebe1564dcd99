#include "script_run.h"

#include <exception>

#include "forth/errors.h"

namespace app {

std::optional<std::string> runUserText(forth::Interp& in, std::string_view text) {
    return failureOf([&] { in.runLine(text); });
}

std::optional<std::string> failureOf(const std::function<void()>& run) {
    try {
        run();
        return std::nullopt;
    } catch (const std::exception& e) {
        // Script errors, arithmetic faults, failures inside the toolkit and
        // a failed allocation all become a message; none may end the program.
        return forth::errorText(e);
    }
}

}  // namespace app
