// Benchmarks of the console (not tests):
//
//   console_bench print   a console script printing 100,000 numbers with `.`,
//                         from Run to the last number shown
//   console_bench draw    a script drawing 100,000 segments: run from the
//                         console, against the same script on an interpreter
//                         with the turtle and no window (what veskel runs)
//   console_bench poll    the interpreter loop of the drawing script without
//                         the turtle, with and without the watching poll hook
//   console_bench loop-watched | loop-bare
//                         that loop once, for instruction counts
//
//   console_bench watch TREE.FS
//                         Full-speed console runs of the tree example and of
//                         the 100,000-segment spiral, with the Inspector shut
//                         and open (interleaved rounds), and what one
//                         refresh of the Inspector costs
//
// No argument runs all three. print and draw need an X display (run them
// under xvfb-run).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "app/app_limits.h"
#include "app/app_state.h"
#include "toolkit/application.h"
#include "app/console_window.h"
#include "toolkit/gtk_loader.h"
#include "app/run_guard.h"
#include "app/script_file.h"
#include "turtle/turtle_words.h"
#include "app/ui.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0) { return std::chrono::duration<double, std::milli>(Clock::now() - t0).count(); }

// Processor time of the whole process: on a loaded machine the wall time
// also counts the time other programs had the processor.
double cpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

constexpr int kRounds = 5;
const char* const kPrintScript = "[ $i . ] 100000 times";
const char* const kDrawScript = "[ $i 400 mod fd 91 rt ] 100000 times";

// The program's windows with the console, as start-up builds them.
struct Program {
    app::AppState state;
    toolkit::Application application;
    std::unique_ptr<app::Ui> ui;

    Program() {
        application.init();
        ui = std::make_unique<app::Ui>(state);
        ui->show();
        ui->console().show();
        application.sleep(300);
    }

    // Runs the editor's script as the Run button does, until it shows.
    // Wall time; `cpu` gets the processor time.
    double run(const std::string& script, double& cpu) {
        app::ConsoleWindow& console = ui->console();
        console.output.setText("");
        console.editor.setText(script);
        application.sleep(50);
        const double c0 = cpuMs();
        const auto t0 = Clock::now();
        app::runConsoleScript(console, state, ui->main);
        application.sleep(0);
        cpu = cpuMs() - c0;
        return msSince(t0);
    }
};

void benchPrint(Program& p) {
    std::vector<double> ms, cpu;
    for (int r = 0; r < kRounds; ++r) {
        double c = 0;
        ms.push_back(p.run(kPrintScript, c));
        cpu.push_back(c);
    }
    const std::string shown = p.ui->console().output.text();
    std::printf("print 100000 numbers from the console: median %.0f ms (min %.0f, max %.0f), processor time median "
                "%.0f ms; %zu characters shown\n",
                median(ms), *std::min_element(ms.begin(), ms.end()), *std::max_element(ms.begin(), ms.end()),
                median(cpu), shown.size());
}

void benchDraw(Program& p) {
    std::vector<double> consoleMs, headlessMs;
    for (int r = 0; r < kRounds; ++r) {
        p.state.interp.runLine("clearscreen");
        double cpu = 0;
        consoleMs.push_back(p.run(kDrawScript, cpu));

        // What veskel does: the core and turtle words on an interpreter with
        // no window and no poll hook.
        forth::Interp in;
        turtle::TurtleState t(toolkit::gtkRaster());
        forth::registerCoreWords(in);
        turtle::registerTurtleWords(in, t);
        const auto t0 = Clock::now();
        in.setLineCounter(1);
        in.runLine(kDrawScript);
        headlessMs.push_back(msSince(t0));
    }
    const double c = median(consoleMs), h = median(headlessMs);
    std::printf("draw 100000 segments: console median %.0f ms, without a window median %.0f ms: +%.1f %%\n", c, h,
                (c / h - 1.0) * 100.0);
}

// The loop of the drawing script without the turtle: the interpreter alone,
// then with the guard watching it (its breath does nothing here; in the
// program it comes every 50 ms at most).
constexpr const char* kLoop = "[ $i 400 mod 91 + drop ] 3000000 times";

