// What pintaro's command line asks for, read before GTK is loaded so that
// the help and the version need no display: the window, with a file to open
// in it first or none, or a text to print.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

namespace app {

struct StartOptions {
    enum class Action { Run, Help, Version };
    Action action = Action::Run;
    std::optional<std::string> file;  // opened once the window shows
};

// A command line pintaro cannot follow; the message names what is wrong.
struct StartUsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// "--help" (or "-h"), "--version", at most one FILE, "--" before a FILE
// that starts with "-". The first of --help and --version wins.
StartOptions parseStartOptions(int argc, const char* const* argv);

// What --help and --version print.
const char* startUsageText();
std::string versionText();

}  // namespace app
