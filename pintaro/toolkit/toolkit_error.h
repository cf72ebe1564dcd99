// The widget layer's one error kind: a misuse of a window or a control, or
// GTK failing, with the text shown to the user. The pictures' own failures
// are raster::RasterError, so that code without windows never sees this.
#pragma once

#include <stdexcept>

namespace toolkit {

struct ToolkitError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace toolkit
