// The console report of Google Benchmark that also keeps each benchmark's
// median CPU time, for the summaries the benchmark programs print at the end.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class MedianReporter : public benchmark::ConsoleReporter {
public:
    MedianReporter() : ConsoleReporter(OO_Tabular) {}  // no colour codes in logs
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.aggregate_name == "median") medians_[run.run_name.function_name] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    // Median CPU time of the named benchmark in its own unit, or -1 when it
    // did not run (filtered out).
    double median(const std::string& name) const {
        const auto found = medians_.find(name);
        return found == medians_.end() ? -1.0 : found->second;
    }

private:
    std::map<std::string, double> medians_;
};
