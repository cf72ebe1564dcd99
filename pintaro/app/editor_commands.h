// The commands for writing scripts: help on the word under the cursor,
// completion, saving the script. One table gives each its label, its
// shortcut and where it applies; the key handling, the right-click menus
// of the drawing view and the script editor, and the lists in the manual
// and docs/console.md all come from it.
#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "events.h"
#include "key_codes.h"
#include "popup_menu.h"

namespace app {

struct AppState;
struct ConsoleWindow;
struct MainWindow;

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
    void (*action)(ConsoleWindow&, AppState&, MainWindow&, Editor);
};

std::span<const EditorCommand> editorCommands();

// Runs the command whose shortcut the key is, for that editor; true (and
// the key handled) when there is one.
bool runEditorShortcut(toolkit::KeyEvent& e, Editor where, ConsoleWindow& c, AppState& state, MainWindow& w);

// The right-click menus, made from the table, with the key handling of the
// command line; built once the windows and their handlers are.
class EditorMenus {
public:
    EditorMenus(ConsoleWindow& c, AppState& state, MainWindow& w);

private:
    toolkit::PopupMenu fViewMenu;
    toolkit::PopupMenu fScriptMenu;
};

}  // namespace app
