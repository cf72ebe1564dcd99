#include "gtk_loader.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "gtk_api.h"
#include "toolkit_error.h"

namespace toolkit {
namespace {

struct LibraryCloser {
    void operator()(void* handle) const { dlclose(handle); }
};
using LibraryHandle = std::unique_ptr<void, LibraryCloser>;

// The library stays open for the life of the process: every widget, surface
// and callback refers into it, and GLib's type system cannot be unloaded, so
// the handle is deliberately never closed (a static's destructor would run
// dlclose while GTK's own exit handlers may still need the code).
void* g_library = nullptr;
GtkApi g_api;
raster::RasterApi g_raster;

}  // namespace

const GtkApi& gtk() { return g_api; }

const raster::RasterApi& gtkRaster() {
    if (!g_library) throw ToolkitError("GTK 3 is not loaded.");
    return g_raster;
}

bool gtkLoaded() { return g_library != nullptr; }

void loadGtk(std::span<const char* const> names) {
    if (g_library) return;

    LibraryHandle library;
    for (const char* name : names) {
        library.reset(dlopen(name, RTLD_NOW));
        if (library) break;
    }
    if (!library) throw GtkLoadError("could not load: libgtk-3.so(|.0)", true);

    // Fill scratch tables so that a missing function leaves the real ones
    // untouched.
    GtkApi api;
    raster::RasterApi raster;
#define PINTARO_GTK_RESOLVE_INTO(table, name)                                       \
    table.name = reinterpret_cast<decltype(table.name)>(dlsym(library.get(), #name)); \
    if (!table.name) throw GtkLoadError("could not import: " #name, false);
#define PINTARO_GTK_RESOLVE(name) PINTARO_GTK_RESOLVE_INTO(api, name)
#define PINTARO_RASTER_RESOLVE(name) PINTARO_GTK_RESOLVE_INTO(raster, name)
    PINTARO_GTK_FUNCTIONS(PINTARO_GTK_RESOLVE, PINTARO_RASTER_RESOLVE)
#define PINTARO_GTK_RESOLVE_OPTIONAL(name) \
    api.name = reinterpret_cast<decltype(api.name)>(dlsym(library.get(), #name));
    PINTARO_GTK_OPTIONAL_FUNCTIONS(PINTARO_GTK_RESOLVE_OPTIONAL)
#undef PINTARO_GTK_RESOLVE_OPTIONAL
    // cairo, pango and gdk-pixbuf are GTK's own dependencies: the raster
    // layer's other functions come from the same library.
    PINTARO_RASTER_EXTRA_FUNCTIONS(PINTARO_RASTER_RESOLVE)
#undef PINTARO_RASTER_RESOLVE
#undef PINTARO_GTK_RESOLVE
#undef PINTARO_GTK_RESOLVE_INTO

    g_api = api;
    g_raster = raster;
    g_library = library.release();
}

void loadGtkOrExit(std::span<const char* const> names) {
    try {
        loadGtk(names);
    } catch (const GtkLoadError& e) {
        exitAfterLoadError(e, "GTK 3 is needed; on Debian install it with: apt-get install libgtk-3-0");
    }
}

}  // namespace toolkit
