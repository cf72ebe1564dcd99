#include "ui.h"

#include "application.h"
#include "drop_open.h"
#include "file_commands.h"

namespace app {

Ui::Ui(AppState& state)
    : resize([this, &state](int width, int height) { resizeCommand(state, main, width, height); }),
      editorTools(console, state, main) {
    registerConsole(console, state, main);
    attachMainWindowHandlers(main, state, resize);
    attachConsoleHandlers(console, state, main);
    attachDropToOpen(console, state, main);
    // A breath of a running script: what it printed shows, the drawing view
    // repaints, and clicks and keys (Escape among them) are handled.
    state.runs.setBreathe([this] {
        console.flushOutput();
        main.view.forceRedraw();
        editorTools.refreshInspector(false);
        toolkit::Application::current().sleep(0);
    });
}

void Ui::show() {
    // Focus first: showing lets the toolkit handle pending events, and a key
    // that arrives as soon as the window is on the screen must find the
    // command line, not the toolbar.
    main.commandLine.focus();
    main.window.show();
}

}  // namespace app
