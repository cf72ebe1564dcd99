// The PNG writer: the picture encoded by libpng as its rows stream out,
// without a second copy of it. An opaque picture is written as RGB, any
// other as RGBA; text chunks go before the pixels.
#pragma once

#include <vector>

#include "text_chunk.h"

typedef struct _cairo_surface cairo_surface_t;

namespace raster {

struct RasterApi;
class FileOutput;

// Writes the w x h ARGB32 surface (flushed here) to `out` as a PNG file
// with the text chunks. Text that is Latin-1 when decoded from UTF-8 is
// stored as tEXt in Latin-1, anything else as UTF-8 iTXt: the forms
// gdk-pixbuf wrote and reads back as the same UTF-8. Raises RasterError
// with libpng's message, or a short one when the output failed (which the
// caller replaces by the output's own reason).
void writePng(const RasterApi& g, cairo_surface_t* surface, int width, int height,
              const std::vector<TextChunk>& text, FileOutput& out);

}  // namespace raster
