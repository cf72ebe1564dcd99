// The widget layer's one error kind: a failure that carries the text shown
// to the user ("Canvas is not in drawing state.", a gdk-pixbuf message, ...).
#pragma once

#include <stdexcept>
#include <string>

namespace toolkit {

struct ToolkitError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace toolkit
