// One cell edit committed through the node table's edit road in a profile of
// 5,000 nodes: the text is written into the cell and the table's end of edit
// runs, which stores the value, recalculates the profile, writes every cell
// of the table again (about 130,000 texts) and recolours the edited node. A
// terrain cell and a pipe-ordinate cell, each near the start and near the
// end of the profile. A headless program with every window is built first,
// since the calculation and the table read the live controls. The goal is
// under 20 ms per edit in a Release build.
#include <benchmark/benchmark.h>

#include "bench_program.h"

#include <stdlib.h>

#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/columns.h"
#include "model/project.h"
#include "model/state.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/paths.h"
#include "platform/sysutils.h"

namespace {

constexpr int kNodes = 5000;

// One profile of 5,000 nodes 10 m apart: terrain entered at every node,
// pipe ordinates entered, slopes derived; named nodes, diameters and
// materials, shown in the table with the computed cells coloured.
void make_profile() {
    model_state& m = model();
    m.profiles.clear();
    odcinek p;
    p.nazwa = "bench";
    p.idp = 1;
    p.rysuj = true;
    p.stala = 0;
    p.stala_odleglosci = 1;
    for (int i = 0; i < kNodes; ++i) {
        wezel w;
        w.id = static_cast<uint16_t>(i + 1);
        czysty_wezel(w);
        w.odl = 10.0 * i;
        w.ter = value_pair(120.0 - 0.01 * i);
        w.dno = value_pair(118.0 - 0.012 * i);
        w.fi = value_pair(i < kNodes / 2 ? 200 : 250);
        w.mat = "PVC";
        w.wez = "S" + std::to_string(i + 1);
        p.nodes.push_back(std::move(w));
    }
    m.profiles.push_back(std::move(p));
    topcje->cb_AutoCalculatedCellColor->SetChecked(true);
    Form1->tabs_odswiez(0);
}

void edit(benchmark::State& state, column_kind kind, int node) {
    HeadlessProgram program("halvoren_edit_bench_", true);
    make_profile();
    const int col = model().position_of(kind);
    const int row = node + 2;
    Form1->sg1->FocusCell(col, row, true);
    bool flip = false;
    for (auto _ : state) {
        // Two values in turn, so that every commit changes the node.
        const double base = kind == column_kind::ter ? 125.0 : 117.0;
        const std::string text = FloatToStrF(base + (flip ? 0.25 : 0.5), TFloatFormat::ffFixed, 18, 2);
        flip = !flip;
        Form1->sg1BeforeEdit(Form1->sg1, col, row);
        Form1->sg1->SetCell(col, row, text);
        Form1->sg1AfterEdit(Form1->sg1, col, row);
        benchmark::DoNotOptimize(Form1->sg1->Cells(col, row));
    }
    state.SetLabel("5000 nodes");
}

void TerrainNearStart(benchmark::State& s) { edit(s, column_kind::ter, 10); }
void TerrainNearEnd(benchmark::State& s) { edit(s, column_kind::ter, kNodes - 10); }
void PipeOrdinateNearStart(benchmark::State& s) { edit(s, column_kind::dno, 10); }
void PipeOrdinateNearEnd(benchmark::State& s) { edit(s, column_kind::dno, kNodes - 10); }

BENCHMARK(TerrainNearStart)->Unit(benchmark::kMillisecond);
BENCHMARK(TerrainNearEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(PipeOrdinateNearStart)->Unit(benchmark::kMillisecond);
BENCHMARK(PipeOrdinateNearEnd)->Unit(benchmark::kMillisecond);

}  // namespace
