#include "ui.h"

#include "file_commands.h"

namespace app {

Ui::Ui(AppState& state)
    : resize([this, &state](int width, int height) { resizeCommand(state, main, width, height); }) {
    attachMainWindowHandlers(main, state, resize);
}

void Ui::show() {
    main.window.show();
    main.commandLine.focus();
}

}  // namespace app
