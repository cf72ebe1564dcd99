#include "drawing.h"

#include <ostream>
#include <tuple>

#include "image_format.h"
#include "toolkit_error.h"

namespace veskel {

void startImage(turtle::TurtleState& t, int width, int height) {
    if (width != t.image->width() || height != t.image->height()) turtle::imageReset(t, width, height);
    std::tie(t.x, t.y) = turtle::homePosition(t);
}

int saveImages(const turtle::TurtleState& t, const std::vector<std::string>& paths, std::ostream& err) {
    int status = 0;
    for (const std::string& path : paths) {
        try {
            turtle::saveByExtension(*t.image, path);
        } catch (const toolkit::ToolkitError& e) {
            err << e.what() << std::endl;
            status = 1;
        }
    }
    return status;
}

}  // namespace veskel
