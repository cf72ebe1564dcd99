// Saving a drawn 4000 x 4000 picture as PNG (not a test): the program's own
// save against libpng at zlib level 1 without filters, the fastest usable
// PNG, and against ImageMagick's `convert` for the file size. A few other
// settings of libpng are timed beside them, which is how the program's were
// chosen. Run it by hand, optionally with the number of runs (default 3)
// and the path of ImageMagick's convert (default /usr/bin/convert).
//
// The picture is drawn by the turtle: spirals of lines in the palette's
// colours and several pen sizes, ellipses, and labels, on the black start
// background, so it has the runs of one colour and the antialiased edges
// of a real drawing.
#include <png.h>
#include <zlib.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "turtle/image_format.h"
#include "forth/interp.h"
#include "raster/raster_api.h"
#include "raster/raster_loader.h"
#include "turtle/turtle.h"
#include "turtle/turtle_words.h"

namespace {

using Clock = std::chrono::steady_clock;

double now() { return std::chrono::duration<double>(Clock::now().time_since_epoch()).count(); }

// User and system time of the process: on a shared machine, time spent
// waiting for a core would swamp what is measured.
double cpuNow() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

// Best of `runs` in CPU time (the figure compared), and in wall time (the
// save's wait for the disk included).
struct Times {
    double cpu = 1e9, wall = 1e9;
};

Times best(int runs, const std::function<void()>& f) {
    Times b;
    for (int i = 0; i < runs; ++i) {
        const double wall = now(), cpu = cpuNow();
        f();
        b.cpu = std::min(b.cpu, cpuNow() - cpu);
        b.wall = std::min(b.wall, now() - wall);
    }
    return b;
}

std::uintmax_t fileSize(const std::string& path) { return std::filesystem::file_size(path); }

const char* kDrawing =
    "[ $i 16 mod palette setpencolor $i 4 mod 1+ setpensize $i 2 * fd 89 rt ] 1900 times "
    "home 3 setpensize [ $i 7 mod palette setpencolor $i 19 * dup 2 / ellipse 17 rt ] 100 times "
    "[ $i 40 mod 10 + setlabelheight 'Veskel label $i 37 * 4000 mod $i 53 * 4000 mod setxy label ] 300 times";

// The picture as 8-bit RGB rows, for the reference encoders.
std::vector<unsigned char> rgbRows(const raster::Image& image) {
    const int w = image.width(), h = image.height();
    std::vector<std::uint32_t> argb(static_cast<std::size_t>(w) * h);
    image.readPixels(0, 0, w, h, argb.data());
    std::vector<unsigned char> rgb(argb.size() * 3);
    for (std::size_t i = 0; i < argb.size(); ++i) {
        rgb[3 * i] = static_cast<unsigned char>(argb[i] >> 16);
        rgb[3 * i + 1] = static_cast<unsigned char>(argb[i] >> 8);
        rgb[3 * i + 2] = static_cast<unsigned char>(argb[i]);
    }
    return rgb;
}

// libpng driven the plain way, from rows already in memory.
void referencePng(const std::vector<unsigned char>& rgb, int w, int h, const std::string& path, int level,
                  int filters, int strategy) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::exit(1);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) std::exit(1);
    png_init_io(png, f);
    png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE,
                 PNG_FILTER_TYPE_BASE);
    png_set_compression_level(png, level);
    png_set_compression_strategy(png, strategy);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, filters);
    png_write_info(png, info);
    for (int y = 0; y < h; ++y) png_write_row(png, rgb.data() + static_cast<std::size_t>(y) * w * 3);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 3;
    const std::string convert = argc > 2 ? argv[2] : "/usr/bin/convert";
    const raster::RasterApi raster = raster::loadRasterLibrariesOrExit();
    turtle::TurtleState t(raster);
    auto in = forth::makeCoreInterp();
    turtle::registerTurtleWords(*in, t);
    t.image->resize(4000, 4000);
    in->runLine("cs");
    in->runLine(kDrawing);
    const int w = t.image->width(), h = t.image->height();

    const auto dir = std::filesystem::temp_directory_path() / ("png_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string saved = (dir / "saved.png").string();
    // The program's save, as veskel -o and pintaro's Save make it (the
    // script chunk included).
    const Times save = best(runs, [&] { turtle::saveByExtension(*t.image, saved, kDrawing); });
    std::printf("%-44s CPU %6.3f s  wall %6.3f s  %10ju bytes\n", "program's save (with its script chunk)", save.cpu,
                save.wall, fileSize(saved));

    // Before the reference encoders' copy of the pixels: the picture, the
    // interpreter and whatever the save took.
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory after the drawing and the program's save: %.1f MB\n", usage.ru_maxrss / 1024.0);

    const std::vector<unsigned char> rgb = rgbRows(*t.image);
    struct Setting {
        const char* name;
        int level, filters, strategy;
    } settings[] = {
        {"libpng level 1, no filter (the limit's base)", 1, PNG_FILTER_NONE, Z_DEFAULT_STRATEGY},
        {"libpng level 1, filter sub", 1, PNG_FILTER_SUB, Z_DEFAULT_STRATEGY},
        {"libpng level 1, filter up", 1, PNG_FILTER_UP, Z_DEFAULT_STRATEGY},
        {"libpng level 1, adaptive filters", 1, PNG_ALL_FILTERS, Z_DEFAULT_STRATEGY},
        {"libpng level 2, no filter", 2, PNG_FILTER_NONE, Z_DEFAULT_STRATEGY},
        {"libpng level 3, no filter", 3, PNG_FILTER_NONE, Z_DEFAULT_STRATEGY},
        {"libpng level 1, no filter, RLE", 1, PNG_FILTER_NONE, Z_RLE},
        {"libpng level 6, adaptive (libpng's default)", 6, PNG_ALL_FILTERS, Z_DEFAULT_STRATEGY},
    };
    double base = 0;
    for (const Setting& s : settings) {
        const std::string path = (dir / "reference.png").string();
        const Times time = best(runs, [&] { referencePng(rgb, w, h, path, s.level, s.filters, s.strategy); });
        if (base == 0) base = time.cpu;
        std::printf("%-44s CPU %6.3f s  wall %6.3f s  %10ju bytes  (CPU %.2f x the base)\n", s.name, time.cpu,
                    time.wall, fileSize(path), time.cpu / base);
    }
    std::printf("program's save against the base: CPU %.2f x\n", save.cpu / base);

    // ImageMagick from the same pixels, with its own default settings.
    const std::string raw = (dir / "picture.rgb").string(), magick = (dir / "magick.png").string();
    std::ofstream(raw, std::ios::binary).write(reinterpret_cast<const char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
    const std::string command = convert + " -size " + std::to_string(w) + "x" + std::to_string(h) + " -depth 8 rgb:" +
                                raw + " " + magick;
    const Times magickTime = best(1, [&] {
        if (std::system(command.c_str()) != 0) std::printf("(convert failed)\n");
    });
    if (std::filesystem::exists(magick))
        std::printf("%-44s              wall %6.3f s  %10ju bytes  (reading the raw pixels included)\n",
                    "ImageMagick convert", magickTime.wall, fileSize(magick));

    // A picture that is no drawing: smooth colour with noise on it, as a
    // photograph opened and saved again has. The save keeps adaptive
    // filters for it; level 1 without filters is shown beside.
    const int pw = 2000, ph = 2000;
    t.image->resize(pw, ph);
    std::vector<std::uint32_t> photo(static_cast<std::size_t>(pw) * ph);
    std::uint32_t seed = 12345;
    for (int y = 0; y < ph; ++y)
        for (int x = 0; x < pw; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int noise = static_cast<int>(seed >> 28) - 8;
            auto channel = [&](int v) { return static_cast<std::uint32_t>(std::clamp(v + noise, 0, 255)); };
            photo[static_cast<std::size_t>(y) * pw + x] = 0xFF000000u | channel(x * 255 / pw) << 16 |
                                                          channel(y * 255 / ph) << 8 | channel((x + y) * 255 / (pw + ph));
        }
    t.image->writePixels(0, 0, pw, ph, photo.data());
    const Times photoSave = best(runs, [&] { turtle::saveByExtension(*t.image, saved); });
    std::printf("%-44s CPU %6.3f s  wall %6.3f s  %10ju bytes\n", "photograph-like 2000 x 2000, program's save",
                photoSave.cpu, photoSave.wall, fileSize(saved));
    const std::vector<unsigned char> photoRgb = rgbRows(*t.image);
    const std::string photoPath = (dir / "photo.png").string();
    const Times photoBase =
        best(runs, [&] { referencePng(photoRgb, pw, ph, photoPath, 1, PNG_FILTER_NONE, Z_DEFAULT_STRATEGY); });
    std::printf("%-44s CPU %6.3f s  wall %6.3f s  %10ju bytes\n", "photograph-like, level 1, no filter",
                photoBase.cpu, photoBase.wall, fileSize(photoPath));
    std::filesystem::remove_all(dir);
    return 0;
}
