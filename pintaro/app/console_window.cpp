#include "console_window.h"

#include <utility>

#include "app_limits.h"
#include "console_run.h"
#include "script_file.h"

namespace app {

using namespace toolkit;

ScriptKeeping::ScriptKeeping() { dialog.fTitle = "Save script"; }

ConsoleWindow::ConsoleWindow(Application& application) : app(application), window("Forth console") {
    window.setSize(limits::kConsoleWidth, limits::kConsoleHeight);

    root.setWidthMode(WidthMode_Fill);
    root.setHeightMode(HeightMode_Fill);
    buttonBar.setWidthMode(WidthMode_Fill);
    status.label.setWidthMode(WidthMode_Fill);
    status.label.setHeightMode(HeightMode_Fill);
    status.label.setTextAlign(XTextAlign_Center, YTextAlign_Center);
    textRow.setWidthMode(WidthMode_Fill);
    textRow.setHeightMode(HeightMode_Fill);
    editor.setWidthMode(WidthMode_Fill);
    editor.setHeightMode(HeightMode_Fill);
    output.setWidthMode(WidthMode_Fill);
    output.setHeightMode(HeightMode_Fill);
    output.setEditable(false);

    buttonBar.add(loadButton);
    buttonBar.add(runButton);
    buttonBar.add(clearButton);
    buttonBar.add(status.label);
    textRow.add(editor);
    textRow.add(output);
    root.add(buttonBar);
    root.add(textRow);
    window.add(root);
}

void ConsoleWindow::show() {
    // Focus first, so that keys typed as soon as the window shows go to the
    // editor (showing handles pending events).
    editor.focus();
    window.show();
}

void ConsoleWindow::flushOutput() {
    if (pendingOutput.empty()) return;
    // Moved out first: handing it over lets handlers run, and they may print.
    const std::string text = std::move(pendingOutput);
    pendingOutput.clear();
    output.addText(text);
    output.scrollToBottom();
}

void ConsoleWindow::showRunNote(const std::string& note) {
    runNote = note;
    status.setMessage(note);
}

void ConsoleWindow::selectLine(std::size_t index) {
    const std::string text = editor.text();
    const CharRange r = lineRange(text, index);
    editor.select(static_cast<int>(r.start), static_cast<int>(r.end));
}

bool ConsoleWindow::offerScript(const std::string& script) {
    if (!editor.text().empty()) return false;
    editor.setText(script);
    return true;
}

}  // namespace app
