// The main window: toolbar with the file commands and the status label, the
// drawing view, and the command line under it; the title rule and the
// question before an unsaved drawing is given up. Its handlers and
// shortcuts are main_window_handlers.h.
#pragma once

#include <string>
#include <string_view>

#include "about.h"
#include "app_state.h"
#include "toolkit/application.h"
#include "toolkit/button.h"
#include "toolkit/control.h"
#include "toolkit/label.h"
#include "toolkit/layout_container.h"
#include "status_line.h"
#include "toolkit/text_box.h"
#include "toolkit/window.h"

namespace app {

struct MainWindow {
    // The application the window belongs to: its keys held, its alerts, its quit.
    toolkit::Application& app;
    // The window first: it goes last, after the controls it shows.
    toolkit::Window window;
    toolkit::LayoutContainer root{toolkit::Layout_Vertical};
    toolkit::LayoutContainer toolbar{toolkit::Layout_Horizontal};
    toolkit::Button newButton{"New"};
    toolkit::Button openButton{"Open"};
    toolkit::Button saveButton{"Save"};
    toolkit::Button resizeButton{"Resize"};
    toolkit::Button consoleButton{"Console"};
    StatusLine status{kWelcomeText};
    toolkit::Button aboutButton{"About"};
    toolkit::Control view;
    toolkit::TextBox commandLine;

    // Builds the window and its layout, hidden and without handlers.
    explicit MainWindow(toolkit::Application& app);

    // Shows a message in an alert box titled "Pintaro" over this window.
    void alert(const std::string& message);
};

// True when the drawing may be given up: it has no unsaved changes, or the
// user answered the question with its first button.
bool mayDiscardDrawing(MainWindow& w, AppState& state, const std::string& question, const std::string& go,
                       const std::string& keep);

// A path's last part, the file's name with its extension.
std::string fileNameOf(std::string_view path);

// "Pintaro" for no file, otherwise the file's name with its extension
// followed by " | Pintaro".
std::string windowTitleFor(std::string_view path);

}  // namespace app
