// The screen-copy yardstick and the median-keeping report of the speed benchmarks.
#include "BenchSupport.h"

#include <cstdint>
#include <cstring>

namespace bench {

namespace {

void ScreenCopy(benchmark::State& state) {
    std::vector<uint32_t> from(800 * 600, 0x102030u);
    std::vector<uint32_t> to(800 * 600);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}

const benchmark::internal::Benchmark* const screenCopy =
    benchmark::RegisterBenchmark(kScreenCopy, ScreenCopy)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

void MedianReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
            medians[run.run_name.function_name] = run.GetAdjustedRealTime();
            cpuMedians[run.run_name.function_name] = run.GetAdjustedCPUTime();
        }
    }
    ConsoleReporter::ReportRuns(runs);
}

}  // namespace bench
