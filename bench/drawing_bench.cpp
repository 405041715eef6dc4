// The drawing command on a whole project: the profile sheet of the project
// of recalc_bench (250 profiles of 500 nodes) dressed for the sheet, and
// the drawing file read back by the program's reader.
//
// The sheet's project: recalc_bench's generator, then in a step of its own
// the attachments of project_file_bench (crossings, casing pipes, tank
// records, sumps), a bend every 25th node (sags and crests by turns),
// a terrain description every 50 nodes and a geotechnical section every
// 100 nodes, with the usual rows of the table shown.
//
//   DrawMake    the whole command: scales, warnings, recalculation, layout
//               and the file;
//   WriteFile   the writing alone: write_drawing and write_out of the
//               drawing writer, as the command runs them;
//   ReadFile    the file read back into the drawing model;
//   WriteMix    the reader benchmark's 400,000-entity mix, read once into
//               the drawing model and written again through the entities'
//               write_dxf into the drawing writer's groups and its
//               write_out (the chunks streamed into the file, the layers
//               spelt and, with "acad", the handles put in);
//   ReadMix     that file read back.
//
// Prints the file sizes and entity counts and the ratios writing / reading
// (goal: below 1).
#include <benchmark/benchmark.h>

#include <cinttypes>
#include <cstdio>
#include <memory>
#include <string>

#include "bench_program.h"
#include "drawing/containers.h"
#include "drawing/dxf_groups.h"
#include "drawing/dxf_writer.h"
#include "drawing_generator.h"
#include "files/settings_groups.h"
#include "forms/rys1.h"
#include "model/settings_state.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/named_bytes.h"
#include "platform/paths.h"
#include "project_attachments.h"
#include "project_generator.h"
#include "ratio_reporter.h"

namespace {

constexpr int kProfiles = 250;
constexpr int kNodes = 500;

std::string drawing_path;  // the configuration folder's "rysunek.dxf"
std::string mix_path;
std::unique_ptr<DXF_Object> mix;  // the mix in the drawing model

// The rows of the table under the profile an engineer usually shows, as
// the settings store them: terrain and pipe ordinates, depth, chainage and
// node name at the nodes, the length between them; with the built-in rows
// of length and slope and of the terrain descriptions.
const char* const usual_rows[] = {
    "1¤1¤1¤2¤Rzędna terenu¤m n.p.m.¤¤Rzędna terenu [m n.p.m.]¤teren¤100",
    "1¤1¤1¤2¤Rzędna dna¤m n.p.m.¤¤Rzędna dna [m n.p.m.]¤dno¤100",
    "1¤1¤1¤2¤Zagłębienie¤m¤¤Zagłębienie [m]¤zaglebienie¤100",
    "1¤1¤1¤2¤Odległość¤m¤¤Odległość [m]¤odleglosc¤100",
    "1¤1¤0¤2¤Długość¤m¤¤Długość [m]¤dlugosc¤100",
    "1¤1¤1¤0¤Nr węzła¤¤¤Nr węzła¤wez¤100",
};
constexpr const char* usual_builtin_rows[] = {"dlug_spad", "teren_opis"};

// What the profile sheet draws beyond the nodes: the attachments, bends,
// terrain descriptions, geotechnical sections and the usual rows.
void dress_for_the_sheet() {
    model_state& m = model();
    add_project_attachments(m, kNodes);
    for (odcinek& p : m.profiles) {
        for (std::size_t i = 0; i < p.nodes.size(); ++i)
            if (i % 25 == 12) p.nodes[i].rad = i % 50 == 12 ? 60 : -60;  // twice 60 m > a run of 20 m
        for (int k = 0; k * 50 < kNodes; ++k) {
            teren_opis t;
            t.node_id = static_cast<uint16_t>(50 * k + 1);
            t.distance = 5;
            t.chainage = 20.0 * 50 * k + 5;
            t.length = 400;
            t.abbreviation = k % 2 ? "Gp" : "Pd";
            t.description = k % 2 ? "glina piaszczysta" : "piasek drobny";
            t.hatching = "grunt";
            p.terrain_descriptions.push_back(t);
        }
        for (int k = 0; k * 100 < kNodes; ++k) {
            przekroj s;
            s.node_id = static_cast<uint16_t>(100 * k + 30);
            s.distance = 2;
            s.chainage = 20.0 * (100 * k + 29) + 2;
            s.name = "O-" + std::to_string(k + 1);
            s.layer_name_list = {"nasyp", "glina", "piasek"};
            s.layer_abbreviation_list = {"Nn", "G", "Ps"};
            s.layer_thickness_list = {"0.4", "1.2", "2.5"};
            // Each item followed by the list byte.
            s.layer_names = join_items(s.layer_name_list, list_separator) + list_separator;
            s.layer_abbreviations = join_items(s.layer_abbreviation_list, list_separator) + list_separator;
            s.layer_thicknesses = join_items(s.layer_thickness_list, list_separator) + list_separator;
            s.ground_water = 1.8;
            p.sections.push_back(s);
        }
    }
    for (const char* row : usual_rows) dodaj_parametry_wiersza_tabeli(utf8_to_cp1250(row));
    for (dane_pod_profil& row : settings().profile_table_rows)
        for (const char* key : usual_builtin_rows)
            if (row.key == key) row.shown = true;
}

// Entities of a drawing file, as the reader takes them.
int64_t entity_count(const std::string& path) {
    const std::unique_ptr<DXF_Object> drawing = DXF_Object::create_from_file(path);
    int64_t n = 0;
    for (const auto& layer : drawing->layers())
        for (const auto& list : layer->entity_lists())
            if (list->name != "Block_") n += static_cast<int64_t>(list->count());
    return n;
}

void report_size(benchmark::State& state, const std::string& path) {
    const auto size = file_byte_size(path);
    state.counters["MB"] = static_cast<double>(size) / 1e6;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * size);
}

