#include "script_run.h"

#include <exception>
#include <new>

#include "errors.h"

namespace app {

std::optional<std::string> runUserText(forth::Interp& in, std::string_view text) {
    try {
        in.runWords(forth::splitWords(text));
        return std::nullopt;
    } catch (const forth::StackUnderflow&) {
        return std::string("Stack underflow");
    } catch (const std::bad_alloc&) {
        // A word asked for more memory than there is (a huge stack or text);
        // the program stays usable once the run has unwound.
        return std::string("Out of memory.");
    } catch (const std::exception& e) {
        // Script errors, arithmetic faults and failures inside the toolkit
        // all carry their message; none of them may end the program.
        return std::string(e.what());
    }
}

}  // namespace app
