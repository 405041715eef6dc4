// Reading a large drawing file: an R12 file of 400,000 entities (about
// 114 MB: lines, polylines with their vertices, arcs, circles, texts and
// inserts of a few blocks, some with an attribute, on a few layers), written
// deterministically into a temporary folder that is removed at the end.
//
//   ReadDrawing  the program's reader into the full drawing model;
//   SplitFloor   the floor: the same bytes split into lines, with strtod on
//                every value line;
//   Dxflib       dxflib reading the file, through an adapter that keeps what
//                it is given (built only where CMake found dxflib).
//
// Each reports MB/s and entities/s; a read whose counts differ from those
// written fails the run. The ratios of the times are printed at the end.
#include <benchmark/benchmark.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "drawing/containers.h"
#include "drawing_generator.h"
#include "ratio_reporter.h"
#include "platform/files.h"
#include "platform/headless.h"

#ifdef HALVOREN_WITH_DXFLIB
#include <dl_creationadapter.h>
#include <dl_dxf.h>
#endif

namespace {

using namespace drawing_generator;

// The file, written once for the run and removed with its folder.
class BenchFile {
public:
    BenchFile() : folder_(make_temp_folder("halvoren-dxf-bench-")) {
        path_ = path_join(folder_, "rysunek.dxf");
        const std::string bytes = make_drawing(counts_);
        size_ = bytes.size();
        write_file(path_, bytes);
    }
    ~BenchFile() { delete_folder_tree(folder_); }
    BenchFile(const BenchFile&) = delete;
    BenchFile& operator=(const BenchFile&) = delete;
    const std::string& folder() const { return folder_; }
    const std::string& path() const { return path_; }
    std::size_t size() const { return size_; }
    const drawing_counts& counts() const { return counts_; }

private:
    std::string folder_;
    std::string path_;
    std::size_t size_ = 0;
    drawing_counts counts_;
};

BenchFile* bench_file = nullptr;
bool counts_differ = false;

void report(benchmark::State& state) {
    const auto iterations = static_cast<int64_t>(state.iterations());
    state.SetBytesProcessed(iterations * static_cast<int64_t>(bench_file->size()));
    state.counters["entities/s"] =
        benchmark::Counter(static_cast<double>(iterations * bench_file->counts().total()), benchmark::Counter::kIsRate);
}

void check(benchmark::State& state, const drawing_counts& read) {
    if (read == bench_file->counts()) return;
    counts_differ = true;
    const std::string message = "read " + read.text() + "; written " + bench_file->counts().text();
    state.SkipWithError(message.c_str());
}

drawing_counts counts_of(const DXF_Object& drawing) {
    static const std::map<std::string, const char*> types = {{"Line_", "LINE"},     {"Polyline_", "POLYLINE"},
                                                             {"Text_", "TEXT"},     {"Arc_", "ARC"},
                                                             {"Circle_", "CIRCLE"}, {"Insert_", "INSERT"}};
    drawing_counts c;
    for (const auto& layer : drawing.layers())
        for (const auto& list : layer->entity_lists()) {
            if (list->name == "Block_") continue;
            const auto type = types.find(list->name);
            c.entities[type == types.end() ? list->name : type->second] += list->count();
            for (const auto& e : list->entities()) {
                if (list->name == "Polyline_") c.vertices += static_cast<const Polyline_&>(*e).vertex_count();
                if (list->name == "Insert_") c.attributes += static_cast<const Insert_&>(*e).attribute_count();
            }
        }
    return c;
}

void BM_ReadDrawing(benchmark::State& state) {
    for (auto _ : state) {
        std::unique_ptr<DXF_Object> drawing = DXF_Object::create_from_file(bench_file->path());
        state.PauseTiming();
        check(state, counts_of(*drawing));
        drawing.reset();
        state.ResumeTiming();
    }
    report(state);
}
BENCHMARK(BM_ReadDrawing)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void BM_SplitFloor(benchmark::State& state) {
    for (auto _ : state) {
        const mapped_file file(bench_file->path());
        const std::string_view bytes = file.bytes();
        const char* p = bytes.data();
        const char* const end = p + bytes.size();
        double sum = 0;
        int64_t lines = 0;
        while (p < end) {
            const auto* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
            if (!lf) break;
            if (lines++ % 2 == 1) sum += std::strtod(p, nullptr);
            p = lf + 1;
        }
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(lines);
    }
    report(state);
}
BENCHMARK(BM_SplitFloor)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

#ifdef HALVOREN_WITH_DXFLIB
// Keeps everything dxflib hands over, as a program reading the drawing would.
class KeepingAdapter : public DL_CreationAdapter {
public:
    std::vector<DL_LayerData> layers;
    std::vector<DL_BlockData> blocks;
    std::vector<DL_LineData> lines;
    std::vector<DL_ArcData> arcs;
    std::vector<DL_CircleData> circles;
    std::vector<DL_TextData> texts;
    std::vector<DL_AttributeData> attributes;
    std::vector<DL_InsertData> inserts;
    std::vector<DL_PolylineData> polylines;
    std::vector<std::vector<DL_VertexData>> vertices;  // per polyline
    std::vector<std::string> entity_layers;
    bool in_block = false;

