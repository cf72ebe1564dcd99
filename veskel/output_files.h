// The files a run writes, chosen by their names: pictures in a raster
// format (PNG, BMP, JPEG) or a vector one (SVG, PDF), and animations (WebP).
// Every name is checked while the options are read, so that a long run
// never ends in a file that cannot be written.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "turtle/image_format.h"

namespace veskel {

// An output refused before anything runs; main reports it with status 2.
struct RefusedOutput : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The raster or vector format an -o path names by its extension (any
// case). Raises RefusedOutput with turtle::saveAsMessage otherwise.
const turtle::SaveFormat& pictureFormatFor(const std::string& path);

// True when one of the paths is a vector format, drawn from a record.
bool needsRecord(const std::vector<std::string>& paths);

// An --animate path must end in .webp (any case); raises RefusedOutput.
void checkAnimationName(const std::string& path);

// Raises RefusedOutput "cannot write PATH: REASON" when the path
// can clearly not be written: its folder is missing or not a folder or not
// writable, or the path is a folder or a file that cannot be written (a
// symbolic link is judged by where it points, also a dangling one). Creates
// nothing. A failure found only while writing (a full disk) is still
// reported after the run.
void checkWritable(const std::string& path);

}  // namespace veskel
