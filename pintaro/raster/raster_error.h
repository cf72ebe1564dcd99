// The raster layer's one error kind: a failure that carries the text shown
// to the user ("Canvas is not in drawing state.", a gdk-pixbuf message, ...).
#pragma once

#include <stdexcept>
#include <string>

namespace raster {

struct RasterError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace raster