void BM_DrawMake(benchmark::State& state) {
    for (auto _ : state) Form1->draw_make("out");
    report_size(state, drawing_path);
}
BENCHMARK(BM_DrawMake)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

void BM_WriteFile(benchmark::State& state) {
    for (auto _ : state) selection_lists::make_drawing(drawing_path);
    report_size(state, drawing_path);
}
BENCHMARK(BM_WriteFile)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

void BM_ReadFile(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(DXF_Object::create_from_file(drawing_path));
    report_size(state, drawing_path);
}
BENCHMARK(BM_ReadFile)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

// Every entity of the drawing, blocks first, through its own writer into
// the drawing writer, which writes the file.
void write_mix(const DXF_Object& drawing, const std::string& path) {
    DXF_Writer writer(path);
    dxf_group_output& out = writer.out();
    out.group(0, "SECTION");
    out.group(2, "BLOCKS");
    for (const auto& layer : drawing.layers())
        if (const Entity_List* blocks = layer->find_entity_list("Block_"))
            for (const auto& b : blocks->entities()) b->write_dxf(out, layer->name);
    out.group(0, "ENDSEC");
    out.group(0, "SECTION");
    out.group(2, "ENTITIES");
    for (const auto& layer : drawing.layers())
        for (const auto& list : layer->entity_lists())
            if (list->name != "Block_")
                for (const auto& e : list->entities()) e->write_dxf(out, layer->name);
    out.group(0, "ENDSEC");
    out.group(0, "EOF");
    writer.write_out();
}

void BM_WriteMix(benchmark::State& state) {
    for (auto _ : state) write_mix(*mix, mix_path);
    report_size(state, mix_path);
}
BENCHMARK(BM_WriteMix)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void BM_ReadMix(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(DXF_Object::create_from_file(mix_path));
    report_size(state, mix_path);
}
BENCHMARK(BM_ReadMix)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    HeadlessProgram headless("halvoren_drawing_bench_", true);
    build_project(kProfiles, kNodes);
    dress_for_the_sheet();
    drawing_path = folders().config_folder + "rysunek.dxf";
    mix_path = headless.file("mix.dxf");
    {
        drawing_generator::drawing_counts counts;
        write_file(headless.file("generated.dxf"), drawing_generator::make_drawing(counts));
        mix = DXF_Object::create_from_file(headless.file("generated.dxf"));
    }
    Form1->tb_PreviewProfile->SetDown(true);  // the profile sheet
    Form1->draw_make("out");  // the first run allocates what the later ones reuse
    std::printf("Profile sheet of the project: %.3f MB, %" PRId64 " entities\n",
                static_cast<double>(file_byte_size(drawing_path)) / 1e6, entity_count(drawing_path));
    write_mix(*mix, mix_path);
    std::printf("Entity mix: %.3f MB, %" PRId64 " entities\n", static_cast<double>(file_byte_size(mix_path)) / 1e6,
                entity_count(mix_path));
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.print_ratio("project: writing / reading (goal: below 1):", "BM_WriteFile", "BM_ReadFile");
    reporter.print_ratio("entity mix: writing / reading (goal: below 1):", "BM_WriteMix", "BM_ReadMix");
    benchmark::Shutdown();
    mix.reset();
    return 0;
}
