// What the speed benchmarks share: the screen-copy yardstick and a report that keeps the medians.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace bench {

// The benchmark that copies one 800x600x32 picture, the unit the frame costs are given in. Every
// program built with this file runs it (nine repetitions, like the frames it is set against).
inline constexpr const char* kScreenCopy = "BM_ScreenCopy";

// The console report, keeping each benchmark's median wall and processor time by function name.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    MedianReporter() : ConsoleReporter(OO_None) {}
    void ReportRuns(const std::vector<Run>& runs) override;

    std::map<std::string, double> medians;
    std::map<std::string, double> cpuMedians;
};

}  // namespace bench
