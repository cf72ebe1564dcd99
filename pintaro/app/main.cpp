// pintaro: a drawing program with a turtle steered by Veskel Forth.
#include "app_state.h"
#include "application.h"
#include "gtk_loader.h"
#include "ui.h"

int main() {
    // GTK first: without it nothing below can run, and the loader says why.
    toolkit::loadGtkOrExit();

    // The interpreter and the turtle exist before any window.
    app::AppState state;

    toolkit::Application application;
    // The id the desktop entry, the metainfo and the installed icon are named
    // after (set by the build), so desktops match the window to them.
    application.init(PINTARO_APP_ID);
    app::Ui ui(state);

    ui.show();
    application.run();
    return 0;
}
