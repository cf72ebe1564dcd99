// What a step back in a console run costs (not a test). Needs no display.
// A run of `[ $i 400 mod fd 91 rt ] 200 times` is stopped before its
// 1,000th word, as a paused run waits there; a step back then does what
// RunStepper does: the drawing history's copy of the picture back into the
// image, the interpreter's snapshot from the run's start restored, and the
// script run again, the step hook counting, up to the word before. On
// 640 x 400 and 4000 x 4000 pictures; with the memory the way back keeps.
//
// Optional argument: rounds (default 7); each figure is the median.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "app/app_limits.h"
#include "app/console_run.h"
#include "app/drawing_history.h"
#include "turtle/drawing_script.h"
#include "forth/errors.h"
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

constexpr const char* kScript = "[ $i 400 mod fd 91 rt ] 200 times";
constexpr std::uint64_t kPausedAt = 1000;

void stepBack(const raster::RasterApi& raster, int width, int height, int rounds) {
    turtle::TurtleState t(raster);
    auto in = forth::makeCoreInterp();
    turtle::registerTurtleWords(*in, t);
    turtle::imageReset(t, width, height);
    std::tie(t.x, t.y) = turtle::homePosition(t);
    app::DrawingHistory history{app::limits::kHistoryBudgetBytes};
    history.start(t, turtle::scriptStartLine(turtle::DrawingStart::StartImage, width, height));

    // Words counted as the stepper counts them; the run stops before the
    // target word, as a paused one waits there.
    std::uint64_t counted = 0, target = kPausedAt;
    in->setStepHook([&](forth::Interp& i, const forth::WordSpan&, const forth::Token&) {
        if (i.collecting()) return;
        if (counted++ == target) throw forth::ScriptError("paused");
    });
    in->setStepping(true);
    const forth::Interp::Snapshot start = in->snapshot();
    const std::uint32_t countdown = in->pollCountdown();
    app::runScriptText(*in, kScript);

    std::vector<double> wall, cpu;
    for (int r = 0; r < rounds; ++r) {
        // From before word 1000 to before word 999, then forward again.
        for (const std::uint64_t to : {kPausedAt - 1, kPausedAt}) {
            const double c0 = cpuMs();
            const auto t0 = Clock::now();
            if (!history.putBack(t)) std::abort();
            in->restore(start);
            in->setPollCountdown(countdown);
            counted = 0;
            target = to;
            app::runScriptText(*in, kScript);
            if (to < kPausedAt) {
                wall.push_back(msSince(t0));
                cpu.push_back(cpuMs() - c0);
            }
        }
    }
    const std::size_t snapshotBytes = start.stack.size() * sizeof(forth::Value) +
                                      start.records.size() * (sizeof(forth::WordRecord) + sizeof(std::uint32_t));
    std::printf("%d x %d: one step back from word %llu: median %.2f ms (CPU %.2f ms); kept for the way back: "
                "a snapshot of %zu bytes (%zu words), nothing per step; the history's picture copy it uses, "
                "kept anyway: %zu bytes\n",
                width, height, static_cast<unsigned long long>(kPausedAt), median(wall), median(cpu),
                snapshotBytes, start.records.size(), history.copyBytes());
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const raster::RasterApi raster = raster::loadRasterLibrariesOrExit();
    for (const auto& [w, h] : {std::pair{640, 400}, std::pair{4000, 4000}}) stepBack(raster, w, h, rounds);
    return 0;
}
