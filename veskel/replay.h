// A picture's script read back (--script-of) and run again (--replay).
#pragma once

#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>

#include "forth/interp.h"
#include "raster/raster_api.h"
#include "turtle/turtle.h"

namespace veskel {

// What cannot be read or replayed; main reports it with status 1.
struct ReplayError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The script a PNG picture keeps, read from its text chunk without decoding
// the picture. Raises ReplayError when the file cannot be read, is damaged
// before the chunk, keeps none (a BMP or JPEG never does), or keeps one
// longer than limits::kMaxPictureScriptBytes.
std::string readPictureScript(const std::string& path);

// Gives the turtle the start the script's first line names (the start
// image, or New's transparent one, of its size; an opened picture is not
// in the script, so its size in black, with a note on err), then runs the
// script line by line. A resize note resizes the image there. An error is
// reported on err as "MESSAGE at line N" and the replay goes on with the
// next line, as the drawing did when it was made. Raises ReplayError when
// the script names no start or was not kept whole, and the image's error
// when the start image cannot be made.
void replay(forth::Interp& in, turtle::TurtleState& t, std::string_view script, std::ostream& err);

}  // namespace veskel
