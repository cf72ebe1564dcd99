#include "app_state.h"

#include <chrono>

#include "app_limits.h"
#include "turtle/drawing_script.h"
#include "toolkit/gtk_loader.h"
#include "turtle/turtle_words.h"

namespace app {

AppState::AppState()
    : runs(std::chrono::milliseconds(limits::kBreatheMilliseconds)),
      turtle(toolkit::gtkRaster()),
      drawingHistory(limits::kHistoryBudgetBytes) {
    runs.watch(interp);
    forth::registerCoreWords(interp);
    turtle::registerTurtleWords(interp, turtle);
    saveDialog.fTitle = "Save image";
    drawingHistory.start(turtle,
                         turtle::scriptStartLine(turtle::DrawingStart::StartImage, turtle.image->width(),
                                                 turtle.image->height()));
}

}  // namespace app