    void addLayer(const DL_LayerData& d) override { layers.push_back(d); }
    void addBlock(const DL_BlockData& d) override {
        blocks.push_back(d);
        in_block = true;
    }
    void endBlock() override { in_block = false; }
    void addLine(const DL_LineData& d) override {
        if (!keep()) return;
        lines.push_back(d);
    }
    void addArc(const DL_ArcData& d) override {
        if (!keep()) return;
        arcs.push_back(d);
    }
    void addCircle(const DL_CircleData& d) override {
        if (!keep()) return;
        circles.push_back(d);
    }
    void addText(const DL_TextData& d) override {
        if (!keep()) return;
        texts.push_back(d);
    }
    void addAttribute(const DL_AttributeData& d) override {
        if (!in_block) attributes.push_back(d);
    }
    void addInsert(const DL_InsertData& d) override {
        if (!keep()) return;
        inserts.push_back(d);
    }
    void addPolyline(const DL_PolylineData& d) override {
        if (!keep()) return;
        polylines.push_back(d);
        vertices.emplace_back();
    }
    void addVertex(const DL_VertexData& d) override {
        if (!in_block && !vertices.empty()) vertices.back().push_back(d);
    }

    drawing_counts counts() const {
        drawing_counts c;
        c.entities["LINE"] = static_cast<int64_t>(lines.size());
        c.entities["ARC"] = static_cast<int64_t>(arcs.size());
        c.entities["CIRCLE"] = static_cast<int64_t>(circles.size());
        c.entities["TEXT"] = static_cast<int64_t>(texts.size());
        c.entities["INSERT"] = static_cast<int64_t>(inserts.size());
        c.entities["POLYLINE"] = static_cast<int64_t>(polylines.size());
        for (const auto& v : vertices) c.vertices += static_cast<int64_t>(v.size());
        c.attributes = static_cast<int64_t>(attributes.size());
        return c;
    }

private:
    // The block's own entities are not the drawing's; the layer of every
    // drawing entity is kept.
    bool keep() {
        if (in_block) return false;
        entity_layers.push_back(getAttributes().getLayer());
        return true;
    }
};

void BM_Dxflib(benchmark::State& state) {
    for (auto _ : state) {
        auto adapter = std::make_unique<KeepingAdapter>();
        DL_Dxf dxf;
        if (!dxf.in(bench_file->path(), adapter.get())) {
            state.SkipWithError("dxflib could not open the file");
            counts_differ = true;
            break;
        }
        state.PauseTiming();
        check(state, adapter->counts());
        adapter.reset();
        state.ResumeTiming();
    }
    report(state);
}
BENCHMARK(BM_Dxflib)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
#endif

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    BenchFile file;
    bench_file = &file;
    // The reader's boxes have no one to answer them here: a box fails the run.
    HeadlessServices services(file.folder());
    set_services(&services);
    std::printf("Drawing file: %.1f MB, %" PRId64 " entities (%s)\n", static_cast<double>(file.size()) / 1e6,
                file.counts().total(), file.counts().text().c_str());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.print_ratio("reader time / floor time (goal: at most 2):", "BM_ReadDrawing", "BM_SplitFloor");
    reporter.print_ratio("dxflib time / reader time (goal: at least 4):", "BM_Dxflib", "BM_ReadDrawing");
    benchmark::Shutdown();
    set_services(nullptr);
    bench_file = nullptr;
    if (!services.boxes.empty()) {
        std::printf("The reader showed a box: %s\n", services.boxes.front().text.c_str());
        return 1;
    }
    return counts_differ ? 1 : 0;
}
