// Painting the drawing preview: the 400,000-entity mix of dxf_read_bench
// (written and read once with the same generator and reader) in a viewport
// of 1600 x 1000 pixels, painted by the front end's canvas on the offscreen
// platform through the picture the window keeps.
//
//   FullRepaint    the fitted view painted whole (the drawing changed);
//   ZoomIn         one zoom in from the fitted view, painted;
//   Pan100         a pan of 100 pixels: the kept picture moved, the strip
//                  uncovered painted;
//   Unchanged      a repaint with nothing changed (an expose): the kept
//                  picture copied;
//   CoreWalk       the entity lists walked and projected onto a canvas that
//                  only counts, without the front end.
//
// Goals: a full repaint under 100 ms, the pan under 20 ms, a zoom no slower
// than a full repaint.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

#include "drawing/containers.h"
#include "drawing/view_projection.h"
#include "drawing_generator.h"
#include "gui/offscreen_viewport.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/sysutils.h"
#include "widgets/zoom_panel.h"

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 1000;

// A canvas that counts what it is asked to draw.
class CountingCanvas : public TCanvas {
public:
    int64_t calls = 0;
    void LineTo(int x, int y) override {
        ++calls;
        pen_pos_ = {x, y};
    }
    void Rectangle(int, int, int, int) override { ++calls; }
    void FillRect(const TRect&) override { ++calls; }
    void FrameRect(const TRect&) override { ++calls; }
    void Ellipse(int, int, int, int) override { ++calls; }
    void Arc(int, int, int, int, int, int, int, int) override { ++calls; }
    void Polygon(const std::vector<TPoint>&) override { ++calls; }
    void Polyline(const std::vector<TPoint>&) override { ++calls; }
    void SetPixel(int, int, TColor) override { ++calls; }
    void TextOut(int, int, std::string_view) override { ++calls; }
    void TextRect(const TRect&, int, int, std::string_view) override { ++calls; }
    int DrawText(std::string_view, TRect&, unsigned) override {
        ++calls;
        return 0;
    }
    void StretchDraw(const TRect&, const TBitmap&, const TRect&) override { ++calls; }
    void SetClipRect(const TRect&) override {}
    void ResetClip() override {}
};

// The drawing, its viewport and the kept picture, made once for the run.
struct Scene {
    std::string folder = make_temp_folder("halvoren-preview-bench-");
    HeadlessServices services{folder};
    std::unique_ptr<DXF_Object> drawing;
    Zoom_panel* panel = nullptr;
    std::unique_ptr<gui::OffscreenViewport> surface;

    Scene() {
        set_services(&services);
        const std::string path = path_join(folder, "rysunek.dxf");
        drawing_generator::drawing_counts counts;
        write_file(path, drawing_generator::make_drawing(counts));
        drawing = DXF_Object::create_from_file(path);
        gui::start_offscreen_application();
        panel = new Zoom_panel(nullptr);
        panel->SetColor(clBlack);
        panel->SetBounds(0, 0, kWidth, kHeight);
        panel->OnPaint = [this](TObject*) {
            walk(*panel->Canvas(), *panel->view(),
                 view_world_rectangle(panel->paint_view(), panel->paint_rect(), view_pen_margin));
        };
        surface = std::make_unique<gui::OffscreenViewport>(kWidth, kHeight);
        fit();
    }
    ~Scene() {
        surface.reset();
        delete panel;
        set_services(nullptr);
        delete_folder_tree(folder);
    }
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;
    // Every shown entity list, as the preview draws them (blocks only
    // through their inserts).
    void walk(TCanvas& canvas, const zoom_view& view, const world_box& visible) const {
        canvas.Pen.Width = 1;
        canvas.Brush.Style = TBrushStyle::bsClear;
        for (const auto& layer : drawing->layers())
            for (const auto& list : layer->entity_lists())
                if (list->name != "Block_") list->draw(canvas, nullptr, view_projection, &view, &visible);
    }
    void fit() {
        const point3 max = drawing->max_extents(), min = drawing->min_extents();
        panel->fit_view(20, 20, {min.x, max.x, min.y, max.y});
    }
};

Scene* scene = nullptr;

void BM_FullRepaint(benchmark::State& state) {
    scene->fit();
    for (auto _ : state) {
        scene->panel->redraw();
        benchmark::DoNotOptimize(scene->surface->show(*scene->panel));
    }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ZoomIn(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        scene->fit();
        scene->surface->show(*scene->panel);
        state.ResumeTiming();
        scene->panel->zoom_by(1 / scene->panel->ZoomFactor);
        benchmark::DoNotOptimize(scene->surface->show(*scene->panel));
    }
}
BENCHMARK(BM_ZoomIn)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Pan100(benchmark::State& state) {
    scene->fit();
    scene->surface->show(*scene->panel);
    int step = 100;
    for (auto _ : state) {
        // Right and back left, so that the view stays over the drawing.
        const TPoint centre = scene->panel->world_to_screen(scene->panel->current().centre_x,
                                                             scene->panel->current().centre_y);
        scene->panel->pan_by(centre.x + step, centre.y, 1);
        step = -step;
        const int painted = scene->surface->show(*scene->panel);
        if (painted != 1) state.SkipWithError("the pan painted more than its strip");
    }
}
BENCHMARK(BM_Pan100)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Unchanged(benchmark::State& state) {
    scene->fit();
    scene->surface->show(*scene->panel);
    for (auto _ : state) {
        const int painted = scene->surface->show(*scene->panel);
        if (painted != 0) state.SkipWithError("an unchanged view was painted");
    }
}
BENCHMARK(BM_Unchanged)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CoreWalk(benchmark::State& state) {
    scene->fit();
    CountingCanvas canvas;
    for (auto _ : state) {
        canvas.calls = 0;
        const zoom_view& view = scene->panel->current();
        scene->walk(canvas, view, view_world_rectangle(view, {0, 0, kWidth, kHeight}, view_pen_margin));
        benchmark::DoNotOptimize(canvas.calls);
    }
    state.counters["calls"] = static_cast<double>(canvas.calls);
}
BENCHMARK(BM_CoreWalk)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    euro_rounding = false;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    Scene s;
    scene = &s;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    scene = nullptr;
    return 0;
}
