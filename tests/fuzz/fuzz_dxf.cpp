// The drawing-file reader on any bytes: it ends (a hang is the fuzzer's
// time-out), keeps what it read and says what it could not in its boxes.
// Every entity read reports its extents, describes itself and draws on a
// recording canvas, and every list draws whole and for a visible rectangle;
// the drawing written back as a file reads again into the same layers and
// entity lists, without an error.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "drawing/containers.h"
#include "drawing/dxf_reader.h"
#include "drawing/dxf_test_support.h"
#include "drawing/entities.h"
#include "fuzz_support.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/sysutils.h"

namespace {

void expect(bool condition) {
    if (!condition) std::abort();
}

// The boxes are answered without a script: the question whether to skip an
// entity is answered OK or Cancel as the test asks.
class AnsweringServices : public HeadlessServices {
public:
    AnsweringServices() : HeadlessServices(scratch().path()) {}
    bool cancel = false;
    int message_box(std::string_view text, std::string_view caption, unsigned flags) override {
        const bool question = (flags & MB_BUTTONS_MASK) == MB_OKCANCEL;
        boxes.push_back({std::string(text), std::string(caption), flags, question && cancel ? IDCANCEL : IDOK});
        return boxes.back().answer;
    }
    int read_errors() const {
        return static_cast<int>(
            std::count_if(boxes.begin(), boxes.end(), [](const Box& b) { return b.caption == "DXF Read Error"; }));
    }
};

AnsweringServices& answering() {
    static AnsweringServices* s = [] {
        auto* a = new AnsweringServices;
        set_services(a);
        return a;
    }();
    return *s;
}

// Scale 1, y downwards, kept well inside the device's range.
TPoint project(const void*, const point3& p, const matrix4* t) {
    const point3 q = point3_transform(t, p);
    auto device = [](double v) {
        if (!(v > -1e6)) return -1000000;
        if (!(v < 1e6)) return 1000000;
        return static_cast<int>(v);
    };
    return {device(q.x), device(-q.y)};
}

void exercise(const DXF_Entity& e) {
    RecordingCanvas canvas;
    e.draw(canvas, nullptr, project, nullptr);
    e.draw_vertices(canvas, nullptr, project, nullptr);
    point3 max = extents_empty_max;
    point3 min = extents_empty_min;
    e.update_extents(max, min);
    (void)e.describe();
    (void)(e.count_points() + e.count_lines() + e.count_open_polylines() + e.count_closed_polygons());
    (void)e.distance_to(point3_origin);
    (void)e.nearest_vertex(point3_origin);
    (void)e.point_inside(point3_origin);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    AnsweringServices& services = answering();
    decimal_separator = '.';
    euro_rounding = false;
    services.boxes.clear();
    services.cancel = size % 2 == 1;

    // Nothing escapes the reader: what it could not read is in its boxes,
    // with at most one error that ends the reading.
    const std::unique_ptr<DXF_Object> drawing = read_dxf(std::string(input_text(data, size)));
    expect(services.read_errors() <= 1);
    for (const auto& layer : drawing->layers())
        for (const auto& list : layer->entity_lists()) {
            expect(list->owner == layer.get());
            for (const auto& e : list->entities()) {
                expect(e->class_name() == list->name);
                try {
                    exercise(*e);
                } catch (const EMathError&) {
                    // A coordinate too large to round for the device.
                }
            }
        }

    // Each list whole, then what a small window shows of it: the boxes, the
    // state of what is skipped and the pixels of what is too small.
    const world_box visible{-50, -50, 50, 50};
    for (const auto& layer : drawing->layers())
        for (const auto& list : layer->entity_lists())
            for (const world_box* v : {static_cast<const world_box*>(nullptr), &visible}) {
                RecordingCanvas canvas;
                try {
                    list->draw(canvas, nullptr, project, nullptr, v);
                } catch (const EMathError&) {
                    // A coordinate too large to round for the device.
                }
            }

    const std::vector<std::string> read = dxf_summary(*drawing);
    services.boxes.clear();
    services.cancel = false;
    const std::unique_ptr<DXF_Object> again = read_dxf(dxf_file_of(*drawing));
    expect(services.boxes.empty());
    expect(dxf_summary(*again) == read);
    return 0;
}
