// Labels at many heights (not a test): 10,000 labels, each at a height of
// its own (1 to 2000 in steps of 0.2, `setlabelheight`), against the same
// labels at one height, through the interpreter and the turtle words on the
// 640 x 400 image. Run it by hand, optionally with the number of runs
// (default 3); the best CPU time of each is printed, and the peak memory.
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "forth/interp.h"
#include "raster/raster_api.h"
#include "raster/raster_loader.h"
#include "turtle/turtle.h"
#include "turtle/turtle_words.h"

namespace {

double cpuNow() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 3;
    const raster::RasterApi raster = raster::loadRasterLibrariesOrExit();
    turtle::TurtleState t(raster);
    auto in = forth::makeCoreInterp();
    turtle::registerTurtleWords(*in, t);
    const struct {
        const char* name;
        const char* script;
    } cases[] = {
        {"10,000 labels, each of a new height", "[ $i 5 / 1+ setlabelheight 'Veskel label ] 10000 times"},
        {"10,000 labels at height 15", "15 setlabelheight [ 'Veskel label ] 10000 times"},
    };
    for (const auto& c : cases) {
        double best = 1e9;
        for (int i = 0; i < runs; ++i) {
            in->runLine("cs");
            const double start = cpuNow();
            in->runLine(c.script);
            best = std::min(best, cpuNow() - start);
        }
        std::printf("%-40s CPU %7.3f s\n", c.name, best);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %.1f MB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
