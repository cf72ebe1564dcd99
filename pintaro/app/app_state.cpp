#include "app_state.h"

#include "turtle_words.h"

namespace app {

AppState::AppState() {
    forth::registerCoreWords(interp);
    turtle::registerTurtleWords(interp, turtle);
    saveDialog.fTitle = "Save image";
}

}  // namespace app
