#include "gtk_loader.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "gtk_api.h"

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

}  // namespace

const GtkApi& gtk() { return g_api; }

bool gtkLoaded() { return g_library != nullptr; }

void loadGtk(std::span<const char* const> names) {
    if (g_library) return;

    LibraryHandle library;
    for (const char* name : names) {
        library.reset(dlopen(name, RTLD_NOW));
        if (library) break;
    }
    if (!library) throw GtkLoadError("could not load: libgtk-3.so(|.0)", true);

    // Fill a scratch table so that a missing function leaves the real one
    // untouched.
    GtkApi api;
#define PINTARO_GTK_RESOLVE(name)                                              \
    api.name = reinterpret_cast<decltype(api.name)>(dlsym(library.get(), #name)); \
    if (!api.name) throw GtkLoadError("could not import: " #name, false);
    PINTARO_GTK_FUNCTIONS(PINTARO_GTK_RESOLVE)
#undef PINTARO_GTK_RESOLVE
#define PINTARO_GTK_RESOLVE_OPTIONAL(name) \
    api.name = reinterpret_cast<decltype(api.name)>(dlsym(library.get(), #name));
    PINTARO_GTK_OPTIONAL_FUNCTIONS(PINTARO_GTK_RESOLVE_OPTIONAL)
#undef PINTARO_GTK_RESOLVE_OPTIONAL

    g_api = api;
    g_library = library.release();
}

void loadGtkOrExit(std::span<const char* const> names) {
    try {
        loadGtk(names);
    } catch (const GtkLoadError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        if (e.libraryMissing)
            std::fprintf(stderr, "GTK 3 is needed; on Debian install it with: apt-get install libgtk-3-0\n");
        std::exit(1);
    }
}

}  // namespace toolkit
