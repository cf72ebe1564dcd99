#include "raster_loader.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "raster_api.h"

namespace raster {

RasterApi loadRasterLibraries(std::span<const char* const> names) {
    // Deliberately never closed (see raster_loader.h); a failed load leaks
    // the handles already opened, which the process is about to report anyway.
    std::vector<void*> libraries;
    for (const char* name : names) {
        void* library = dlopen(name, RTLD_NOW);
        if (!library) throw LibraryLoadError(std::string("could not load: ") + name, true);
        libraries.push_back(library);
    }
    auto find = [&libraries](const char* name) -> void* {
        for (void* library : libraries)
            if (void* f = dlsym(library, name)) return f;
        return nullptr;
    };
    RasterApi api;
#define PINTARO_RASTER_RESOLVE(name)                                \
    api.name = reinterpret_cast<decltype(api.name)>(find(#name)); \
    if (!api.name) throw LibraryLoadError("could not import: " #name, false);
    PINTARO_RASTER_FUNCTIONS(PINTARO_RASTER_RESOLVE)
    PINTARO_RASTER_EXTRA_FUNCTIONS(PINTARO_RASTER_RESOLVE)
#undef PINTARO_RASTER_RESOLVE
    return api;
}

RasterApi loadRasterLibrariesOrExit() {
    try {
        return loadRasterLibraries();
    } catch (const LibraryLoadError& e) {
        exitAfterLoadError(e,
                           "cairo, pango and gdk-pixbuf are needed; on Debian install them with: "
                           "apt-get install libcairo2 libpangocairo-1.0-0 libgdk-pixbuf-2.0-0");
    }
}

void exitAfterLoadError(const LibraryLoadError& e, const char* hint) {
    std::fprintf(stderr, "%s\n", e.what());
    if (e.libraryMissing) std::fprintf(stderr, "%s\n", hint);
    std::exit(1);
}

}  // namespace raster
