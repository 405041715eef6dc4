// The drawing command on a whole project: draw_make in mode "out" over the
// project of recalc_bench (250 profiles of 500 nodes), and the drawing
// file read back by the program's reader.
//
//   DrawMake    the whole command: scales, warnings, recalculation, layout
//               and the file;
//   WriteFile   the writing alone (the drawing model's save);
//   ReadFile    the file read back into the drawing model;
//   WriteMix    the reader benchmark's 400,000-entity mix, read once into
//               the drawing model, written again through the entities'
//               write_dxf into one buffer and the atomic write;
//   ReadMix     that file read back.
//
// Prints the file sizes and the ratios writing / reading (goal: below 1).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "bench_program.h"
#include "drawing/containers.h"
#include "drawing/dxf_groups.h"
#include "drawing_generator.h"
#include "forms/rys1.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "project_generator.h"
#include "ratio_reporter.h"

namespace {

std::string drawing_path;  // the configuration folder's "rysunek.dxf"
std::string mix_path;
std::unique_ptr<DXF_Object> mix;  // the mix in the drawing model

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

// Every entity of the drawing, blocks first, through its own writer.
std::string entities_of(const DXF_Object& drawing) {
    dxf_group_output out;
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
    return out.take();
}

void BM_WriteMix(benchmark::State& state) {
    for (auto _ : state) write_file(mix_path, entities_of(*mix));
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
    build_project(250, 500);
    drawing_path = folders().config_folder + "rysunek.dxf";
    mix_path = headless.file("mix.dxf");
    {
        drawing_generator::drawing_counts counts;
        write_file(headless.file("generated.dxf"), drawing_generator::make_drawing(counts));
        mix = DXF_Object::create_from_file(headless.file("generated.dxf"));
    }
    Form1->draw_make("out");  // the first run allocates what the later ones reuse
    std::printf("Drawing file of the project: %.1f MB\n", static_cast<double>(file_byte_size(drawing_path)) / 1e6);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.print_ratio("project: writing / reading (goal: below 1):", "BM_WriteFile", "BM_ReadFile");
    reporter.print_ratio("entity mix: writing / reading (goal: below 1):", "BM_WriteMix", "BM_ReadMix");
    benchmark::Shutdown();
    mix.reset();
    return 0;
}
