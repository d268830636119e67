// Runs the benchmarks with Google Benchmark's usual flags. With --csv=FILE it also writes the
// median, min and max of every reported figure, one line each, for the table in BENCHMARKS.md.
// A benchmark that could not measure (the floor not matching the effect, a plug-in that does not
// load) makes the exit status 1, so that a quick run can serve as a check.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

namespace {

class RunReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal, so that logs and pipes get plain text.
    explicit RunReporter(const std::string& csvPath)
        : ConsoleReporter(isatty(fileno(stdout)) != 0 ? OO_Color : OO_None) {
        if (!csvPath.empty()) csv = std::make_unique<std::ofstream>(csvPath);
    }

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) {
                ++failures;
                continue;
            }
            if (csv && run.run_type == Run::RT_Aggregate) writeAggregate(run);
        }
        if (csv) csv->flush();
    }

    int failed() const { return failures; }

private:
    void writeAggregate(const Run& run) {
        const std::string& statistic = run.aggregate_name;
        if (statistic != "median" && statistic != "min" && statistic != "max") return;
        const std::string name = run.run_name.str();
        *csv << name << ',' << statistic << ",cpu_ns," << cpuNanoseconds(run) << '\n';
        for (const auto& [counter, value] : run.counters) {
            // ns_per_frame arrives in seconds; every other figure as it was counted.
            const double scale = counter.rfind("ns_", 0) == 0 ? 1e9 : 1.0;
            *csv << name << ',' << statistic << ',' << counter << ',' << value.value * scale
                 << '\n';
        }
    }

    static double cpuNanoseconds(const Run& run) {
        return run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
    }

    std::unique_ptr<std::ofstream> csv;
    int failures = 0;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::string csvPath;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--csv=", 0) == 0) {
            csvPath = argument.substr(6);
        } else {
            std::fprintf(stderr, "unknown argument %s\n", argv[i]);
            return 2;
        }
    }
    RunReporter reporter(csvPath);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (reporter.failed() > 0) {
        std::fprintf(stderr, "%d benchmark runs could not measure (see ERROR above)\n",
                     reporter.failed());
        return 1;
    }
    return 0;
}
