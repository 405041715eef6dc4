// A "txt" document made from a template over the recalculation benchmark's
// project (250 profiles of 500 nodes): a "dan" block of ten node variables
// inside a "profs" block, 125,000 expanded lines of ten values each, as the
// template chooser's "Utwórz" makes it (without opening it). Goal: under 2 s
// in a Release build.
#include <benchmark/benchmark.h>

#include "bench_program.h"
#include "project_generator.h"

#include <stdlib.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "forms/skojarzone.h"
#include "model/state.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/paths.h"
#include "platform/sysutils.h"

namespace {

constexpr int kProfiles = 250;
constexpr int kNodes = 500;

// The recalculation benchmark's profiles, each node with the terrain the
// recalculation would give, a material and a comment with a variable.
void build_project() {
    ::build_project(kProfiles, kNodes);
    for (odcinek& r : model().profiles)
        for (std::size_t i = 0; i < r.nodes.size(); ++i) {
            wezel& w = r.nodes[i];
            const double t = static_cast<double>(i);
            w.ter_used = value_pair(150 - 0.05 * t + std::sin(t));
            w.mat = "PVC";
            w.kom = "studnia @_td_wezel";
        }
}

void BM_TextDocumentOfNodes(benchmark::State& state) {
    const HeadlessProgram program("halvoren_template_bench_");
    build_project();
    const std::string templates = folders().config_folder + "templates/";
    ForceDirectories(templates);
    const std::string path = templates + "wezly.wzr";
    write_lines(path, {"<HEADER>", "<TYPE>txt</TYPE>", "<FILE_NAME>wezly</FILE_NAME>", "</HEADER>",
                       "<_profs>Profil @_nazwa_profilu",
                       "<_dan>@_td_wezel; @_td_rzedna_terenu; @_td_rzedna_rury; @_td_zaglebienie; @_td_dlugosc; "
                       "@_td_spadek; @_td_srednica; @_td_material; @_td_komentarz; @_td_wspl_x</dan>",
                       "</profs>"});
    for (auto _ : state) tskojarzone->wypelnij_wzorzec(path, false);
    const double lines = static_cast<double>(state.iterations()) * kProfiles * kNodes;
    state.counters["lines"] = benchmark::Counter(lines, benchmark::Counter::kIsRate);
    state.counters["document_lines"] = static_cast<double>(read_lines(folders().config_folder + "wezly.txt").size());
}
BENCHMARK(BM_TextDocumentOfNodes)->Unit(benchmark::kMillisecond);

}  // namespace
