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
#include "platform/files.h"
#include "platform/headless.h"

#ifdef HALVOREN_WITH_DXFLIB
#include <dl_creationadapter.h>
#include <dl_dxf.h>
#endif

namespace {

constexpr int kEntities = 400000;

// What the file holds, by entity class, and the polyline vertices.
struct drawing_counts {
    std::map<std::string, int64_t> entities;  // "LINE" -> count
    int64_t vertices = 0;
    int64_t attributes = 0;
    int64_t total() const {
        int64_t n = 0;
        for (const auto& [kind, count] : entities) n += count;
        return n;
    }
    bool operator==(const drawing_counts&) const = default;
    std::string text() const {
        std::string s;
        for (const auto& [kind, count] : entities) s += kind + " " + std::to_string(count) + ", ";
        return s + "vertices " + std::to_string(vertices) + ", attributes " + std::to_string(attributes);
    }
};

// A deterministic stream of numbers (the same file on every machine).
class Numbers {
public:
    uint64_t next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return state_ >> 33;
    }
    // A value in [low, low + span).
    double in(double low, double span) { return low + span * static_cast<double>(next() % 1000000007) / 1000000007.0; }
    int below(int n) { return static_cast<int>(next() % static_cast<uint64_t>(n)); }

private:
    uint64_t state_ = 0x243F6A8885A308D3ULL;
};

// Groups as a CAD program writes them: the code right-aligned in three
// places, CR LF after each line.
class R12Writer {
public:
    void group(int code, const char* value) {
        char line[32];
        const int n = std::snprintf(line, sizeof line, "%3d\r\n", code);
        out_.append(line, static_cast<std::size_t>(n));
        out_ += value;
        out_ += "\r\n";
    }
    void group(int code, const std::string& value) { group(code, value.c_str()); }
    void integer(int code, int value) { group(code, std::to_string(value)); }
    void real(int code, double value) {
        char text[64];
        std::snprintf(text, sizeof text, "%.6f", value);
        group(code, text);
    }
    void point(int code, double x, double y, double z) {
        real(code, x);
        real(code + 10, y);
        real(code + 20, z);
    }
    void handle() {
        char text[24];
        std::snprintf(text, sizeof text, "%" PRIX64, ++handle_);
        group(5, text);
    }
    std::string& bytes() { return out_; }

private:
    std::string out_;
    uint64_t handle_ = 0x20;
};

const char* const kLayers[] = {"0", "TEREN", "RURA", "STUDNIE", "OPISY", "SIATKA"};
const char* const kBlocks[] = {"STUDNIA", "ZASUWA", "HYDRANT", "KOLIZJA"};

