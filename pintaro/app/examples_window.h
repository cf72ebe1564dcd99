// The "Examples" window: every example script with its thumbnail and one
// line about it, two to a row. Choosing one (its thumbnail or its button)
// loads it into the console's editor, asking first over unsaved text, and
// shows the console; F5 then runs it. Made the first time it is asked for.
#pragma once

#include <memory>
#include <vector>

#include "toolkit/button.h"
#include "toolkit/control.h"
#include "example_list.h"
#include "raster/image.h"
#include "toolkit/label.h"
#include "toolkit/layout_container.h"
#include "toolkit/window.h"

namespace app {

class EditorTools;

struct ExamplesWindow {
    explicit ExamplesWindow(EditorTools& tools);
    ~ExamplesWindow();

    void show();

    // One example: its thumbnail beside its name (a button) over its line.
    struct Cell {
        explicit Cell(const Example& e);
        toolkit::LayoutContainer box{toolkit::Layout_Horizontal};
        toolkit::Control thumbnail;
        toolkit::LayoutContainer column{toolkit::Layout_Vertical};
        toolkit::Button button;
        toolkit::Label line;
        std::unique_ptr<raster::Image> picture;  // null when it has none
        Example example;
    };

    EditorTools& tools;
    // The window first: it goes last, after the controls it shows.
    toolkit::Window window;
    toolkit::LayoutContainer root{toolkit::Layout_Vertical};
    toolkit::Label note;  // where they were found, or that none were
    std::vector<std::unique_ptr<toolkit::LayoutContainer>> rows;
    std::vector<std::unique_ptr<Cell>> cells;
};

// Loads the example into the console's editor (asking first when the
// editor holds unsaved text) and shows the console; false when it did not.
bool openExample(EditorTools& tools, const Example& example);

}  // namespace app
