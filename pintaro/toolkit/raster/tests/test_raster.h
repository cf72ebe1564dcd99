// The raster table the tests draw with: cairo, pango and gdk-pixbuf opened
// by name once, as veskel opens them, with no GTK and no display.
#pragma once

#include <cstdlib>

#include "raster_api.h"
#include "raster_loader.h"

inline const toolkit::RasterApi& testRaster() {
    static const toolkit::RasterApi api = [] {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        return toolkit::loadRasterLibraries();
    }();
    return api;
}
