// Benchmarks of the drawing program's window (not tests):
//
//   startup_bench              start-up to first paint of the drawing view,
//                              against a bare GTK 3 window painting a 640 x
//                              400 image; then the repaint after a long
//                              drawing command
//   startup_bench child MODE FD  one start-up (MODE app or bare); writes a
//                              byte to FD at the first paint
//   startup_bench repaint      the repaint measurements alone
//   startup_bench phases       where the program's start-up goes: the median
//                              time of each step of main up to the first
//                              paint, over several starts
//   startup_bench versus ROUNDS OTHER...
//                              the comparison over ROUNDS rounds, interleaved
//                              with the start-ups of each OTHER, the
//                              startup_bench of another commit, so that all
//                              face the same load
//
// Needs an X display (run it under xvfb-run).
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "toolkit/application.h"
#include "app/drawing_view.h"
#include "toolkit/gtk_api.h"
#include "toolkit/gtk_loader.h"
#include "app/script_run.h"
#include "app/ui.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void signalPainted(int fd) {
    const char byte = 1;
    if (write(fd, &byte, 1) != 1) std::_Exit(3);
}

// ---- the baseline: GTK alone, the same window size, one image painted ----

// The baseline paints an image of the turtle's start size.
constexpr int kW = turtle::limits::kStartWidth;
constexpr int kH = turtle::limits::kStartHeight;

struct Bare {
    cairo_surface_t* image = nullptr;
    int fd = -1;
};

gboolean bareDraw(GtkWidget* widget, cairo_t* cr, gpointer data) {
    const auto& g = toolkit::gtk();
    const auto& r = toolkit::gtkRaster();
    auto* bare = static_cast<Bare*>(data);
    GtkAllocation a{};
    g.gtk_widget_get_allocation(widget, &a);
    r.cairo_set_source_surface(cr, bare->image, (a.width - kW) / 2, (a.height - kH) / 2);
    r.cairo_paint(cr);
    if (bare->fd >= 0) {
        signalPainted(bare->fd);
        bare->fd = -1;
    }
    return FALSE;
}

int runBare(int fd) {
    toolkit::loadGtkOrExit();
    const auto& g = toolkit::gtk();
    const auto& r = toolkit::gtkRaster();
    g.gtk_init(nullptr, nullptr);
    Bare bare;
    bare.fd = fd;
    bare.image = r.cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kW, kH);
    cairo_t* cr = r.cairo_create(bare.image);
    r.cairo_rectangle(cr, 0, 0, kW, kH);
    r.cairo_fill(cr);
    r.cairo_destroy(cr);
    GtkWidget* window = g.gtk_window_new(GTK_WINDOW_TOPLEVEL);
    g.gtk_window_set_default_size(reinterpret_cast<GtkWindow*>(window), 854, 480);
    GtkWidget* area = g.gtk_layout_new(nullptr, nullptr);
    g.gtk_container_add(reinterpret_cast<GtkContainer*>(window), area);
    g.g_signal_connect_data(area, "draw", G_CALLBACK(bareDraw), &bare, nullptr, GConnectFlags(0));
    g.gtk_widget_show(area);
    g.gtk_window_present(reinterpret_cast<GtkWindow*>(window));
    g.gtk_main();
    return 0;
}

// ---- the program's own start-up, as main does it ----

int runApp(int fd) {
    toolkit::loadGtkOrExit();
    app::AppState state;
    toolkit::Application application;
    application.init();
    app::Ui ui(state);
    ui.main.view.setOnDraw([&](toolkit::DrawEvent& e) {
        app::paintDrawingView(*e.canvas, state.turtle);
        if (fd >= 0) {
            signalPainted(fd);
            fd = -1;
        }
    });
    ui.show();
    application.run();
    return 0;
}

// The program's start-up as runApp makes it, timing each step; at the
// first paint the steps' durations go to `fd` as one line of numbers.
int runPhases(int fd) {
    std::vector<double> marks;
    auto t = Clock::now();
    auto mark = [&] {
        marks.push_back(msSince(t));
        t = Clock::now();
    };
    toolkit::loadGtkOrExit();
    mark();
    app::AppState state;
    mark();
    toolkit::Application application;
    application.init();
    mark();
    app::Ui ui(state);
    mark();
    ui.main.view.setOnDraw([&](toolkit::DrawEvent& e) {
        app::paintDrawingView(*e.canvas, state.turtle);
        if (fd >= 0) {
            mark();
            std::string line;
            for (double m : marks) line += std::to_string(m) + " ";
            line += "\n";
            if (write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size())) std::_Exit(3);
            fd = -1;
        }
    });
    // Showing may already paint (it lets the toolkit handle pending events).
    ui.show();
    application.run();
    return 0;
}

