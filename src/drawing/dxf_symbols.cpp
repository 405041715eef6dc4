// The symbol blocks the sheets insert: crossings, the treatment plant's
// distribution, closing and collecting boxes and the sampling tube. Each
// is a block on layer "0" whose lines, arcs and circles take the colour of
// the insert (by block).
#include <memory>
#include <string>
#include <string_view>

#include "drawing/dxf_groups.h"
#include "drawing/dxf_sections.h"
#include "drawing/entities.h"

namespace {

constexpr int by_block = 0;
const point3 no_ocs{0, 0, 1};

void line(Block_& b, double x1, double y1, double x2, double y2) {
    b.add(std::make_unique<Line_>(point3{x1, y1, 0}, point3{x2, y2, 0}, by_block));
}

// The four sides of a box from (x1, y1) to (x2, y2).
void box(Block_& b, double x1, double y1, double x2, double y2) {
    line(b, x1, y1, x2, y1);
    line(b, x2, y1, x2, y2);
    line(b, x2, y2, x1, y2);
    line(b, x1, y2, x1, y1);
}

// A box of a treatment plant in centimetres: the body 32 cm wide centred on
// the base point (the invert), the shaft with its rings from 40.5 cm up.
void treatment_box(Block_& b) {
    box(b, -16, -12, 16, 40.5);
    box(b, -11, 40.5, 11, 52.5);
    box(b, -11, 52.5, 11, 64.5);
    line(b, -13, 64.5, 13, 64.5);
}

std::unique_ptr<Block_> make_block(std::string_view kind) {
    if (kind == "slrr") {
        auto b = std::make_unique<Block_>("SLRR", point3{});
        treatment_box(*b);
        // The outlets of the distribution box.
        line(*b, -16, 0, -8, 0);
        line(*b, 8, 0, 16, 0);
        return b;
    }
    if (kind == "slrbou") {
        auto b = std::make_unique<Block_>("SLRBOU", point3{});
        treatment_box(*b);
        // The closing wall.
        line(*b, -16, 20, 16, -12);
        return b;
    }
    if (kind == "slrcolv") {
        // Two chambers 32 cm wide, their left walls 52.8 and 16.6 cm left
        // of the base point, which lies 110 cm below the incoming invert.
        auto b = std::make_unique<Block_>("SLRCOLV", point3{});
        box(*b, -52.8, 0, -20.8, 130);
        box(*b, -16.6, 0, 15.4, 130);
        line(*b, -20.8, 110, -16.6, 110);
        line(*b, -20.8, 20, -16.6, 20);
        return b;
    }
    if (kind == "piezo") {
        // A tube 20 cm wide, its left wall 22.25 cm right of the base point.
        auto b = std::make_unique<Block_>("PIEZO", point3{});
        box(*b, 22.25, -60, 42.25, 80);
        line(*b, 20.25, 80, 44.25, 80);
        b->add(std::make_unique<Circle_>(no_ocs, point3{32.25, 90, 0}, 10, by_block));
        return b;
    }
    // The crossing: a circle of radius 1 about the base point, crossed.
    auto b = std::make_unique<Block_>("KOLIZJA", point3{});
    b->add(std::make_unique<Circle_>(no_ocs, point3{}, 1, by_block));
    const double d = 0.70710678118654752;
    line(*b, -d, -d, d, d);
    line(*b, -d, d, d, -d);
    return b;
}

}  // namespace

std::string obiekty(std::string_view kind) {
    dxf_group_output out;
    make_block(kind)->write_dxf(out, "0");
    std::string text = out.take();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}
