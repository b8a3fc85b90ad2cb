// The console report of Google Benchmark, keeping each benchmark's time per iteration so the
// program can print figures that combine several benchmarks (stage shares, ratios) at the end.
#pragma once

#include <benchmark/benchmark.h>
#include <map>
#include <string>

namespace tv::bench {

struct RunTimes {
    double wallSeconds = 0; ///< per iteration
    double cpuSeconds = 0;  ///< per iteration, of this process
    benchmark::UserCounters counters;
};

class RunRecorder : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& reports) override;

    /// The benchmark function's figures, or null when it did not run or failed.
    const RunTimes* find(const std::string& function) const;

private:
    std::map<std::string, RunTimes> m_runs;
};

/// "  12.3%" of `part` in `whole`.
std::string share(double part, double whole);

} // namespace tv::bench
