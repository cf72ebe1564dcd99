// The raster table the tests draw with: cairo, pango and gdk-pixbuf opened
// by name once, as veskel opens them, with no GTK and no display.
#pragma once

#include <cstdlib>

#include "raster/raster_api.h"
#include "raster/raster_loader.h"

inline const raster::RasterApi& testRaster() {
    static const raster::RasterApi api = [] {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        return raster::loadRasterLibraries();
    }();
    return api;
}
