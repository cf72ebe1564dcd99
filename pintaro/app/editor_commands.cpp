#include "editor_commands.h"

#include <algorithm>
#include <vector>

#include "app_limits.h"
#include "toolkit/application.h"
#include "console_window.h"
#include "examples_window.h"
#include "state_window.h"
#include "main_window.h"
#include "script_keeping.h"
#include "reference/word_help.h"
#include "reference/word_hints.h"

namespace app {

using namespace toolkit;

namespace {

const reference::WordReference& wordReference() {
    static const reference::WordReference ref = reference::gatherWordReference();
    return ref;
}

struct EditorText {
    std::string text;
    int cursor;
    StatusLine& status;
};

EditorText editorText(ConsoleWindow& c, MainWindow& w, Editor where) {
    if (where == Editor::Script) return {c.editor.text(), c.editor.cursor(), c.status};
    return {w.commandLine.text(), w.commandLine.cursor(), w.status};
}

// F2: the help goes beside the script, into the console output (and its
// first line into the status label); for the command line, into the main
// window's status label.
void helpOnWord(EditorTools& t, Editor where) {
    ConsoleWindow& c = t.console;
    MainWindow& w = t.main;
    AppState& state = t.state;
    const EditorText e = editorText(c, w, where);
    const reference::WordSpan span = reference::wordAt(e.text, static_cast<std::size_t>(e.cursor));
    if (span.word.empty()) {
        e.status.setMessage("No word at the cursor.");
        return;
    }
    const reference::WordHelp help = reference::helpOn(state.interp, wordReference(), span.word);
    if (help.heading.empty()) {
        forth::Value number;
        const std::string hint = reference::unknownWordHint(state.interp, span.word);
        e.status.setMessage(forth::tryParseNumber(span.word, number) ? span.word + " is a number."
                                                                    : span.word + " is not a word. " + hint);
        return;
    }
    if (where == Editor::Script) {
        const std::string shown = c.output.text() + c.pendingOutput;
        if (!shown.empty() && shown.back() != '\n') c.append("\n");
        // The output does not wrap: the help is broken to its width.
        c.append(reference::wrapParagraph(help.heading, "", limits::kHelpColumns) +
                 reference::wrapParagraph(help.text, "    ", limits::kHelpColumns));
        c.flushOutput();
        e.status.setMessage(help.heading);
    } else {
        e.status.setMessage(help.heading + ": " + help.text);
    }
}

// Control+Space: the word before the cursor grows to the one word it can
// become, or to what all its candidates share, which the status label lists.
void completeWord(EditorTools& t, Editor where) {
    ConsoleWindow& c = t.console;
    MainWindow& w = t.main;
    AppState& state = t.state;
    const EditorText e = editorText(c, w, where);
    const reference::WordSpan span = reference::wordAt(e.text, static_cast<std::size_t>(e.cursor));
    // Only what stands before the cursor is completed: the word's
    // characters up to it.
    std::string partial;
    if (!span.word.empty()) {
        std::size_t bytes = 0;
        for (std::size_t chars = static_cast<std::size_t>(e.cursor) - span.start; bytes < span.word.size(); ++bytes)
            if ((static_cast<unsigned char>(span.word[bytes]) & 0xC0) != 0x80 && chars-- == 0) break;
        partial = span.word.substr(0, bytes);
    }
    if (partial.empty()) {
        e.status.setMessage("Type the start of a word first.");
        return;
    }
    const std::vector<std::string> candidates = reference::completionsFor(state.interp, partial);
    if (candidates.empty()) {
        e.status.setMessage("No word starts with " + partial + ".");
        return;
    }
    const std::string grown = candidates.size() == 1 ? candidates.front() : reference::commonStart(candidates);
    if (grown.size() > partial.size()) {
        const int start = static_cast<int>(span.start);
        if (where == Editor::Script)
            c.editor.replace(start, e.cursor, grown);
        else
            w.commandLine.replace(start, e.cursor, grown);
    }
    if (candidates.size() == 1) return;
    std::string list;
    for (std::size_t i = 0; i < candidates.size() && i < limits::kCompletionsShown; ++i)
        list += (i ? " " : "") + candidates[i];
    if (candidates.size() > limits::kCompletionsShown) list += " ...";
    e.status.setMessage(list);
}

void toggleLineNumbers(EditorTools& t, Editor) { t.console.editor.setLineNumbers(!t.console.editor.lineNumbers()); }
void saveScriptCommand(EditorTools& t, Editor) { saveScript(t.console, false); }
void saveScriptAsCommand(EditorTools& t, Editor) { saveScript(t.console, true); }
void examplesCommand(EditorTools& t, Editor) { t.showExamples(); }
void inspectorCommand(EditorTools& t, Editor) { t.showInspector(); }

// The speed of console runs, named in the status label where the key was typed.
template <RunSpeed speed>
void runSpeedCommand(EditorTools& t, Editor where) {
    static constexpr const char* kNames[] = {"full speed", "slowly", "more slowly", "word by word"};
    t.stepper.setSpeed(speed);
    StatusLine& status = where == Editor::Script ? t.console.status : t.main.status;
    if (status.message() != t.console.runNote || where != Editor::Script)
        status.setMessage(std::string("Console runs go ") + kNames[static_cast<int>(speed)] + ".");
}
void pauseCommand(EditorTools& t, Editor where) {
    if (!t.stepper.togglePause())
        (where == Editor::Script ? t.console.status : t.main.status).setMessage("No console run to pause.");
}
// The next word of a paused run; with none going on, a console run that
// waits before its first word.
void stepCommand(EditorTools& t, Editor) {
    if (t.stepper.step()) return;
    if (t.stepper.inRun()) {
        t.stepper.togglePause();
        return;
    }
    // While another run goes on, the console's run is refused as ever, and
    // the next one must not start paused for it.
    if (!t.state.runs.running()) t.stepper.pauseAtStart();
    t.console.show();
    runConsoleScript(t.console, t.state, t.main);
}

// The last word of a paused run taken back; the stepper says in the
// console's label when the way back is closed.
void stepBackCommand(EditorTools& t, Editor where) {
    if (!t.stepper.stepBack())
        (where == Editor::Script ? t.console.status : t.main.status).setMessage("No paused console run to step back in.");
}

constexpr EditorCommand kEditorCommands[] = {
    {"Help on the word", "F2", Key_F2, false, false, true, true, helpOnWord},
    {"Complete the word", "Control+Space", Key_Space, true, false, true, true, completeWord},
    {"Save script", "Control+S", Key_S, true, false, false, true, saveScriptCommand},
    {"Save script as...", "Control+Shift+S", Key_S, true, true, false, true, saveScriptAsCommand},
    {"Line numbers", "Control+Shift+L", Key_L, true, true, false, true, toggleLineNumbers},
    {"Examples...", "Control+E", Key_E, true, false, true, true, examplesCommand},
    {"Run at full speed", "Control+1", Key_Number1, true, false, true, true, runSpeedCommand<RunSpeed::Full>},
    {"Run slowly", "Control+2", Key_Number2, true, false, true, true, runSpeedCommand<RunSpeed::Slow>},
    {"Run more slowly", "Control+3", Key_Number3, true, false, true, true, runSpeedCommand<RunSpeed::Slower>},
    {"Run word by word", "Control+4", Key_Number4, true, false, true, true, runSpeedCommand<RunSpeed::Step>},
    {"Pause or go on", "F6", Key_F6, false, false, true, true, pauseCommand},
    {"Run the next word", "F7", Key_F7, false, false, true, true, stepCommand},
    {"Take the last step back", "F8", Key_F8, false, false, true, true, stepBackCommand},
    {"Inspector...", "Control+I", Key_I, true, false, true, true, inspectorCommand},
};

bool appliesTo(const EditorCommand& command, Editor where) {
    return where == Editor::Script ? command.onScript : command.onCommandLine;
}

std::vector<MenuEntry> menuFor(Editor where, EditorTools& t) {
    std::vector<MenuEntry> entries;
    for (const EditorCommand& command : kEditorCommands)
        if (appliesTo(command, where))
            entries.push_back({std::string(command.label) + " (" + std::string(command.keys) + ")",
                               [&t, &command, where] { command.action(t, where); }});
    return entries;
}

}  // namespace

std::span<const EditorCommand> editorCommands() { return kEditorCommands; }

bool EditorTools::runShortcut(KeyEvent& e, Editor where) {
    const Application& app = Application::current();
    const bool control = app.isDown(Key_ControlL);
    const bool shift = app.isDown(Key_ShiftL) || app.isDown(Key_ShiftR);
    for (const EditorCommand& command : kEditorCommands) {
        if (!appliesTo(command, where) || e.key != command.key) continue;
        if (command.leftControl != control || (command.leftControl && command.shift != shift)) continue;
        e.handled = true;
        command.action(*this, where);
        return true;
    }
    return false;
}

EditorTools::EditorTools(ConsoleWindow& c, AppState& s, MainWindow& w)
    : console(c), state(s), main(w),
      stepper(s, {[&c](CharRange r) { c.editor.select(static_cast<int>(r.start), static_cast<int>(r.end)); },
                  [this, &c, &w](bool) {
                      c.flushOutput();
                      w.view.forceRedraw();
                      // A slow run waits far longer than a refresh takes.
                      refreshInspector(true);
                  },
                  [&c](const std::string& note) { c.showRunNote(note); },
                  [&c] { return c.output.text().size() + c.pendingOutput.size(); },
                  [&c](std::size_t size) {
                      const std::string shown = c.output.text();
                      if (size >= shown.size()) {
                          c.pendingOutput.resize(std::min(c.pendingOutput.size(), size - shown.size()));
                          return;
                      }
                      c.pendingOutput.clear();
                      c.output.setText(shown.substr(0, size));
                      c.output.scrollToBottom();
                  }}),
      fViewMenu(menuFor(Editor::CommandLine, *this)),
      fScriptMenu(menuFor(Editor::Script, *this)) {
    c.editor.addToContextMenu(fScriptMenu);
    w.view.setOnMouseButtonDown([this](MouseEvent& e) {
        if (e.button == MouseButton_Right) fViewMenu.popUpAtPointer();
    });
    s.commandLineKeys = [this](KeyEvent& e) { return runShortcut(e, Editor::CommandLine); };
    s.scriptKeys = [this](KeyEvent& e) { return runShortcut(e, Editor::Script); };
    s.runConsoleText = [this](const std::string& script, const forth::LineObserver& observe) {
        return stepper.run(script, observe);
    };
    s.runs.setOnRunEnd([this] { refreshInspector(true); });
}

EditorTools::~EditorTools() {
    state.commandLineKeys = nullptr;
    state.scriptKeys = nullptr;
    state.runConsoleText = nullptr;
    state.runs.setOnRunEnd(nullptr);
}

void EditorTools::showExamples() {
    if (!fExamples) fExamples = std::make_unique<ExamplesWindow>(*this);
    fExamples->show();
}

void EditorTools::showInspector() {
    if (!fInspector) fInspector = std::make_unique<InspectorWindow>();
    fInspector->show();
    refreshInspector(true);
}

void EditorTools::refreshInspector(bool always) {
    if (fInspector) fInspector->refresh(state.interp, state.turtle, always);
}

}  // namespace app
