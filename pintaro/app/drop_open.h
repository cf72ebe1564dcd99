// Files dropped on the windows: a picture dropped on the main window or
// the console goes through Open (with its unsaved-drawing question), a
// script (.fs) through Load (with its unsaved-script question), as if
// chosen in their dialogs. Of several files, the first counts.
#pragma once

namespace app {

struct AppState;
struct ConsoleWindow;
struct MainWindow;

void attachDropToOpen(ConsoleWindow& c, AppState& state, MainWindow& w);

}  // namespace app
