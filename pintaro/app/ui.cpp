#include "ui.h"

#include <utility>

#include "console_handlers.h"
#include "drop_open.h"
#include "file_commands.h"
#include "main_window_handlers.h"

namespace app {

// What the first paint does not need, in the order start-up always built it.
struct Ui::Rest {
    ResizeDialog resize;
    ConsoleWindow console;
    EditorTools editorTools;

    Rest(AppState& state, toolkit::Application& app, MainWindow& main)
        : resize(app, [&state, &main](int width, int height) { resizeCommand(state, main, width, height); }),
          console(app),
          editorTools(console, state, main) {}
};

Ui::Ui(AppState& state, toolkit::Application& app)
    : main(app), state_(state), app_(app), buildRest_(main.window, [this] { rest(); }) {
    MainWindowLinks links;
    links.resize = [this]() -> ResizeDialog& { return resize(); };
    links.console = [this]() -> ConsoleWindow& { return console(); };
    links.editorKeys = [this](toolkit::KeyEvent& e) { return editorTools().runShortcut(e, Editor::CommandLine); };
    attachMainWindowHandlers(main, state, std::move(links));
}

Ui::~Ui() {
    // The runs outlive the windows their hooks show.
    state_.runs.setBreathe(nullptr);
    state_.runs.setOnRunEnd(nullptr);
}

ResizeDialog& Ui::resize() { return rest().resize; }
ConsoleWindow& Ui::console() { return rest().console; }
EditorTools& Ui::editorTools() { return rest().editorTools; }

Ui::Rest& Ui::rest() {
    if (rest_) return *rest_;
    AppState& state = state_;
    rest_ = std::make_unique<Rest>(state, app_, main);
    Rest& r = *rest_;
    registerConsole(r.console, state, main);
    attachConsoleHandlers(r.console, state, main, r.editorTools.stepper,
                          [&r](toolkit::KeyEvent& e) { return r.editorTools.runShortcut(e, Editor::Script); });
    attachDropToOpen(r.console, state, main);
    // A breath of a running script: what it printed shows, the drawing view
    // repaints, and clicks and keys (Escape among them) are handled.
    state.runs.setBreathe([this, &r] {
        r.console.flushOutput();
        main.view.forceRedraw();
        r.editorTools.refreshInspector(false);
        app_.sleep(0);
    });
    // A run's end shows in the Inspector, also when no step showed it.
    state.runs.setOnRunEnd([&r] { r.editorTools.refreshInspector(true); });
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
