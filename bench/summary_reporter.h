#pragma once

#include <benchmark/benchmark.h>
#include <map>
#include <string>
#include <vector>

namespace ovilan::bench {

// Keeps the console output and remembers the time of each run, in the benchmark's own unit, for
// the summary lines printed at the end.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }

    double time(const std::string& name) const
    {
        const auto found = times_.find(name);
        return found == times_.end() ? 0 : found->second;
    }

    const std::map<std::string, double>& times() const { return times_; }

private:
    std::map<std::string, double> times_;
};

} // namespace ovilan::bench
