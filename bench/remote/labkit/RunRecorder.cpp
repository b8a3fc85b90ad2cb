#include "labkit/RunRecorder.h"

#include <cstdio>

namespace tv::bench {

void RunRecorder::ReportRuns(const std::vector<Run>& reports)
{
    for (const Run& run : reports) {
        if (run.error_occurred || run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
        const double n = double(run.iterations);
        m_runs[run.run_name.function_name] = {run.real_accumulated_time / n, run.cpu_accumulated_time / n,
                                              run.counters};
    }
    ConsoleReporter::ReportRuns(reports);
}

const RunTimes* RunRecorder::find(const std::string& function) const
{
    const auto found = m_runs.find(function);
    return found == m_runs.end() ? nullptr : &found->second;
}

std::string share(double part, double whole)
{
    char text[32];
    std::snprintf(text, sizeof text, "%6.1f%%", whole > 0 ? 100.0 * part / whole : 0.0);
    return text;
}

} // namespace tv::bench
