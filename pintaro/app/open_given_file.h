// A file handed to the program rather than chosen in one of its dialogs:
// named on its command line, or dropped on a window. A Veskel script goes
// into the console's editor and the console shows, as "Load..." does;
// anything else opens as a picture, as Open does. A file that cannot be
// read gets the alert of that command. Nothing is asked first: a caller
// that could lose an unsaved drawing asks before.
#pragma once

#include <string>
#include <string_view>

#include "app_state.h"
#include "console_window.h"
#include "main_window.h"

namespace app {

// A Veskel script by its name: the extension ".fs", in any case.
bool isScriptFile(std::string_view path);

void openGivenFile(AppState& state, MainWindow& w, ConsoleWindow& c, const std::string& path);

}  // namespace app
