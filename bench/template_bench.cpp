// A "txt" document made from a template over the recalculation benchmark's
// project (250 profiles of 500 nodes): a "dan" block of ten node variables
// inside a "profs" block, 125,000 expanded lines of ten values each, as the
// template chooser's "Utwórz" makes it (without opening it). Goal: under 2 s
// in a Release build.
#include <benchmark/benchmark.h>

#include "bench_program.h"

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

// The recalculation benchmark's profiles: terrain, pipe ordinates, depths,
// changing diameters, named nodes, comments and plan coordinates.
void build_project() {
    model_state& m = model();
    m.profiles.clear();
    m.profiles.reserve(kProfiles);
    for (int p = 0; p < kProfiles; ++p) {
        odcinek r;
        r.nazwa = "p" + std::to_string(p);
        r.idp = static_cast<uint16_t>(p + 1);
        r.rysuj = true;
        r.networktype = 'k';
        r.nodes.reserve(kNodes);
        for (int i = 0; i < kNodes; ++i) {
            wezel w;
            w.id = static_cast<uint16_t>(i + 1);
            const double t = i;
            w.wsplx = 1000.0 * p + 20 * t;
            w.wsply = 15 * std::sin(t / 7);
            w.dlug = 20;
            w.ter_used = value_pair(150 - 0.05 * t + std::sin(t));
            w.dno = value_pair(148 - 0.1 * t);
            w.zag = value_pair(2);
            w.spad = 0.5;
            w.fi = value_pair(i < kNodes / 2 ? 200 : 315);
            w.wez = "s" + std::to_string(i + 1);
            w.mat = "PVC";
            w.kom = "studnia @_td_wezel";
            r.nodes.push_back(std::move(w));
        }
        m.profiles.push_back(std::move(r));
    }
    m.current_profile = 0;
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
