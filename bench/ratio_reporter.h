// The console report of a benchmark program that prints ratios of its
// benchmarks' times at the end: it keeps each benchmark's real time per
// iteration.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> seconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration && r.iterations > 0)
                seconds[r.run_name.function_name] = r.real_accumulated_time / static_cast<double>(r.iterations);
        ConsoleReporter::ReportRuns(runs);
    }
    void print_ratio(const char* what, const std::string& a, const std::string& b) const {
        const auto ia = seconds.find(a);
        const auto ib = seconds.find(b);
        if (ia == seconds.end() || ib == seconds.end() || ib->second <= 0) return;
        std::printf("%-44s %.2f\n", what, ia->second / ib->second);
    }
};
