// The main of every benchmark program: the allocator keeps the memory it is
// given back, the benchmarks run, and the program ends with one line per
// target, "ratio <name> <measured> target <target>".
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
    double target;
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

inline int RunBenchmarks(int argc, char** argv, const std::vector<RatioTarget>& targets) {
    KeepFreedMemory();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    // The report goes through std::cout; the ratios follow it, never within.
    std::cout.flush();
    std::fflush(nullptr);
    for (const RatioTarget& target : targets) {
        const double measured = target.measured(reporter);
        if (measured > 0)
            std::printf("ratio %s %.2f target %g\n", target.name.c_str(), measured, target.target);
    }
    return 0;
}
