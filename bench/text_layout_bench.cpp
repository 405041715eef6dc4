// Long texts in a cell, a paragraph and a template line: the end ellipsis,
// word wrap and the template block markers, each over the text's length.
#include <benchmark/benchmark.h>

#include <string>

#include "files/utils.h"
#include "platform/graphics.h"

namespace {

void BM_Ellipsize(benchmark::State& state) {
    TFont font;
    const std::string cell(static_cast<size_t>(state.range(0)), 'W');
    for (auto _ : state) benchmark::DoNotOptimize(ellipsize(font, cell, 200));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_Ellipsize)->RangeMultiplier(10)->Range(300, 30000)->Complexity();

void BM_WrapParagraph(benchmark::State& state) {
    TFont font;
    std::string paragraph;
    while (paragraph.size() < static_cast<size_t>(state.range(0))) paragraph += "przewod kanalizacyjny ";
    for (auto _ : state) {
        benchmark::DoNotOptimize(wrap_text(font, paragraph, 400));
        benchmark::DoNotOptimize(wrap_text(font, paragraph, 1 << 30));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_WrapParagraph)->RangeMultiplier(10)->Range(1000, 100000)->Complexity();

void BM_TemplateBlocksOnOneLine(benchmark::State& state) {
    std::string line;
    for (int i = 0; i < state.range(0); ++i) line += "<_b>";
    std::string out;
    for (auto _ : state) {
        normalize_template_blocks(line, "txt", out);
        benchmark::DoNotOptimize(out);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_TemplateBlocksOnOneLine)->RangeMultiplier(10)->Range(300, 30000)->Complexity();

}  // namespace
