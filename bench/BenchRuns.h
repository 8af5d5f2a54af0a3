#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>

// Every run of each measured operation, for the summary a program prints: the mean is judged,
// the best shows how much of it the other load on the machine took.
struct BenchRuns {
    double totalMs = 0;
    double bestMs = 0;
    int count = 0;

    double meanMs() const { return totalMs / count; }
};

inline std::map<std::string, BenchRuns>& benchRuns() {
    static std::map<std::string, BenchRuns> runs;
    return runs;
}

inline void recordRun(const std::string& name, std::chrono::steady_clock::duration elapsed) {
    const double ms = std::chrono::duration<double, std::milli>(elapsed).count();
    BenchRuns& runs = benchRuns()[name];
    runs.bestMs = runs.count == 0 ? ms : std::min(runs.bestMs, ms);
    runs.totalMs += ms;
    ++runs.count;
}

// Times each iteration of work under the name.
template <typename Work>
void timedRuns(benchmark::State& state, const std::string& name, Work work) {
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        work();
        recordRun(name, std::chrono::steady_clock::now() - start);
    }
}

// The same, with prepare run untimed before each iteration (emptying what the work fills).
template <typename Prepare, typename Work>
void timedRunsAfter(benchmark::State& state, const std::string& name, Prepare prepare, Work work) {
    for (auto _ : state) {
        state.PauseTiming();
        prepare();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        work();
        recordRun(name, std::chrono::steady_clock::now() - start);
    }
}

// One summary line: mean and best, and against the target when there is one (limit 0: none).
// False when the figure is there and misses its target.
inline bool printRuns(const std::string& name, double limitMs) {
    const auto found = benchRuns().find(name);
    if (found == benchRuns().end())
        return true;
    const double mean = found->second.meanMs();
    std::printf("  %-55s %10.3f ms, best %10.3f ms", name.c_str(), mean, found->second.bestMs);
    if (limitMs > 0)
        std::printf("  (target < %g ms: %s)", limitMs, mean < limitMs ? "met" : "MISSED");
    std::printf("\n");
    return limitMs <= 0 || mean < limitMs;
}
