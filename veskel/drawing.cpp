#include "drawing.h"

#include <ostream>
#include <tuple>

#include "turtle/image_files.h"
#include "turtle/image_format.h"
#include "output_files.h"
#include "raster/raster_error.h"
#include "raster/vector_file.h"

namespace veskel {

void startImage(turtle::TurtleState& t, int width, int height) {
    if (width != t.image->width() || height != t.image->height()) turtle::imageReset(t, width, height);
    std::tie(t.x, t.y) = turtle::homePosition(t);
}

void openStartImage(turtle::TurtleState& t, const std::string& path) {
    turtle::openImage(t, path);
    std::tie(t.x, t.y) = turtle::homePosition(t);
}

int saveImages(const turtle::TurtleState& t, const raster::Recorder& record, const std::vector<std::string>& paths,
               std::ostream& err, std::string_view script) {
    int status = 0;
    for (const std::string& path : paths) {
        try {
            const turtle::SaveFormat& format = pictureFormatFor(path);
            if (format.kind == turtle::SaveKind::Raster)
                turtle::saveByExtension(*t.image, path, script);
            else
                raster::writeVectorFile(t.image->raster(), record.operations(), path, format.vector);
        } catch (const raster::RasterError& e) {
            err << e.what() << std::endl;
            status = 1;
        }
    }
    return status;
}

}  // namespace veskel