std::string make_drawing(drawing_counts& counts) {
    Numbers rnd;
    R12Writer w;
    w.bytes().reserve(120u << 20);
    auto x = [&rnd] { return rnd.in(5500000, 20000); };
    auto y = [&rnd] { return rnd.in(7400000, 20000); };

    w.group(0, "SECTION");
    w.group(2, "HEADER");
    w.group(9, "$ACADVER");
    w.group(1, "AC1009");
    w.group(9, "$EXTMIN");
    w.point(10, 5500000, 7400000, 0);
    w.group(9, "$EXTMAX");
    w.point(10, 5520000, 7420000, 0);
    w.group(0, "ENDSEC");

    w.group(0, "SECTION");
    w.group(2, "TABLES");
    w.group(0, "TABLE");
    w.group(2, "LAYER");
    w.integer(70, 6);
    int colour = 1;
    for (const char* layer : kLayers) {
        w.group(0, "LAYER");
        w.group(2, layer);
        w.integer(70, 0);
        w.integer(62, colour++);
        w.group(6, "CONTINUOUS");
    }
    w.group(0, "ENDTAB");
    w.group(0, "ENDSEC");

    w.group(0, "SECTION");
    w.group(2, "BLOCKS");
    for (const char* block : kBlocks) {
        w.group(0, "BLOCK");
        w.group(8, "0");
        w.group(2, block);
        w.integer(70, 2);
        w.point(10, 0, 0, 0);
        w.group(0, "CIRCLE");
        w.group(8, "0");
        w.point(10, 0, 0, 0);
        w.real(40, 1.5);
        w.group(0, "LINE");
        w.group(8, "0");
        w.point(10, -1.5, 0, 0);
        w.point(11, 1.5, 0, 0);
        w.group(0, "ATTDEF");
        w.group(8, "0");
        w.point(10, 2, 0, 0);
        w.real(40, 1);
        w.group(1, "");
        w.group(3, "Numer");
        w.group(2, "NR");
        w.integer(70, 0);
        w.group(0, "ENDBLK");
        w.group(8, "0");
    }
    w.group(0, "ENDSEC");

    w.group(0, "SECTION");
    w.group(2, "ENTITIES");
    auto begin = [&w](const char* kind, const char* layer) {
        w.group(0, kind);
        w.handle();
        w.group(8, layer);
    };
    char text[64];
    for (int i = 0; i < kEntities; ++i) {
        // Per 20 entities: 8 lines, 3 polylines, 3 texts, 2 arcs, 2 circles, 2 inserts.
        const int slot = i % 20;
        const char* layer = kLayers[1 + rnd.below(5)];
        if (slot < 8) {
            begin("LINE", layer);
            const double x0 = x();
            const double y0 = y();
            w.point(10, x0, y0, rnd.in(100, 50));
            w.point(11, x0 + rnd.in(-50, 100), y0 + rnd.in(-50, 100), rnd.in(100, 50));
            ++counts.entities["LINE"];
        } else if (slot < 11) {
            begin("POLYLINE", layer);
            w.integer(66, 1);
            w.integer(70, rnd.below(2));
            const int n = 4 + rnd.below(13);
            double px = x();
            double py = y();
            for (int v = 0; v < n; ++v) {
                w.group(0, "VERTEX");
                w.handle();
                w.group(8, layer);
                w.point(10, px, py, 0);
                px += rnd.in(-20, 40);
                py += rnd.in(-20, 40);
            }
            w.group(0, "SEQEND");
            w.handle();
            w.group(8, layer);
            ++counts.entities["POLYLINE"];
            counts.vertices += n;
        } else if (slot < 14) {
            begin("TEXT", "OPISY");
            w.point(10, x(), y(), 0);
            w.real(40, 2.5);
            w.real(50, rnd.in(0, 360));
            std::snprintf(text, sizeof text, "S%d rz.t. %.2f", i, rnd.in(100, 50));
            w.group(1, text);
            ++counts.entities["TEXT"];
        } else if (slot < 16) {
            begin("ARC", layer);
            w.point(10, x(), y(), 0);
            w.real(40, rnd.in(0.5, 30));
            w.real(50, rnd.in(0, 360));
            w.real(51, rnd.in(0, 360));
            ++counts.entities["ARC"];
        } else if (slot < 18) {
            begin("CIRCLE", layer);
            w.point(10, x(), y(), 0);
            w.real(40, rnd.in(0.5, 5));
            ++counts.entities["CIRCLE"];
        } else {
            const bool with_attribute = slot == 18;
            begin("INSERT", "STUDNIE");
            if (with_attribute) w.integer(66, 1);
            w.group(2, kBlocks[rnd.below(4)]);
            const double ix = x();
            const double iy = y();
            w.point(10, ix, iy, 0);
            w.real(41, 1);
            w.real(42, 1);
            w.real(50, rnd.in(0, 360));
            if (with_attribute) {
                w.group(0, "ATTRIB");
                w.handle();
                w.group(8, "STUDNIE");
                w.point(10, ix + 2, iy, 0);
                w.real(40, 1);
                std::snprintf(text, sizeof text, "S%d", i);
                w.group(1, text);
                w.group(2, "NR");
                w.integer(70, 0);
                w.group(0, "SEQEND");
                w.handle();
                w.group(8, "STUDNIE");
                ++counts.attributes;
            }
            ++counts.entities["INSERT"];
        }
    }
    w.group(0, "ENDSEC");
    w.group(0, "EOF");
    return std::move(w.bytes());
}

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

// The console report, keeping each benchmark's time per iteration.
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
