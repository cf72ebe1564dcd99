#include "examples_window.h"

#include <exception>

#include "app_limits.h"
#include "toolkit/application.h"
#include "console_window.h"
#include "editor_commands.h"
#include "forth/errors.h"
#include "toolkit/gtk_loader.h"
#include "main_window.h"
#include "script_file.h"
#include "script_keeping.h"

namespace app {

using namespace toolkit;

ExamplesWindow::Cell::Cell(const Example& e) : button(e.name), line(e.line), example(e) {
    thumbnail.setSize(limits::kThumbnailWidth, limits::kThumbnailHeight);
    picture = std::make_unique<raster::Image>(gtkRaster());
    try {
        picture->loadFromFile(e.thumbnail.string());
    } catch (const std::exception&) {
        picture.reset();  // an example without its picture is still offered
    }
    column.add(button);
    column.add(line);
    box.add(thumbnail);
    box.add(column);
}

ExamplesWindow::ExamplesWindow(EditorTools& t) : tools(t), window("Examples"), note("") {
    window.setSize(limits::kExamplesWidth, limits::kExamplesHeight);
    root.setWidthMode(WidthMode_Fill);
    root.setHeightMode(HeightMode_Fill);
    const auto folder = findExamplesFolder(examplesFolderCandidates());
    const std::vector<Example> examples =
        folder.empty() ? std::vector<Example>{} : listExamples(folder, limits::kExampleLineLength);
    note.setText(examples.empty() ? "No examples were found." : "From " + folder.string());
    root.add(note);
    for (const Example& e : examples) {
        if (cells.size() % limits::kExamplesPerRow == 0) {
            rows.push_back(std::make_unique<LayoutContainer>(Layout_Horizontal));
            root.add(*rows.back());
        }
        cells.push_back(std::make_unique<Cell>(e));
        Cell& cell = *cells.back();
        cell.box.setWidthMode(WidthMode_Static);
        cell.box.setWidth(limits::kExamplesWidth / static_cast<int>(limits::kExamplesPerRow) - limits::kExamplesCellGap);
        rows.back()->add(cell.box);
        // Chosen, the window goes: the drawing view shows what the example draws.
        cell.button.setOnClick([this, &cell](ClickEvent&) {
            if (openExample(tools, cell.example)) window.hide();
        });
        cell.thumbnail.setOnMouseButtonDown([this, &cell](MouseEvent& m) {
            if (m.button == MouseButton_Left && openExample(tools, cell.example)) window.hide();
        });
        cell.thumbnail.setOnDraw([&cell](DrawEvent& d) {
            if (cell.picture)
                d.canvas->drawImage(*cell.picture, 0, 0, limits::kThumbnailWidth, limits::kThumbnailHeight);
        });
    }
    window.add(root);
    window.setOnCloseClick([this](CloseClickEvent&) { window.hide(); });
    window.setOnKeyDown([this](KeyEvent& e) {
        if (e.key == Key_Escape) {
            e.handled = true;
            window.hide();
        }
    });
}

ExamplesWindow::~ExamplesWindow() = default;

void ExamplesWindow::show() {
    if (!cells.empty()) cells.front()->button.focus();
    window.show();
}

bool openExample(EditorTools& t, const Example& example) {
    ConsoleWindow& c = t.console;
    if (!mayReplaceScript(c, "Script isn't saved. Open the example?", "Open", true)) return false;
    std::string text;
    try {
        text = readScriptFile(example.script.string());
    } catch (const std::exception& e) {
        t.main.alert(forth::errorText(e));
        return false;
    }
    c.editor.setText(text);
    scriptLoaded(c, example.script.string(), text);
    c.status.setMessage(example.name + ".fs: F5 to run");
    c.show();
    return true;
}

}  // namespace app
