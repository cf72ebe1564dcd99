// Writing a recorded drawing as an SVG or PDF file: the operations that make
// up its current picture (recording.h) drawn again, through the same canvas,
// on cairo's SVG or PDF surface of the image's size. Lines, ellipses and text
// stay vectors; pictures (an opened or resized image, one drawn on the
// canvas) are embedded as rasters beneath what was drawn over them.
#pragma once

#include <string>
#include <vector>

#include "recording.h"

namespace raster {

struct RasterApi;

enum class VectorFormat { Svg, Pdf };

// The file is replaced whole or not at all (writeFileAtomically). Raises
// RasterError when it cannot be written: the system's reason for a failed
// write ("Failed to write “PATH”: No space left on device"), otherwise the
// path and cairo's reason. One SVG pixel is one CSS pixel; one PDF pixel is
// one point.
void writeVectorFile(const RasterApi& api, const std::vector<DrawingOp>& ops, const std::string& path,
                     VectorFormat format);

}  // namespace raster
