#include "image_files.h"

#include <string>

#include "drawing_script.h"
#include "image_format.h"
#include "raster/raster_error.h"

namespace turtle {

namespace {
constexpr Color kBlack{0, 0, 0, 255};
constexpr Color kWhite{255, 255, 255, 255};
}  // namespace

void newImage(TurtleState& t) {
    t.image->resize(t.image->width(), t.image->height());
    raster::Canvas& c = t.canvas();
    c.fAreaColor = kBlack;
    c.fLineColor = kWhite;
    c.fTextColor = kWhite;
    std::tie(t.x, t.y) = homePosition(t);
    t.heading = 0;
    t.visible = true;
    t.penDown = true;
    t.unsaved = false;
}

std::optional<std::string> openImage(TurtleState& t, const std::string& path) {
    std::optional<std::string> script;
    try {
        script = t.image->loadFromFile(path, kScriptKeyword);
    } catch (const raster::RasterError&) {
        // The load has already released the old pixels; leave a usable
        // start image on a new canvas rather than an image without surface.
        auto fresh = t.blankImage();
        std::swap(t.image, fresh);
        imageReset(t);
        t.unsaved = false;
        throw;
    }
    t.unsaved = false;
    return script;
}

void saveImage(TurtleState& t, const std::string& path, std::string_view script) {
    saveByExtension(*t.image, path, script);
    t.unsaved = false;
}

void resizeImage(TurtleState& t, int width, int height) {
    if (width < 1 || height < 1)
        throw raster::RasterError("Invalid image size " + std::to_string(width) + " x " + std::to_string(height) +
                                    ".");
    auto fresh = t.blankImage();
    fresh->resize(width, height);
    centredCopy(fresh->canvas(), *t.image);
    fresh->canvas().fLineColor = t.canvas().fLineColor;
    fresh->canvas().fTextColor = t.canvas().fTextColor;
    t.image = std::move(fresh);
}

}  // namespace turtle
