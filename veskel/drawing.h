// The turtle's image around a run: the start size before, the files after.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "raster/recording.h"
#include "turtle/turtle.h"

namespace veskel {

// Gives the turtle a fresh black image of width x height (the image reset)
// and puts it at its home position. Raises raster::RasterError with the
// library's message when the image cannot be made.
void startImage(turtle::TurtleState& t, int width, int height);

// Starts from the picture in the file instead, through the drawing program's
// Open (turtle::openImage), and puts the turtle at its home position. Raises
// raster::RasterError with the library's message, or the size limit's,
// when the file cannot be opened.
void openStartImage(turtle::TurtleState& t, const std::string& path);

// Writes the image to every path in order, each in the format its extension
// names: a raster format from the image's pixels (a PNG also keeps
// `script`), SVG or PDF from `record` (which must then have been attached
// before the run). A file that cannot be written is reported on err with the
// library's message and does not stop the others. Returns 0, or 1 after any
// failure.
int saveImages(const turtle::TurtleState& t, const raster::Recorder& record, const std::vector<std::string>& paths,
               std::ostream& err, std::string_view script);

}  // namespace veskel
