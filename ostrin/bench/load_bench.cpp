// Loading script files of growing size: reading alone, and reading plus
// compiling and running. Times should grow in proportion to the size.
#include "ostrin.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// A script of about `bytes` bytes: many short statements, one long string
// literal line and a long comment, so both many lines and long lines count.
std::string make_script(std::size_t bytes)
{
    std::string s;
    s.reserve(bytes + 64);
    std::size_t i = 0;
    // Statements come in small functions: the engine caps the constants of
    // one function, and a real program of this size is not one flat block.
    while (s.size() < bytes / 2) {
        s += "(function () {\n";
        for (int k = 0; k < 1000; ++k, ++i)
            s += "    var v" + std::to_string(k) + " = " + std::to_string(i % 997) + ";\n";
        s += "})();\n";
    }
    s += "var long = \"";
    s.append((bytes - s.size()) / 2, 'x');
    s += "\";\n// ";
    s.append(bytes > s.size() ? bytes - s.size() : 0, 'c');
    s += "\n";
    return s;
}

struct script_file {
    std::string path;
    explicit script_file(std::size_t bytes)
        : path("/tmp/ostrin-bench-" + std::to_string(getpid()) + "-" + std::to_string(bytes) + ".js")
    {
        std::ofstream(path, std::ios::binary) << make_script(bytes);
    }
    ~script_file() { std::remove(path.c_str()); }
};

[[noreturn]] void bench_fatal(void*, const char* msg)
{
    std::fprintf(stderr, "fatal: %s\n", msg ? msg : "");
    std::abort();
}

void BM_ReadFile(benchmark::State& state)
{
    script_file file(static_cast<std::size_t>(state.range(0)));
    ostrin_heap heap = ostrin_create_heap(bench_fatal);
    for (auto _ : state) {
        if (!ostrin_read_file(heap.get(), file.path.c_str()))
            state.SkipWithError("cannot read");
        duk_pop(heap.get());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_ReadCompileRun(benchmark::State& state)
{
    script_file file(static_cast<std::size_t>(state.range(0)));
    ostrin_heap heap = ostrin_create_heap(bench_fatal);
    ostrin_bind_to(heap.get());
    duk_context* ctx = heap.get();
    for (auto _ : state) {
        ostrin_read_file(ctx, file.path.c_str());
        duk_push_string(ctx, file.path.c_str());
        duk_compile(ctx, 0);
        duk_call(ctx, 0);
        duk_pop(ctx);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_ReadFile)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadCompileRun)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
