// New, Open, Save and Resize as the user starts them: the file dialogs, the
// window title, the status label, the alerts and the repaint around the
// image operations of the turtle.
#pragma once

#include <string>

#include "app_state.h"
#include "main_window.h"

namespace app {

struct ConsoleWindow;

void newCommand(AppState& state, MainWindow& w);
// The opened picture's kept script is offered to `console`'s editor.
void openCommand(AppState& state, MainWindow& w, ConsoleWindow& console);
// Open without the dialog: the picture at `path` replaces the drawing (a
// failure leaves the black start image and shows the error), and its kept
// script is offered to the console.
void openPictureFile(AppState& state, MainWindow& w, ConsoleWindow& console, const std::string& path);
void saveCommand(AppState& state, MainWindow& w);
// Raises when the size cannot be made; the old image then stays.
void resizeCommand(AppState& state, MainWindow& w, int width, int height);

}  // namespace app
