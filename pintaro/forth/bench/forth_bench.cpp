// Throughput of the interpreter's hot path, in executed words per second.
// Each benchmark runs one line whose loop executes a known number of words.
#include <benchmark/benchmark.h>

#include "forth/interp.h"

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

// A recursive word whose body runs a block: 30 fib makes 1,664,079 calls,
// each with a block collected inside it.
void BM_FibWithBlock(benchmark::State& state) {
    auto in = forth::makeCoreInterp();
    in->runLine(":fib dup 2 >= [ dup 1- fib swap 2 - fib + ] iftrue ;");
    forth::WordList words = forth::splitWords("30 fib drop");
    for (auto _ : state) in->runWords(words);
    state.counters["calls/s"] = benchmark::Counter(1'664'079.0 * state.iterations(), benchmark::Counter::kIsRate);
}

// Definitions of the form :wN N ; on one interpreter, each a new word.
void BM_Definitions(benchmark::State& state) {
    auto in = forth::makeCoreInterp();
    long n = 0;
    for (auto _ : state) {
        ++n;
        in->runLine(":w" + std::to_string(n) + " " + std::to_string(n) + " ;");
    }
    state.counters["definitions/s"] = benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_FibWithBlock)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Definitions);
BENCHMARK(BM_TimesArithmetic)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UserWordsWithVariables)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WhileRepeatCounting)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BlockBuiltPerCall)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
