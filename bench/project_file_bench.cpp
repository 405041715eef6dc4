// Opening and saving a project of 250 profiles of 500 nodes, every node
// with its texts and numbers, each profile with crossings, casing pipes and
// tank records, and project sumps. The open runs the main window's open
// command (read, settings, title block, refresh); the save writes the
// whole file. A headless program with every window is built first.
#include <benchmark/benchmark.h>

#include "bench_program.h"
#include "project_attachments.h"

#include <stdlib.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "files/project_writer.h"
#include "forms/rys1.h"
#include "model/state.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/paths.h"
#include "platform/sysutils.h"

namespace {

constexpr int kProfiles = 250;
constexpr int kNodes = 500;

void build_project() {
    model_state& m = model();
    m.profiles.clear();
    for (int p = 0; p < kProfiles; ++p) {
        odcinek r;
        r.nazwa = "profil " + std::to_string(p + 1);
        r.idp = static_cast<uint16_t>(p + 1);
        r.rysuj = true;
        r.networktype = 'k';
        for (int i = 0; i < kNodes; ++i) {
            const double t = i;
            wezel w;
            w.id = static_cast<uint16_t>(i + 1);
            w.ter = value_pair(150 - 0.05 * t + std::sin(t), 150 - 0.05 * t);
            w.dno = value_pair(148.123 - 0.1 * t);
            w.zag = value_pair(2.25);
            w.dlug = 20.5;
            w.spad = 0.512345;
            w.fi = value_pair(i < kNodes / 2 ? 200 : 315);
            w.odl = 20.5 * t;
            w.mat = "PVC-U SN8";
            w.obiekt = i % 50 == 0 ? "osadnik" : "rewizyjna";
            w.kom = "studnia nr " + std::to_string(i + 1);
            w.wez = "S" + std::to_string(i + 1);
            w.wsplx = 5512345.125 + 20 * t;
            w.wsply = 4623456.5 + 15 * std::sin(t / 7);
            w.szer = value_pair(0.9);
            w.flow = 0.1;
            w.tidx = -1;
            r.nodes.push_back(std::move(w));
        }
        m.profiles.push_back(std::move(r));
    }
    add_project_attachments(m, kNodes);
    m.current_profile = 0;
}

void BM_SaveProject(benchmark::State& state) {
    const HeadlessProgram program("halvoren_file_bench_");
    build_project();
    const std::string path = program.file("bench.hlv");
    for (auto _ : state) write_project_file(path);
    state.counters["bytes"] = static_cast<double>(file_byte_size(path));
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_OpenProject(benchmark::State& state) {
    const HeadlessProgram program("halvoren_file_bench_");
    build_project();
    const std::string path = program.file("bench.hlv");
    write_project_file(path);
    // The first open of the process touches fresh memory for every node, as
    // the first open after starting the program does; later opens reuse the
    // memory the previous project gave back. The time reported is their
    // mean; the first is reported apart.
    static double first_open_ms = -1;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        Form1->otworz(path, false);
        benchmark::DoNotOptimize(model().profiles.back().nodes.back().dno.s1);
        if (first_open_ms < 0)
            first_open_ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["first_open_ms"] = first_open_ms;
    if (model().profiles.size() != kProfiles) state.SkipWithError("the project did not open");
}
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond)->MinTime(3);

}  // namespace