double loopOnce(bool watched) {
    forth::Interp in;
    forth::registerCoreWords(in);
    app::RunGuard guard{std::chrono::milliseconds(app::limits::kBreatheMilliseconds)};
    guard.setBreathe([] {});
    if (watched) guard.watch(in);
    app::RunGuard::Run run = guard.begin();
    const auto t0 = Clock::now();
    in.runLine(kLoop);
    return msSince(t0);
}

void benchPoll() {
    std::vector<double> watched, bare;
    for (int r = 0; r < 9; ++r) {
        watched.push_back(loopOnce(true));
        bare.push_back(loopOnce(false));
    }
    const double w = median(watched), b = median(bare);
    std::printf("3e6 loop passes: watched median %.1f ms, no hook median %.1f ms: %+.1f %%\n", w, b,
                (w / b - 1.0) * 100.0);
}

// Each script with the Inspector shut, then open (it stays open after).
void benchWatch(Program& p, const std::string& treePath) {
    const std::string tree = app::readScriptFile(treePath);
    const std::string spiral = std::string("clearscreen ") + kDrawScript;
    constexpr int kWatchRounds = 9;
    std::vector<double> times[2][2], cpus[2][2];  // [script][inspector open]
    for (int open = 0; open < 2; ++open) {
#ifndef BENCH_WITHOUT_INSPECTOR
        if (open) p.ui->editorTools().showInspector();
#endif
        for (int r = 0; r < kWatchRounds; ++r) {
            double cpu = 0;
            times[0][open].push_back(p.run(tree, cpu));
            cpus[0][open].push_back(cpu);
            times[1][open].push_back(p.run(spiral, cpu));
            cpus[1][open].push_back(cpu);
        }
    }
#ifndef BENCH_WITHOUT_INSPECTOR
    // One refresh, the turtle moved before each so that the text changes,
    // with the events it leaves (the window laid out and drawn again). A
    // Full-speed run refreshes at most every kInspectorRefreshMilliseconds,
    // so this bounds what the Inspector adds to it, whatever the load.
    std::vector<double> refreshes;
    for (int k = 0; k < 41; ++k) {
        p.state.interp.runLine("1 fd");
        p.application.sleep(0);
        const double c0 = cpuMs();
        p.ui->editorTools().refreshInspector(true);
        p.application.sleep(0);
        refreshes.push_back(cpuMs() - c0);
    }
    const double perSecond = 1000.0 / app::limits::kInspectorRefreshMilliseconds;
    std::printf("one Inspector refresh: median CPU %.2f ms; %.0f a second at most during a Full-speed run: at most "
                "%.2f %% of its time\n",
                median(refreshes), perSecond, median(refreshes) * perSecond / 10.0);
#endif
    // Processor time too: on a loaded machine the wall time also counts
    // the time other programs had the processor.
    const char* names[] = {"tree.fs", "spiral 100000 segments"};
    for (int s = 0; s < 2; ++s) {
        const double shut = median(times[s][0]), open = median(times[s][1]);
        const double cShut = median(cpus[s][0]), cOpen = median(cpus[s][1]);
        std::printf("%s from the console: inspector shut median %.1f ms (CPU %.1f), open median %.1f ms (CPU %.1f): "
                    "%+.1f %% (CPU %+.1f %%)\n",
                    names[s], shut, cShut, open, cOpen, (open / shut - 1.0) * 100.0, (cOpen / cShut - 1.0) * 100.0);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "all";
    // For instruction counts (valgrind --tool=cachegrind): one loop only.
    if (what == "loop-watched" || what == "loop-bare") {
        loopOnce(what == "loop-watched");
        return 0;
    }
    if (what == "poll" || what == "all") benchPoll();
    if (what == "poll") return 0;
    toolkit::loadGtkOrExit();
    Program p;
    if (what == "print" || what == "all") benchPrint(p);
    if (what == "draw" || what == "all") benchDraw(p);
    if (what == "watch" && argc > 2) benchWatch(p, argv[2]);
    return 0;
}
