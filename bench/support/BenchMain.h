// The main of every benchmark program: the allocator keeps the memory it is
// given back, every benchmark is measured in many short rounds, shuffled
// together with the rounds of the others, and the program ends with one line
// per target, "ratio <name> <measured> target <target>", from the medians.
//
// One measurement of each side moves a ratio by a quarter from one run to
// the next on a shared machine. The median of many rounds moves far less,
// and shuffling the rounds lets a burst of load fall on both sides of a ratio
// rather than on the one that happened to run during it.
//
// glibc hands large freed blocks back to the system at once, and memory
// fresh from the system costs a page fault per page; code that allocates
// little would then be compared against floors that pay that cost over and
// over. With the thresholds high, both sides reuse what they freed.
#pragma once

#include "RatioReporter.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

struct RatioTarget {
    std::string name;
    // The measured ratio from the benchmark times; 0 when a time is missing.
    std::function<double(const RatioReporter&)> measured;
    // 0 for a ratio shown for information, printed as "info <name> <measured>".
    double target;
};

// The rounds each benchmark is measured in, and the least time of a round
// in seconds; flags given on the command line take precedence.
struct Rounds {
    int count = 20;
    double seconds = 0.1;
};

inline void KeepFreedMemory() {
    // The largest threshold glibc accepts for mapped blocks (32 MiB on 64-bit).
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
}

// Reads a whole file in one call into a buffer that keeps its storage, as a
// floor gets its bytes.
inline void ReadWholeFile(const std::string& path, std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        bytes.clear();
        return;
    }
    std::fseek(file, 0, SEEK_END);
    bytes.resize(static_cast<size_t>(std::ftell(file)));
    std::fseek(file, 0, SEEK_SET);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    std::fclose(file);
}

// A time over its floor's, or 0 when either did not run.
inline double Ratio(double time, double floor) {
    return time > 0 && floor > 0 ? time / floor : 0.0;
}

// The time of the benchmark `time` over that of `floor`, as ratio `name`.
inline RatioTarget TimeOverFloor(const std::string& name, const std::string& time,
                                 const std::string& floor, double target) {
    return {name,
            [time, floor](const RatioReporter& times) {
                return Ratio(times.time(time), times.time(floor));
            },
            target};
}

// A ratio named after its benchmark.
inline RatioTarget TimeOverFloor(const std::string& name, const std::string& floor, double target) {
    return TimeOverFloor(name, name, floor, target);
}

inline int RunBenchmarks(int argc, char** argv, const std::vector<RatioTarget>& targets,
                         Rounds rounds = {}) {
    KeepFreedMemory();
    // The defaults go first: benchmark takes the last of a repeated flag.
    const std::string defaults[] = {
        "--benchmark_repetitions=" + std::to_string(rounds.count),
        "--benchmark_min_time=" + std::to_string(rounds.seconds),
        "--benchmark_enable_random_interleaving=true",
        "--benchmark_report_aggregates_only=true",
    };
    std::vector<std::string> flags(argv, argv + argc);
    flags.insert(flags.begin() + (argc > 0 ? 1 : 0), std::begin(defaults), std::end(defaults));
    std::vector<char*> arguments;
    for (std::string& flag : flags)
        arguments.push_back(flag.data());
    arguments.push_back(nullptr);
    int count = static_cast<int>(flags.size());
    benchmark::Initialize(&count, arguments.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    // The report goes through std::cout; the ratios follow it, never within.
    std::cout.flush();
    std::fflush(nullptr);
    for (const RatioTarget& target : targets) {
        const double measured = target.measured(reporter);
        if (measured <= 0)
            continue;
        if (target.target > 0)
            std::printf("ratio %s %.2f target %g\n", target.name.c_str(), measured, target.target);
        else
            std::printf("info %s %.2f\n", target.name.c_str(), measured);
    }
    return 0;
}
