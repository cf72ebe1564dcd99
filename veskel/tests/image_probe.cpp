// Reads an image file back for the program tests:
//   image_probe FILE            prints "WIDTH HEIGHT"
//   image_probe FILE X,Y ...    also "R G B A" of each pixel, one a line
//   image_probe FILE box        also the box "X0 Y0 X1 Y1" (inclusive) around
//                               every pixel that is not opaque black, or "none"
//   image_probe FILE same REF   also "same" when both files hold the same
//                               pixels; otherwise what differs, and status 3
//   image_probe FILE near REF TOLERANCE SHARE
//                               also "near" when at least SHARE (0..1) of the
//                               pixels lie within TOLERANCE of the reference in
//                               every channel; otherwise how many, and status 3
// Status 1 with the library's message when a file cannot be read.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "raster/image.h"
#include "image_compare.h"
#include "raster/raster_api.h"
#include "raster/raster_loader.h"
#include "raster/raster_error.h"

namespace {

void printBox(const raster::Image& image) {
    int x0 = image.width(), y0 = image.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const raster::Color c = image.pixel(x, y);
            if (c.r == 0 && c.g == 0 && c.b == 0 && c.a == 255) continue;
            x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
        }
    if (x1 < 0)
        std::printf("none\n");
    else
        std::printf("%d %d %d %d\n", x0, y0, x1, y1);
}

// A reference picture of the same size, or a line saying it is not.
bool loadReference(const raster::Image& image, raster::Image& ref, const std::string& refPath) {
    ref.loadFromFile(refPath);
    if (image.width() == ref.width() && image.height() == ref.height()) return true;
    std::printf("size %d x %d, reference %d x %d\n", image.width(), image.height(), ref.width(), ref.height());
    return false;
}

// Pixels are compared exactly: the references are drawn by the same cairo,
// pango and fonts on every machine, so any difference is a change.
bool printSame(const raster::Image& image, const std::string& refPath) {
    raster::Image ref(image.raster());
    if (!loadReference(image, ref, refPath)) return false;
    const raster::ImageDifference d = raster::compareImages(image, ref, 0);
    if (d.differing == 0) {
        std::printf("same\n");
        return true;
    }
    const raster::Color a = image.pixel(d.firstX, d.firstY), b = ref.pixel(d.firstX, d.firstY);
    std::printf("%ld pixels differ; the first at %d,%d is %d %d %d %d, reference %d %d %d %d\n", d.differing,
                d.firstX, d.firstY, a.r, a.g, a.b, a.a, b.r, b.g, b.b, b.a);
    return false;
}

// Another renderer's picture of the same drawing: antialiasing differs a
// little along every edge, the geometry must not.
bool printNear(const raster::Image& image, const std::string& refPath, int tolerance, double share) {
    raster::Image ref(image.raster());
    if (!loadReference(image, ref, refPath)) return false;
    const raster::ImageDifference d = raster::compareImages(image, ref, tolerance);
    if (d.share() >= share) {
        std::printf("near\n");
        return true;
    }
    std::printf("%ld of %ld pixels differ by more than %d (%.2f %% alike); the first at %d,%d\n", d.differing,
                d.total, tolerance, 100 * d.share(), d.firstX, d.firstY);
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: image_probe FILE [X,Y | box | same REF | near REF TOLERANCE SHARE]...\n");
        return 2;
    }
    const raster::RasterApi raster = raster::loadRasterLibrariesOrExit();
    try {
        raster::Image image(raster);
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
            if (arg == "near" && i + 3 < argc) {
                const std::string ref = argv[i + 1];
                const int tolerance = std::atoi(argv[i + 2]);
                const double share = std::atof(argv[i + 3]);
                i += 3;
                if (!printNear(image, ref, tolerance, share)) return 3;
                continue;
            }
            int x = 0, y = 0;
            if (std::sscanf(arg.c_str(), "%d,%d", &x, &y) != 2) {
                std::fprintf(stderr, "bad pixel: %s\n", arg.c_str());
                return 2;
            }
            const raster::Color c = image.pixel(x, y);
            std::printf("%d %d %d %d\n", c.r, c.g, c.b, c.a);
        }
    } catch (const raster::RasterError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
