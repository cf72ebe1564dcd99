// pintaro: a drawing program with a turtle steered by Veskel Forth.
#include <iostream>

#include "app_state.h"
#include "toolkit/application.h"
#include "toolkit/gtk_loader.h"
#include "open_given_file.h"
#include "start_options.h"
#include "ui.h"

int main(int argc, char** argv) {
    // Read before GTK: the help and the version need no display.
    app::StartOptions options;
    try {
        options = app::parseStartOptions(argc, argv);
    } catch (const app::StartUsageError& e) {
        std::cerr << "pintaro: " << e.what() << "\nTry 'pintaro --help' for more information.\n";
        return 2;
    }
    if (options.action != app::StartOptions::Action::Run) {
        std::cout << (options.action == app::StartOptions::Action::Help ? app::startUsageText()
                                                                          : app::versionText());
        std::cout.flush();
        return std::cout ? 0 : 1;
    }

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
    // Over the shown window, so that an alert for a file that cannot be read
    // has the drawing behind it, as after Open.
    if (options.file) app::openGivenFile(state, ui.main, ui.console(), *options.file);
    application.run();
    return 0;
}
