// The commands for writing scripts: help on the word under the cursor,
// completion, saving the script. One table gives each its label, its
// shortcut and where it applies; the key handling, the right-click menus
// of the drawing view and the script editor, and the lists in the manual
// and docs/console.md all come from it.
#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "toolkit/events.h"
#include "toolkit/key_codes.h"
#include "toolkit/popup_menu.h"
#include "run_stepper.h"

namespace app {

struct AppState;
struct ConsoleWindow;
struct ExamplesWindow;
struct InspectorWindow;
struct MainWindow;
class EditorTools;

// Where a command works on: the main window's command line (the drawing
// view's menu too) or the console's script editor.
enum class Editor { CommandLine, Script };

struct EditorCommand {
    std::string_view label;  // the menu's text
    std::string_view keys;   // the shortcut as the menu and the docs name it
    toolkit::KeyCode key;
    bool leftControl;  // only with the left Control key held, like every shortcut
    bool shift;        // Shift held (letters arrive upper-case either way)
    bool onCommandLine;
    bool onScript;
    void (*action)(EditorTools&, Editor);
};

std::span<const EditorCommand> editorCommands();

// What the commands work with: the windows, the right-click menus made
// from the table, and the Examples window once it was asked for. Built
// once the windows and their handlers are; it hands the keys of the
// command line and the script editor to the table.
class EditorTools {
public:
    EditorTools(ConsoleWindow& c, AppState& state, MainWindow& w);
    ~EditorTools();

    ConsoleWindow& console;
    AppState& state;
    MainWindow& main;

    // Runs the command whose shortcut the key is, for that editor; true
    // (and the key handled) when there is one.
    bool runShortcut(toolkit::KeyEvent& e, Editor where);
    // Shows the Examples window, made the first time.
    void showExamples();
    // Shows the Inspector, made the first time; refreshes it (see
    // InspectorWindow::refresh) while it is shown.
    void showInspector();
    void refreshInspector(bool always);
    // The console run's speed, pause and single steps.
    RunStepper stepper;

private:
    toolkit::PopupMenu fViewMenu;
    toolkit::PopupMenu fScriptMenu;
    std::unique_ptr<ExamplesWindow> fExamples;
    std::unique_ptr<InspectorWindow> fInspector;
};

}  // namespace app
