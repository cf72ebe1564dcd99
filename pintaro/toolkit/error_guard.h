// No C++ exception may cross into GTK: every signal handler of the layer
// runs its code through guarded(), which hands an escaping error to the
// application's error handler or to the unhandled-error handler.
#pragma once

#include <exception>
#include <string>

namespace toolkit {

// The text the unhandled-error handler shows and prints for a message.
std::string unhandledErrorText(const std::string& message);

// Shows the text in an alert box titled "Error", writes
// "Error: unhandled exception: " and the text to standard output and ends
// the process with status 0.
[[noreturn]] void unhandledError(const std::string& message);

// Sends the message to the application's error handler, or to
// unhandledError when there is none (or the handler itself fails).
void reportEscapedError(const std::string& message);

template <class Body>
void guarded(Body&& body) noexcept {
    try {
        body();
    } catch (const std::exception& e) {
        reportEscapedError(e.what());
    } catch (...) {
        reportEscapedError("unknown error");
    }
}

}  // namespace toolkit
