// What undo and redo cost (not a test). Needs no display: the history works
// on the raster layer alone, opened by name as veskel opens it.
//
//   undo and redo of one step on 640 x 400 and 4000 x 4000 pictures: a
//   100-pixel line, and `clean` in a new colour, which changes every pixel
//   history memory after 100 typical command-line steps on 640 x 400
//   1,000 undos after a drawing of 10,000 segments, one step each
//   the drawing walks of turtle_bench as one step, recorded or not, and
//   one short command recorded or not on 640 x 400 and 4000 x 4000
//
// Optional argument: rounds (default 7); each figure is the median.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "app/app_limits.h"
#include "app/drawing_history.h"
#include "turtle/drawing_script.h"
#include "app/drawing_steps.h"
#include "forth/interp.h"
#include "raster/raster_api.h"
#include "raster/raster_loader.h"
#include "turtle/turtle.h"
#include "turtle/turtle_words.h"

#include "bench_timing.h"

namespace {

using bench::Clock;
using bench::cpuMs;
using bench::median;
using bench::msSince;

// A turtle with its words and a history, as the program has them.
struct Drawing {
    turtle::TurtleState t;
    std::unique_ptr<forth::Interp> in = forth::makeCoreInterp();
    app::DrawingHistory history{app::limits::kHistoryBudgetBytes};
    std::string path;

    Drawing(const raster::RasterApi& raster, int width, int height) : t(raster) {
        turtle::registerTurtleWords(*in, t);
        turtle::imageReset(t, width, height);
        std::tie(t.x, t.y) = turtle::homePosition(t);
        history.start(t, turtle::scriptStartLine(turtle::DrawingStart::StartImage, width, height));
    }
    void step(const std::string& text) {
        in->runLine(text);
        history.record(t, app::commandStep(text, false));
    }
};

void undoRedo(const raster::RasterApi& raster, int width, int height, const std::string& text, int rounds) {
    Drawing d(raster, width, height);
    d.step("10 fd");
    d.step(text);
    std::vector<double> undo, redo, undoCpu, redoCpu;
    for (int r = 0; r < rounds; ++r) {
        double c0 = cpuMs();
        auto t0 = Clock::now();
        d.history.undo(d.t, d.path);
        undo.push_back(msSince(t0));
        undoCpu.push_back(cpuMs() - c0);
        c0 = cpuMs();
        t0 = Clock::now();
        d.history.redo(d.t, d.path);
        redo.push_back(msSince(t0));
        redoCpu.push_back(cpuMs() - c0);
    }
    std::printf("%4d x %-4d  %-20s undo %7.3f ms (CPU %7.3f)   redo %7.3f ms (CPU %7.3f)   kept %7zu bytes\n", width,
                height, text.c_str(), median(undo), median(undoCpu), median(redo), median(redoCpu), d.history.bytes());
}

void memoryAfterTypicalSteps(const raster::RasterApi& raster) {
    const char* const kTypical[] = {
        "100 fd", "90 rt", "50 bk", "'Hello label", "30 30 ellipse", "#red setpc 45 lt 80 fd",
        "[ 20 fd 72 rt ] 5 times", "pu 40 fd pd", "3 setpensize 60 fd", "1 setpensize #yellow setpc 150 rt 120 fd",
    };
    Drawing d(raster, 640, 400);
    for (int k = 0; k < 100; ++k) d.step(kTypical[k % 10]);
    std::printf("100 typical command-line steps on 640 x 400: %zu steps kept, %.2f MiB, plus the picture's copy "
                "%.2f MiB\n",
                d.history.undoable(), static_cast<double>(d.history.bytes()) / (1 << 20),
                static_cast<double>(d.history.copyBytes()) / (1 << 20));
}

void thousandUndos(const raster::RasterApi& raster) {
    Drawing d(raster, 640, 400);
    // A spiral of segments of growing and shrinking length, one step each.
    for (int k = 0; k < 10000; ++k) d.step(std::to_string(5 + k % 150) + " fd 61 rt");
    const double c0 = cpuMs();
    const auto t0 = Clock::now();
    for (int k = 0; k < 1000; ++k) d.history.undo(d.t, d.path);
    std::printf("1000 undos after 10000 one-segment steps: %.1f ms (CPU %.1f ms); %zu steps kept in %.1f MiB\n",
                msSince(t0), cpuMs() - c0, d.history.undoable() + d.history.redoable(),
                static_cast<double>(d.history.bytes()) / (1 << 20));
}

// A walk as one step, recorded or not; the two alternate.
void recordingCost(const raster::RasterApi& raster, int width, int height, const std::string& text, int rounds) {
    Drawing d(raster, width, height);
    std::vector<double> plain, recorded;
    for (int r = 0; r < rounds; ++r) {
        for (bool record : {false, true}) {
            d.in->runLine("cs");
            d.history.record(d.t, app::commandStep("cs", false));
            const double c0 = cpuMs();
            d.in->runLine(text);
            if (record) d.history.record(d.t, app::commandStep(text, false));
            (record ? recorded : plain).push_back(cpuMs() - c0);
        }
    }
    const double p = median(plain), h = median(recorded);
    std::printf("%4d x %-4d  %-30s history off %8.3f ms   on %8.3f ms   %+.3f ms (%+.1f %%)\n", width, height,
                text.c_str(), p, h, h - p, (h / p - 1) * 100);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const raster::RasterApi raster = raster::loadRasterLibrariesOrExit();
    for (const auto& [w, h] : {std::pair{640, 400}, std::pair{4000, 4000}}) {
        undoRedo(raster, w, h, "100 fd", rounds);
        undoRedo(raster, w, h, "#blue setbg clean", rounds);
    }
    memoryAfterTypicalSteps(raster);
    thousandUndos(raster);
    recordingCost(raster, 640, 400, "[ 1 fd 1 rt ] 100000 times", rounds);
    recordingCost(raster, 640, 400, "[ 100 fd 91 rt ] 10000 times", rounds);
    recordingCost(raster, 640, 400, "100 fd", rounds);
    recordingCost(raster, 4000, 4000, "100 fd", rounds);
    return 0;
}
