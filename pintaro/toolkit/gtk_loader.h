// Loading GTK 3 at run time by file name.
//
// Nothing in the suite links GTK, cairo, pango or gdk-pixbuf: the library is
// opened with dlopen and each function of gtk_functions.h is resolved by name
// from it (its dependencies, cairo and pango among them, are searched too).
#pragma once

#include <span>

#include "raster/raster_loader.h"

namespace raster {
struct RasterApi;
}

namespace toolkit {


// Thrown when the library or one of its functions cannot be found.
using GtkLoadError = raster::LibraryLoadError;

// The library names tried in order; the first that opens is used.
inline constexpr const char* kGtkLibraryNames[] = {"libgtk-3.so", "libgtk-3.so.0"};

// Opens the first library of `names` that loads (with immediate binding) and
// resolves every function. Throws GtkLoadError; on failure the table is left
// untouched. Loading again after a success does nothing.
void loadGtk(std::span<const char* const> names = kGtkLibraryNames);

// True once loadGtk has succeeded.
bool gtkLoaded();

// The raster table loadGtk() filled from the same library: what the
// controls' canvases and the drawing program's images draw with. Raises
// "GTK 3 is not loaded." before.
const raster::RasterApi& gtkRaster();

// The front ends' start-up step: loadGtk(), and on failure the diagnostic
// (plus a hint when the library itself is missing) on standard error and
// exit status 1.
void loadGtkOrExit(std::span<const char* const> names = kGtkLibraryNames);

}  // namespace toolkit
