// Opening image files through the drawing program's Open: turtle::openImage,
// the raster layer's load with its header check against the pixel limit,
// the copy into the image's surface, and the start image put back when the
// file is refused. The input is the file, written to an in-memory file that
// gdk-pixbuf opens by its /proc path, so that it picks the loader from the
// content as for any file.
//
// Besides crashes and sanitizer reports, it checks what Open promises: a
// loaded picture has a surface of at most the pixel limit that can be drawn
// on; a refused one leaves the 640 x 400 start image.
//
// Two kinds of input are left out, since they would test gdk-pixbuf's
// loaders rather than the Open path: SVG files (their loader reads the files
// they name), and pictures between fuzz_image_max_pixels and the real
// limit (decoding one near the limit takes seconds and two gigabytes; those
// beyond it are refused from the header and stay in).
#include <dlfcn.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_limits.h"
#include "turtle/image_files.h"
#include "raster/raster_api.h"
#include "raster/raster_limits.h"
#include "raster/raster_loader.h"
#include "raster/raster_error.h"
#include "turtle/turtle.h"

namespace {

struct Harness {
    raster::RasterApi raster = raster::loadRasterLibraries();
    turtle::TurtleState turtle{raster};
    int fd = memfd_create("image_open", MFD_CLOEXEC);
    std::string path = "/proc/self/fd/" + std::to_string(fd);
    // Not in the raster table: only this harness asks a format its name.
    decltype(&::gdk_pixbuf_format_get_name) formatName = nullptr;
    decltype(&::g_free) freeName = nullptr;

    Harness() {
        if (fd < 0) std::abort();
        void* library = dlopen(raster::kRasterLibraryNames[2], RTLD_NOW | RTLD_NOLOAD);
        if (!library) std::abort();
        formatName = reinterpret_cast<decltype(formatName)>(dlsym(library, "gdk_pixbuf_format_get_name"));
        freeName = reinterpret_cast<decltype(freeName)>(dlsym(library, "g_free"));
        if (!formatName || !freeName) std::abort();
    }

    bool write(const std::uint8_t* data, std::size_t size) const {
        if (ftruncate(fd, 0) != 0) return false;
        return pwrite(fd, data, size, 0) == static_cast<ssize_t>(size);
    }

    // False for the inputs this target leaves out (see the top).
    bool worthOpening() const {
        int width = 0, height = 0;
        GdkPixbufFormat* format = raster.gdk_pixbuf_get_file_info(path.c_str(), &width, &height);
        if (!format) return true;  // unknown to every loader: Open must refuse it
        gchar* name = formatName(format);
        const bool svg = name && std::strcmp(name, "svg") == 0;
        freeName(name);
        if (svg) return false;
        // Beyond the real limit the header alone refuses it: that is tested.
        const long long pixels = static_cast<long long>(width) * height;
        return pixels <= fuzz_image_max_pixels || pixels > raster::limits::kMaxImagePixels;
    }
};

Harness* harness = nullptr;

[[noreturn]] void broken(const char* fact) {
    std::fprintf(stderr, "Open broke its promise: %s\n", fact);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    harness = new Harness();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Harness& h = *harness;
    if (!h.write(data, size)) std::abort();
    if (!h.worthOpening()) return 0;
    turtle::TurtleState& t = h.turtle;
    try {
        turtle::openImage(t, h.path);
    } catch (const raster::RasterError&) {
        if (!t.image->hasSurface() || t.image->width() != 640 || t.image->height() != 400)
            broken("a refused file leaves the start image");
        return 0;
    }
    const raster::Image& image = *t.image;
    if (!image.hasSurface() || image.width() < 0 || image.height() < 0) broken("a loaded picture has a surface");
    if (static_cast<long long>(image.width()) * image.height() > raster::limits::kMaxImagePixels)
        broken("a loaded picture is within the pixel limit");
    // The picture can be drawn on and read back.
    t.canvas().drawLine(0, 0, image.width(), image.height());
    if (image.width() > 0 && image.height() > 0) (void)image.pixel(image.width() - 1, image.height() - 1);
    return 0;
}

// A refused file makes the 640 x 400 start image (1 MB) afresh, as Open does.
// With the sanitizer's default quarantine of freed memory (256 MB) every
// such image lands on new pages, and page faults took most of the time; a
// smaller one still catches a use of the image freed by the same input.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }
