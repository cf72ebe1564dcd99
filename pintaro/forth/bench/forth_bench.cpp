// Throughput of the interpreter's hot path, in executed words per second.
// Each benchmark runs one line whose loop executes a known number of words.
#include <benchmark/benchmark.h>

#include "interp.h"

namespace {

constexpr long kPasses = 1'000'000;

void runLoop(benchmark::State& state, const char* setup, const char* line, double wordsPerPass) {
    auto in = forth::makeCoreInterp();
    in->runLine(setup);
    // Split once, as a front end running the same entry again would not; the
    // loop body is a block inside the line, so every pass re-runs it anyway.
    forth::WordList words = forth::splitWords(line);
    for (auto _ : state) {
        in->push(static_cast<double>(kPasses));
        in->runWords(words);
        in->stack().clear();
    }
    state.counters["words/s"] = benchmark::Counter(wordsPerPass * kPasses * state.iterations(),
                                                   benchmark::Counter::kIsRate);
}

// 4 words per pass: 1 2 + drop
void BM_TimesArithmetic(benchmark::State& state) {
    runLoop(state, "", "[ 1 2 + drop ] times", 4);
}

// Per pass: step, then twice inc with $x 1+ =x: 1 + 2 * (1 + 3) = 9 words
void BM_UserWordsWithVariables(benchmark::State& state) {
    runLoop(state, "0 =x :inc $x 1+ =x ; :step inc inc ;", "[ step ] times", 9);
}

// Per pass: condition $n $limit < and body $n 1+ =n: 6 words
void BM_WhileRepeatCounting(benchmark::State& state) {
    runLoop(state, "", "=limit 0 =n [ $n $limit < ] while [ $n 1+ =n ] repeat", 6);
}

// A definition with a block inside builds that block afresh on every call,
// as drawing scripts do. Per pass: star { 1 drop } 5 times, then 5 passes of
// 1 drop: 7 + 10 = 17 words.
void BM_BlockBuiltPerCall(benchmark::State& state) {
    runLoop(state, ":star { 1 drop } 5 times ;", "[ star ] times", 17);
}

}  // namespace

BENCHMARK(BM_TimesArithmetic)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UserWordsWithVariables)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WhileRepeatCounting)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BlockBuiltPerCall)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
