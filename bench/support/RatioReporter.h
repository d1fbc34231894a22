// Prints the usual console report and keeps each benchmark's time (the
// median of its rounds when repeated), so a benchmark program can print its
// ratios to the floor at the end.
//
// The time kept is the CPU time of the thread that ran the benchmark: on a
// shared machine the wall-clock time also holds whatever else the machine
// ran meanwhile, and moves a ratio by a quarter from one run to the next.
#pragma once

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal: a log or a pipe gets plain lines, so the
    // closing "ratio" lines are found at the start of a line.
    RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            // A single round stands in only where there is no median.
            const bool median = run.aggregate_name == "median";
            if (!median && run.run_type != Run::RT_Iteration)
                continue;
            for (const std::string& name : {run.run_name.function_name, run.run_name.str()}) {
                if (median)
                    m_times[name] = run.GetAdjustedCPUTime();
                else
                    m_times.emplace(name, run.GetAdjustedCPUTime());
            }
        }
    }

    // The time of the named benchmark, by its name alone or with its
    // arguments ("Load/0"); 0 when it did not run.
    double time(const std::string& name) const {
        const auto found = m_times.find(name);
        return found == m_times.end() ? 0.0 : found->second;
    }

private:
    std::map<std::string, double> m_times;
};
