// The raster layer's platform: a table of typed pointers to cairo, pango and
// gdk-pixbuf functions, filled by whoever loads those libraries (the widget
// layer from the GTK library it opens, veskel by opening them by name). The
// layer never links them and keeps no table of its own: every canvas and
// image is given the table it draws with.
//
// Each pointer is declared as decltype(&function), so the compiler checks
// every call against the real prototype while nothing references the symbol.
// Only the layer's .cpp files and the loaders include this.
#pragma once

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <pango/pangocairo.h>

#include "raster_functions.h"

namespace raster {

struct RasterApi {
#define PINTARO_RASTER_POINTER(name) decltype(&::name) name = nullptr;
    PINTARO_RASTER_FUNCTIONS(PINTARO_RASTER_POINTER)
    PINTARO_RASTER_EXTRA_FUNCTIONS(PINTARO_RASTER_POINTER)
#undef PINTARO_RASTER_POINTER
};

}  // namespace raster
