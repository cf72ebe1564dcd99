// A program whose event handler fails: shown a window, its resize handler
// throws, and the layer's unhandled-error handler takes over (alert box
// "Error", the line on standard output, exit status 0). Driven by
// unhandled_error_test.sh.
#include "toolkit/application.h"
#include "toolkit/gtk_loader.h"
#include "toolkit/toolkit_error.h"
#include "toolkit/window.h"

int main() {
    toolkit::loadGtkOrExit();
    toolkit::Application app;
    app.init();
    toolkit::Window w("Probe");
    w.setOnResize([](toolkit::ResizeEvent&) { throw toolkit::ToolkitError("the handler failed"); });
    w.show();
    app.run();
    return 3;  // never reached: the handler ends the process
}
