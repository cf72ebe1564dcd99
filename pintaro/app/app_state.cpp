#include "app_state.h"

#include <chrono>

#include "app_limits.h"
#include "gtk_loader.h"
#include "turtle_words.h"

namespace app {

AppState::AppState()
    : runs(std::chrono::milliseconds(limits::kBreatheMilliseconds)), turtle(toolkit::gtkRaster()) {
    runs.watch(interp);
    forth::registerCoreWords(interp);
    turtle::registerTurtleWords(interp, turtle);
    saveDialog.fTitle = "Save image";
}

}  // namespace app
