#include "ui.h"

#include "toolkit/application.h"
#include "drop_open.h"
#include "file_commands.h"

namespace app {

// What the first paint does not need, in the order start-up always built it.
struct Ui::Rest {
    ResizeDialog resize;
    ConsoleWindow console;
    EditorTools editorTools;

    Rest(AppState& state, MainWindow& main)
        : resize([&state, &main](int width, int height) { resizeCommand(state, main, width, height); }),
          editorTools(console, state, main) {}
};

Ui::Ui(AppState& state)
    : fState(state), fBuildRest(main.window, [this] { rest(); }) {
    attachMainWindowHandlers(main, state, [this]() -> ResizeDialog& { return resize(); });
}

Ui::~Ui() = default;

ResizeDialog& Ui::resize() { return rest().resize; }
ConsoleWindow& Ui::console() { return rest().console; }
EditorTools& Ui::editorTools() { return rest().editorTools; }

Ui::Rest& Ui::rest() {
    if (fRest) return *fRest;
    AppState& state = fState;
    fRest = std::make_unique<Rest>(state, main);
    Rest& r = *fRest;
    registerConsole(r.console, state, main);
    attachConsoleHandlers(r.console, state, main);
    attachDropToOpen(r.console, state, main);
    // A breath of a running script: what it printed shows, the drawing view
    // repaints, and clicks and keys (Escape among them) are handled.
    state.runs.setBreathe([this, &r] {
        r.console.flushOutput();
        main.view.forceRedraw();
        r.editorTools.refreshInspector(false);
        toolkit::Application::current().sleep(0);
    });
    return r;
}

void Ui::show() {
    // Focus first: showing lets the toolkit handle pending events, and a key
    // that arrives as soon as the window is on the screen must find the
    // command line, not the toolbar.
    main.commandLine.focus();
    main.window.show();
}

}  // namespace app
