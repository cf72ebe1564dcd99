// pintaro: a drawing program with a turtle steered by Veskel Forth.
#include "app_state.h"
#include "application.h"
#include "file_commands.h"
#include "gtk_loader.h"
#include "main_window.h"
#include "resize_dialog.h"

int main() {
    // GTK first: without it nothing below can run, and the loader explains why.
    toolkit::loadGtkOrExit();

    // The interpreter and the turtle exist before any window.
    app::AppState state;

    toolkit::Application application;
    application.init();

    app::MainWindow mainWindow;
    app::ResizeDialog resizeDialog([&](int width, int height) {
        app::resizeCommand(state, mainWindow, width, height);
    });
    app::attachMainWindowHandlers(mainWindow, state, resizeDialog);

    mainWindow.window.show();
    mainWindow.commandLine.focus();
    application.run();
    return 0;
}
