// The history's write after each processed pass with 3,000 warnings, and `galewarden-cli
// history --json` over 100,000 rows.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "HistorySeed.h"
#include "core/history/HistoryStore.h"
#include "core/platform/FileSystem.h"

namespace galewarden {
namespace {

std::filesystem::path freshDirectory(const char* name) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// A processed pass whose 3,000 warnings were all in force before: the steady state.
void historyPassSameWarnings(benchmark::State& state) {
    const std::filesystem::path dir = freshDirectory("galewarden-history-bench-same");
    HistoryStore store(pathText(dir / "History.db"));
    const std::vector<HistoryWarning> warnings = bench::passWarnings(0);
    HistoryTime now = 1'000'000;
    (void)store.recordPass(warnings, now, 400);
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.recordPass(warnings, ++now, 400));
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(historyPassSameWarnings)->Unit(benchmark::kMillisecond);

// A processed pass in which 1% of 3,000 warnings are new and as many ended.
void historyPassSomeChanged(benchmark::State& state) {
    const std::filesystem::path dir = freshDirectory("galewarden-history-bench-changed");
    HistoryStore store(pathText(dir / "History.db"));
    std::vector<HistoryWarning> warnings = bench::passWarnings(0);
    HistoryTime now = 1'000'000;
    (void)store.recordPass(warnings, now, 400);
    int pass = 1;
    for (auto _ : state) {
        state.PauseTiming();
        const std::vector<HistoryWarning> fresh = bench::passWarnings(pass++, 30);
        std::copy(fresh.begin(), fresh.end(), warnings.begin() + (pass % 99) * 30);
        state.ResumeTiming();
        benchmark::DoNotOptimize(store.recordPass(warnings, ++now, 400));
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(historyPassSomeChanged)->Unit(benchmark::kMillisecond);

// The very first pass: a new file, 3,000 warnings to insert, none to end.
void historyFirstPassIntoNewFile(benchmark::State& state) {
    const std::filesystem::path dir = freshDirectory("galewarden-history-bench-first");
    const std::vector<HistoryWarning> warnings = bench::passWarnings(0);
    int file = 0;
    for (auto _ : state) {
        state.PauseTiming();
        HistoryStore store(pathText(dir / ("History-" + std::to_string(file++) + ".db")));
        state.ResumeTiming();
        benchmark::DoNotOptimize(store.recordPass(warnings, 1'000'000, 400));
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(historyFirstPassIntoNewFile)->Unit(benchmark::kMillisecond)->Iterations(20);

// Every one of 3,000 warnings in force ends and 3,000 others are new: a whole turnover.
void historyPassAllNew(benchmark::State& state) {
    const std::filesystem::path dir = freshDirectory("galewarden-history-bench-new");
    HistoryStore store(pathText(dir / "History.db"));
    HistoryTime now = 1'000'000;
    int pass = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::vector<HistoryWarning> warnings = bench::passWarnings(pass++);
        state.ResumeTiming();
        benchmark::DoNotOptimize(store.recordPass(warnings, ++now, 400));
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(historyPassAllNew)->Unit(benchmark::kMillisecond)->Iterations(20);

// An unchanged answer.
void historyUnchangedAnswer(benchmark::State& state) {
    const std::filesystem::path dir = freshDirectory("galewarden-history-bench-unchanged");
    HistoryStore store(pathText(dir / "History.db"));
    HistoryTime now = 1'000'000;
    (void)store.recordPass(bench::passWarnings(0), now, 400);
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.recordUnchanged(++now, 400));
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(historyUnchangedAnswer)->Unit(benchmark::kMillisecond);

// The whole command, started as a script starts it, over 100,000 rows.
void historyJsonCommand(benchmark::State& state) {
    const std::filesystem::path dir = freshDirectory("galewarden-history-bench-cli");
    bench::seedHistory(pathText(dir / "History.db"), 100'000);
    ::setenv("GALEWARDEN_HOME", dir.c_str(), 1);
    // Into a file, as a script that keeps it would: a pipe would time its reader too.
    const std::string command =
        std::string(GALEWARDEN_CLI) + " history --json > " + (dir / "out.json").string();
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("galewarden-cli history failed");
        }
    }
    state.counters["output_MB"] =
        static_cast<double>(std::filesystem::file_size(dir / "out.json")) / 1e6;
    ::unsetenv("GALEWARDEN_HOME");
    std::filesystem::remove_all(dir);
}
BENCHMARK(historyJsonCommand)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace galewarden
