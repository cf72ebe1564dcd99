#include "raster_loader.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "raster_api.h"
#include "raster_error.h"

namespace raster {

namespace {

constexpr const char* kMissingHint =
    "cairo, pango and gdk-pixbuf are needed; on Debian install them with: "
    "apt-get install libcairo2 libpangocairo-1.0-0 libgdk-pixbuf-2.0-0";

// Deliberately never closed (see raster_loader.h); a failed load leaks the
// handles already opened, which the process is about to report anyway.
void* openLibrary(const char* name) {
    void* library = dlopen(name, RTLD_NOW);
    if (!library) throw LibraryLoadError(std::string("could not load: ") + name, true);
    return library;
}

template <class Pointer>
void resolve(Pointer& slot, void* function, const char* name) {
    if (!function) throw LibraryLoadError(std::string("could not import: ") + name, false);
    slot = reinterpret_cast<Pointer>(function);
}

template <class Load>
RasterApi loadOrExit(Load load) {
    try {
        return load();
    } catch (const LibraryLoadError& e) {
        exitAfterLoadError(e, kMissingHint);
    }
}

// The whole table, loaded the first time a function outside cairo is
// called; a process that cannot load it ends as one that could not start.
const RasterApi& wholeTable() {
    static const RasterApi api = loadRasterLibrariesOrExit();
    return api;
}

// Stands in for a function of the whole table until it is loaded: the
// same prototype, so calls through the table are checked as ever.
template <auto Member, class Pointer>
struct OnFirstCall;
template <auto Member, class R, class... Args>
struct OnFirstCall<Member, R (*)(Args...)> {
    static R call(Args... args) { return (wholeTable().*Member)(args...); }
};
// A C variadic function cannot pass its arguments on. The layer calls none
// (it saves through gdk_pixbuf_save_to_callbackv); one called all the same
// is refused as an error, not run with arguments it was never given.
template <auto Member, class R, class... Args>
struct OnFirstCall<Member, R (*)(Args..., ...)> {
    static R call(Args..., ...) { throw RasterError("a variadic image-library function cannot be called on demand"); }
};

}  // namespace

RasterApi loadRasterLibraries(std::span<const char* const> names) {
    std::vector<void*> libraries;
    for (const char* name : names) libraries.push_back(openLibrary(name));
    auto find = [&libraries](const char* name) -> void* {
        for (void* library : libraries)
            if (void* f = dlsym(library, name)) return f;
        return nullptr;
    };
    RasterApi api;
#define PINTARO_RASTER_RESOLVE(name) resolve(api.name, find(#name), #name);
    PINTARO_RASTER_FUNCTIONS(PINTARO_RASTER_RESOLVE)
    PINTARO_RASTER_EXTRA_FUNCTIONS(PINTARO_RASTER_RESOLVE)
#undef PINTARO_RASTER_RESOLVE
    return api;
}

RasterApi loadRasterLibrariesOrExit() {
    return loadOrExit([] { return loadRasterLibraries(); });
}

RasterApi loadCairoNowOrExit() {
    return loadOrExit([] {
        void* cairo = openLibrary(kRasterLibraryNames[0]);
        RasterApi api;
#define PINTARO_RASTER_NOW_OR_LATER(name)                                   \
    if constexpr (std::string_view(#name).starts_with("cairo_"))           \
        resolve(api.name, dlsym(cairo, #name), #name);                      \
    else                                                                    \
        api.name = &OnFirstCall<&RasterApi::name, decltype(api.name)>::call;
// The prototypes' attributes (gdk_pixbuf_save's check of its closing
// null) do not carry into a template argument, and a stand-in needs none.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wignored-attributes"
        PINTARO_RASTER_FUNCTIONS(PINTARO_RASTER_NOW_OR_LATER)
        PINTARO_RASTER_EXTRA_FUNCTIONS(PINTARO_RASTER_NOW_OR_LATER)
#pragma GCC diagnostic pop
#undef PINTARO_RASTER_NOW_OR_LATER
        return api;
    });
}

void exitAfterLoadError(const LibraryLoadError& e, const char* hint) {
    std::fprintf(stderr, "%s\n", e.what());
    if (e.libraryMissing) std::fprintf(stderr, "%s\n", hint);
    std::exit(1);
}

}  // namespace raster
