// The image parts of the file commands New, Open, Save and Resize: what
// happens to the image, the turtle and the unsaved flag. Dialogs, the window
// title and the status label are the drawing program's.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "turtle.h"

namespace turtle {

// New: a fully transparent image of the same size (not painted), background
// black, pen and label white, turtle home with heading 0, pen down and
// shown, unsaved flag cleared. Pen size, label height and palette stay.
void newImage(TurtleState& t);

// Open: loads the file into the same image object (canvas attributes kept)
// and clears the unsaved flag; returns the script the picture keeps, if
// any. On failure the image is replaced by a fresh one given the image
// reset (pen size 1, label height 15), the unsaved flag is cleared, and the
// load error is raised again for the caller to show. The turtle never moves.
std::optional<std::string> openImage(TurtleState& t, const std::string& path);

// Save: writes the image in the format the path's extension names (a PNG
// keeps `script`) and clears the unsaved flag. Raises UnsupportedFormat or
// the write error, leaving everything unchanged.
void saveImage(TurtleState& t, const std::string& path, std::string_view script = {});

// Resize: a new image of width x height with the old picture centred on the
// old background colour; pen and label colour carried over, pen size and
// label height back to 1 and 15. The turtle, palette and unsaved flag stay.
// Raises raster::RasterError for a size below 1 or one that cannot be
// allocated, leaving the old image in place.
void resizeImage(TurtleState& t, int width, int height);

}  // namespace turtle