// One start's milliseconds from fork to the first paint: on the clock, and
// of CPU time in the child's threads (up to the kill just after the paint),
// which a busy machine disturbs less.
struct StartTime {
    double wall;
    double cpu;
};

// One start of `program` (this one or another commit's startup_bench) in
// the given mode.
StartTime timeStart(const char* program, const char* mode) {
    int fds[2];
    if (pipe(fds) != 0) std::exit(1);
    const auto t0 = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        execl(program, program, "child", mode, fd.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    char byte = 0;
    const bool painted = read(fds[0], &byte, 1) == 1;
    const double ms = msSince(t0);
    close(fds[0]);
    kill(pid, SIGKILL);
    rusage usage{};
    wait4(pid, nullptr, 0, &usage);
    if (!painted) {
        std::fprintf(stderr, "%s start-up never painted\n", mode);
        std::exit(1);
    }
    auto msOf = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return {ms, msOf(usage.ru_utime) + msOf(usage.ru_stime)};
}

void startupComparison(const char* self) {
    constexpr int kRounds = 15;
    std::vector<double> app, bare;
    timeStart(self, "bare");  // warm the file cache
    for (int i = 0; i < kRounds; ++i) {
        bare.push_back(timeStart(self, "bare").wall);
        app.push_back(timeStart(self, "app").wall);
    }
    const double a = median(app), b = median(bare);
    std::printf("start-up to first paint, median of %d: pintaro %.1f ms, bare GTK 3 window %.1f ms, ratio %.2f\n",
                kRounds, a, b, a / b);
}

// The first number of /proc/loadavg, for the note beside a comparison.
std::string loadAverage() {
    std::FILE* f = std::fopen("/proc/loadavg", "r");
    char text[32] = "?";
    if (f) {
        if (std::fscanf(f, "%31s", text) != 1) std::strcpy(text, "?");
        std::fclose(f);
    }
    return text;
}

// The comparison with other builds' start-ups in one run: in each round
// the bare window, then this build and the others, in an order that
// rotates, so that a change of load meets all alike and none always
// follows another.
void startupVersus(const char* self, std::vector<const char*> others, int rounds) {
    std::vector<const char*> programs{self};
    programs.insert(programs.end(), others.begin(), others.end());
    std::vector<std::vector<double>> wall(programs.size()), cpu(programs.size());
    std::vector<double> bareWall, bareCpu;
    const std::string loadBefore = loadAverage();
    timeStart(self, "bare");  // warm the file cache
    for (const char* p : programs) timeStart(p, "app");
    for (int i = 0; i < rounds; ++i) {
        const StartTime bare = timeStart(self, "bare");
        bareWall.push_back(bare.wall);
        bareCpu.push_back(bare.cpu);
        for (std::size_t k = 0; k < programs.size(); ++k) {
            const std::size_t p = (k + i) % programs.size();
            const StartTime t = timeStart(programs[p], "app");
            wall[p].push_back(t.wall);
            cpu[p].push_back(t.cpu);
        }
    }
    const double bw = median(bareWall), bc = median(bareCpu);
    std::printf("start-up to first paint, median of %d interleaved, load %s to %s:\n"
                "  bare GTK 3 window: %.1f ms, CPU %.1f ms\n",
                rounds, loadBefore.c_str(), loadAverage().c_str(), bw, bc);
    for (std::size_t p = 0; p < programs.size(); ++p) {
        const double w = median(wall[p]), c = median(cpu[p]);
        std::printf("  %s: %.1f ms, ratio %.2f; CPU %.1f ms, ratio %.2f\n", p == 0 ? "this build" : programs[p], w,
                    w / bw, c, c / bc);
    }
}

// The steps of main, each timed over several starts (runPhases).
void startupPhases(const char* self) {
    constexpr int kRounds = 15;
    const char* const names[] = {"load GTK", "interpreter and turtle (AppState)", "gtk_init (Application::init)",
                                 "main window (Ui)", "show, to the first paint"};
    constexpr std::size_t kPhases = std::size(names);
    std::vector<std::vector<double>> phases(kPhases);
    for (int i = 0; i < kRounds; ++i) {
        int fds[2];
        if (pipe(fds) != 0) std::exit(1);
        const pid_t pid = fork();
        if (pid == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            execl(self, self, "child", "phases", fd.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string line;
        char c;
        while (read(fds[0], &c, 1) == 1 && c != '\n') line += c;
        close(fds[0]);
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        std::size_t k = 0;
        for (const char* at = line.c_str(); k < kPhases; ++k) {
            char* end = nullptr;
            const double v = std::strtod(at, &end);
            if (end == at) break;
            phases[k].push_back(v);
            at = end;
        }
        if (k != kPhases) {
            std::fprintf(stderr, "a start-up never painted\n");
            std::exit(1);
        }
    }
    std::printf("start-up steps, median of %d starts:\n", kRounds);
    for (std::size_t k = 0; k < kPhases; ++k) std::printf("  %-36s %7.1f ms\n", names[k], median(phases[k]));
}

// ---- repaint after a long drawing ----

void repaintAfterLongDrawing() {
    toolkit::loadGtkOrExit();
    app::AppState state;
    toolkit::Application application;
    application.init();
    app::Ui ui(state);
    int draws = 0;
    ui.main.view.setOnDraw([&](toolkit::DrawEvent& e) {
        app::paintDrawingView(*e.canvas, state.turtle);
        ++draws;
    });
    ui.show();
    const auto& g = toolkit::gtk();
    while (draws == 0) g.gtk_main_iteration();

    auto t0 = Clock::now();
    if (auto error = app::runUserText(state.interp, "[ 1 fd 1 rt ] 100000 times")) {
        std::fprintf(stderr, "command failed: %s\n", error->c_str());
        std::exit(1);
    }
    const double runMs = msSince(t0);

    constexpr int kRounds = 50;
    std::vector<double> onScreen, offScreen;
    for (int i = 0; i < kRounds; ++i) {
        const int before = draws;
        t0 = Clock::now();
        ui.main.view.forceRedraw();
        while (draws == before) g.gtk_main_iteration();
        onScreen.push_back(msSince(t0));
    }
    raster::Image view(toolkit::gtkRaster());
    view.resize(ui.main.view.width(), ui.main.view.height());
    for (int i = 0; i < kRounds; ++i) {
        t0 = Clock::now();
        app::paintDrawingView(view.canvas(), state.turtle);
        offScreen.push_back(msSince(t0));
    }
    std::printf("[ 1 fd 1 rt ] 100000 times: run %.1f ms; repaint of the %d x %d view, median of %d: "
                "%.3f ms on screen (request to painted), %.3f ms painting alone\n",
                runMs, ui.main.view.width(), ui.main.view.height(), kRounds, median(onScreen),
                median(offScreen));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "child") == 0) {
        const int fd = std::atoi(argv[3]);
        if (std::strcmp(argv[2], "phases") == 0) return runPhases(fd);
        return std::strcmp(argv[2], "bare") == 0 ? runBare(fd) : runApp(fd);
    }
    if (argc == 2 && std::strcmp(argv[1], "phases") == 0) {
        startupPhases(argv[0]);
        return 0;
    }
    if (argc >= 4 && std::strcmp(argv[1], "versus") == 0) {
        const int rounds = std::atoi(argv[2]);
        if (rounds < 1) {
            std::fprintf(stderr, "startup_bench versus ROUNDS OTHER...: ROUNDS must be a positive number\n");
            return 2;
        }
        startupVersus(argv[0], std::vector<const char*>(argv + 3, argv + argc), rounds);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "repaint") == 0) {
        repaintAfterLongDrawing();
        return 0;
    }
    startupComparison(argv[0]);
    std::fflush(stdout);
    // The repaint needs a process of its own: this one must stay free of GTK
    // while it forks the start-up children.
    const pid_t pid = fork();
    if (pid == 0) {
        execl(argv[0], argv[0], "repaint", static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
