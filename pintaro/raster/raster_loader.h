// Loading cairo, pangocairo and gdk-pixbuf by name, without GTK: how a
// program that only draws off screen (veskel, the turtle's tests) gets its
// raster table. The drawing program fills the same table from GTK instead
// (gtk_loader.h).
#pragma once

#include <span>
#include <stdexcept>
#include <string>

namespace raster {

struct RasterApi;

// A library or one of its functions that cannot be found, here or in the
// GTK loader. what() is the diagnostic line without its line feed:
// "could not load: ..." or "could not import: <function>".
struct LibraryLoadError : std::runtime_error {
    LibraryLoadError(const std::string& message, bool libraryMissing)
        : std::runtime_error(message), libraryMissing(libraryMissing) {}
    bool libraryMissing;  // true for "could not load", false for "could not import"
};

// The front ends' way out when loading fails: the diagnostic on standard
// error, then `hint` on a line of its own when a library itself is missing,
// and exit status 1.
[[noreturn]] void exitAfterLoadError(const LibraryLoadError& e, const char* hint);

// Opened in this order; each function is looked up in them in turn.
inline constexpr const char* kRasterLibraryNames[] = {"libcairo.so.2", "libpangocairo-1.0.so.0",
                                                      "libgdk_pixbuf-2.0.so.0"};

// Opens every library (immediate binding) and resolves every function of
// raster_functions.h. The libraries stay open for the life of the process:
// surfaces, fonts and the image loaders' modules refer into them. Throws
// LibraryLoadError.
RasterApi loadRasterLibraries(std::span<const char* const> names = kRasterLibraryNames);

// The front end's start-up step: loadRasterLibraries(), and on failure the
// diagnostic (plus a hint when a library is missing) on standard error and
// exit status 1.
RasterApi loadRasterLibrariesOrExit();

// The same for a program that may never draw text or touch an image file
// (veskel): cairo, which every image needs, is opened now; pango and
// gdk-pixbuf, the larger part of the start-up, when one of their functions
// is first called. A library that cannot be loaded then ends the process
// as it would have at the start.
RasterApi loadCairoNowOrExit();

}  // namespace raster
