// Recalculation of a whole project: 250 profiles of 500 nodes, every profile
// with all columns in one run with one node-name index, as the drawing does
// before it writes (a project recalculated before: see recalculate_project). The calculation reads the settings dialog and the side
// panel, so a headless program with every window is built first. Reports
// the nodes recalculated per second and the time per node. The sweep
// recalculates projects of about 125,000 nodes cut into profiles of 100 to
// 5,000 nodes, to show that the time per node does not depend on the size
// of the profiles.
#include <benchmark/benchmark.h>

#include "bench_program.h"
#include "project_generator.h"

#include <stdlib.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/program.h"
#include "model/project.h"
#include "model/recalculation.h"
#include "model/state.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/paths.h"
#include "platform/sysutils.h"

namespace {

constexpr int kProfiles = 250;
constexpr int kNodes = 500;
constexpr int kSweepNodes = 125000;

// Every profile with all columns, in one run.
void recalculate_all() {
    const auto count = static_cast<uint16_t>(model().profiles.size());
    node_name_index names;
    for (uint16_t p = 0; p < count; ++p) przelicz(p, false, all_columns, names);
}

// Recalculates every profile once per iteration and reports the rates. The
// first run of a new project allocates every profile's prepared lines (some
// 50 MB here), whose first touch costs page faults rather than calculation;
// it runs untimed, so the timed runs recalculate a project that has been
// recalculated before, as every drawing after the first does.
void recalculate_project(benchmark::State& state, int profiles, int nodes) {
    const HeadlessProgram program("halvoren_recalc_bench_");
    build_project(profiles, nodes);
    recalculate_all();
    for (auto _ : state) {
        recalculate_all();
        benchmark::DoNotOptimize(model().profiles.back().nodes.back().dno.s1);
    }
    const double total = static_cast<double>(state.iterations()) * profiles * nodes;
    state.SetItemsProcessed(static_cast<int64_t>(total));
    state.counters["profiles"] = profiles;
    state.counters["nodes"] = benchmark::Counter(total, benchmark::Counter::kIsRate);
    state.counters["time_per_node"] =
        benchmark::Counter(total, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_RecalculateProject(benchmark::State& state) { recalculate_project(state, kProfiles, kNodes); }
BENCHMARK(BM_RecalculateProject)->Unit(benchmark::kMillisecond);

// The argument is the number of nodes per profile.
void BM_RecalculateSweep(benchmark::State& state) {
    const auto nodes = static_cast<int>(state.range(0));
    recalculate_project(state, (kSweepNodes + nodes / 2) / nodes, nodes);
}
BENCHMARK(BM_RecalculateSweep)
    ->ArgName("nodes_per_profile")
    ->Arg(100)
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(5000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
