#include "error_guard.h"

#include <cstdio>
#include <cstdlib>

#include "application.h"

namespace toolkit {

std::string unhandledErrorText(const std::string& message) {
    return message + "\n\nNo stack traceback available\n";
}

void unhandledError(const std::string& message) {
    const std::string text = unhandledErrorText(message);
    if (Application* app = Application::currentOrNull()) {
        try {
            app->alertBox(nullptr, text, "Error");
        } catch (...) {
            // Nothing more can be shown; the line below still tells it.
        }
    }
    std::fputs(("Error: unhandled exception: " + text + "\n").c_str(), stdout);
    std::fflush(stdout);
    std::exit(0);
}

void reportEscapedError(const std::string& message) {
    Application* app = Application::currentOrNull();
    if (!app) unhandledError(message);
    try {
        app->reportError(message);
    } catch (const std::exception& e) {
        unhandledError(e.what());
    } catch (...) {
        unhandledError("unknown error");
    }
}

}  // namespace toolkit
