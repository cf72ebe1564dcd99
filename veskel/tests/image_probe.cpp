// Reads an image file back for the program tests:
//   image_probe FILE            prints "WIDTH HEIGHT"
//   image_probe FILE X,Y ...    also "R G B A" of each pixel, one a line
//   image_probe FILE box        also the box "X0 Y0 X1 Y1" (inclusive) around
//                               every pixel that is not opaque black, or "none"
//   image_probe FILE same REF   also "same" when both files hold the same
//                               pixels; otherwise what differs, and status 3
// Status 1 with the library's message when a file cannot be read.
#include <algorithm>
#include <cstdio>
#include <string>

#include "image.h"
#include "raster_api.h"
#include "raster_loader.h"
#include "toolkit_error.h"

namespace {

void printBox(const toolkit::Image& image) {
    int x0 = image.width(), y0 = image.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const toolkit::Color c = image.pixel(x, y);
            if (c.r == 0 && c.g == 0 && c.b == 0 && c.a == 255) continue;
            x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
        }
    if (x1 < 0)
        std::printf("none\n");
    else
        std::printf("%d %d %d %d\n", x0, y0, x1, y1);
}

// Pixels are compared exactly: the references are drawn by the same cairo,
// pango and fonts on every machine, so any difference is a change.
bool printSame(const toolkit::Image& image, const std::string& refPath) {
    toolkit::Image ref(image.raster());
    ref.loadFromFile(refPath);
    if (image.width() != ref.width() || image.height() != ref.height()) {
        std::printf("size %d x %d, reference %d x %d\n", image.width(), image.height(), ref.width(),
                    ref.height());
        return false;
    }
    long differing = 0;
    int fx = -1, fy = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const toolkit::Color a = image.pixel(x, y), b = ref.pixel(x, y);
            if (a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a) continue;
            if (differing++ == 0) fx = x, fy = y;
        }
    if (differing == 0) {
        std::printf("same\n");
        return true;
    }
    const toolkit::Color a = image.pixel(fx, fy), b = ref.pixel(fx, fy);
    std::printf("%ld pixels differ; the first at %d,%d is %d %d %d %d, reference %d %d %d %d\n",
                differing, fx, fy, a.r, a.g, a.b, a.a, b.r, b.g, b.b, b.a);
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: image_probe FILE [X,Y | box | same REF]...\n");
        return 2;
    }
    const toolkit::RasterApi raster = toolkit::loadRasterLibrariesOrExit();
    try {
        toolkit::Image image(raster);
        image.loadFromFile(argv[1]);
        std::printf("%d %d\n", image.width(), image.height());
        for (int i = 2; i < argc; ++i) {
            const std::string arg = argv[i];
            if (arg == "box") {
                printBox(image);
                continue;
            }
            if (arg == "same" && i + 1 < argc) {
                if (!printSame(image, argv[++i])) return 3;
                continue;
            }
            int x = 0, y = 0;
            if (std::sscanf(arg.c_str(), "%d,%d", &x, &y) != 2) {
                std::fprintf(stderr, "bad pixel: %s\n", arg.c_str());
                return 2;
            }
            const toolkit::Color c = image.pixel(x, y);
            std::printf("%d %d %d %d\n", c.r, c.g, c.b, c.a);
        }
    } catch (const toolkit::ToolkitError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
