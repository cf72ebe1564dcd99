// Files dropped on the windows: a picture dropped on the main window or
// the console goes through Open (with its unsaved-drawing question), a
// script (.fs) through Load (with its unsaved-script question), as if
// chosen in their dialogs. Of several files, the first counts.
#pragma once

#include <string>

namespace app {

struct AppState;
struct ConsoleWindow;
struct MainWindow;

// A script goes to the console, anything else is taken for a picture.
bool isScriptFile(const std::string& path);

void attachDropToOpen(ConsoleWindow& c, AppState& state, MainWindow& w);

}  // namespace app
