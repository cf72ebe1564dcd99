// How much the interpreter and the turtle add to the strokes themselves.
//
// Each walk runs twice on the same 640 x 400 image: once as a Veskel script
// through the interpreter and the turtle words, once as a plain C++ loop
// that computes the same positions and makes the same cairo calls on the
// same surface. The best of several runs (thread CPU time) is reported for
// each, then the time to save the image as PNG. Not a test: run it by hand,
// optionally with the number of runs (default 5).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>

#include "turtle/image_format.h"
#include "forth/interp.h"
#include "raster/raster_api.h"
#include "raster/raster_loader.h"
#include "turtle/turtle.h"
#include "turtle/turtle_words.h"

namespace {

// CPU time of this thread: on a shared machine, time spent waiting for a
// core would otherwise swamp the difference being measured.
double cpuNow() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double seconds(const std::function<void()>& f) {
    const double start = cpuNow();
    f();
    return cpuNow() - start;
}

double best(int runs, const std::function<void()>& prepare, const std::function<void()>& f) {
    double b = 1e9;
    for (int i = 0; i < runs; ++i) {
        prepare();
        b = std::min(b, seconds(f));
    }
    return b;
}

// The turtle's walk and line, without interpreter, turtle words or canvas:
// the same cairo calls the canvas makes for one line.
void plainWalk(const raster::RasterApi& g, cairo_t* cr, long segments, double length, double turn) {
    double x = 320, y = 200, heading = 0;
    for (long i = 0; i < segments; ++i) {
        const double theta = (heading - 90) * turtle::limits::kRadiansPerDegree;
        const double nx = x + length * std::cos(theta), ny = y + length * std::sin(theta);
        g.cairo_set_source_rgba(cr, 1, 1, 1, 1);
        g.cairo_set_line_width(cr, 1.0);
        g.cairo_move_to(cr, static_cast<double>(static_cast<long long>(x)),
                        static_cast<double>(static_cast<long long>(y)));
        g.cairo_line_to(cr, static_cast<double>(static_cast<long long>(nx)),
                        static_cast<double>(static_cast<long long>(ny)));
        g.cairo_stroke(cr);
        x = nx, y = ny;
        heading += turn;
        if (heading >= 360) heading -= 360;
    }
}

void compare(turtle::TurtleState& t, forth::Interp& in, long segments, double length, double turn, int runs) {
    char script[128];
    std::snprintf(script, sizeof script, "[ %g fd %g rt ] %ld times", length, turn, segments);
    const forth::WordList words = forth::splitWords(script);
    auto reset = [&] {
        in.runLine("cs");
        in.stack().clear();
    };
    // Alternating the two keeps a busy machine from favouring either.
    double viaTurtle = 1e9, plain = 1e9;
    for (int i = 0; i < runs; ++i) {
        viaTurtle = std::min(viaTurtle, best(1, reset, [&] { in.runWords(words); }));
        plain = std::min(plain, best(1, reset, [&] { plainWalk(t.image->raster(), t.canvas().context(), segments, length, turn); }));
    }
    std::printf("%-34s turtle %.4f s   plain cairo %.4f s   overhead %+.1f%%\n", script, viaTurtle, plain,
                (viaTurtle / plain - 1) * 100);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    const raster::RasterApi raster = raster::loadRasterLibrariesOrExit();
    turtle::TurtleState t(raster);
    auto in = forth::makeCoreInterp();
    turtle::registerTurtleWords(*in, t);

    compare(t, *in, 100000, 1, 1, runs);
    compare(t, *in, 10000, 100, 91, runs);

    const std::string path = (std::filesystem::temp_directory_path() / "turtle_bench.png").string();
    const double save = best(runs, [] {}, [&] { turtle::saveByExtension(*t.image, path); });
    std::printf("save 640 x 400 PNG                 %.4f s\n", save);
    std::filesystem::remove(path);
    return 0;
}
