// The entity lists' boxes and what a list draws of a visible rectangle:
// entities wholly outside it are not drawn yet hand their pen and font on,
// inserts and polylines inside one pixel are that pixel.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "drawing/containers.h"
#include "drawing/dxf_sections.h"
#include "drawing/entities.h"
#include "drawing/dxf_test_support.h"
#include "model/drawing_palette.h"
#include "platform/graphics.h"
#include "platform/sysutils.h"
#include "support/toolkit_fixture.h"

namespace {

// Scale 10, y downwards.
TPoint project10(const void*, const point3& p, const matrix4* t) {
    const point3 q = point3_transform(t, p);
    return {static_cast<int>(std::lround(q.x * 10)), static_cast<int>(std::lround(-q.y * 10))};
}

// Scale 1, y downwards.
TPoint project1(const void*, const point3& p, const matrix4* t) {
    const point3 q = point3_transform(t, p);
    return {static_cast<int>(std::floor(q.x)), static_cast<int>(std::floor(-q.y))};
}

using ops = std::vector<std::string>;

ops described(const RecordingCanvas& c) {
    ops out;
    for (const auto& op : c.ops) out.push_back(op.describe());
    return out;
}

bool same_box(const world_box& a, const world_box& b) {
    auto same = [](double u, double v) { return u == v || std::fabs(u - v) < 1e-9; };
    return same(a.xmin, b.xmin) && same(a.ymin, b.ymin) && same(a.xmax, b.xmax) && same(a.ymax, b.ymax);
}

std::string box_text(const world_box& b) {
    return "(" + FloatToStr(b.xmin) + ", " + FloatToStr(b.ymin) + ") - (" + FloatToStr(b.xmax) + ", " +
           FloatToStr(b.ymax) + ")";
}

std::vector<std::unique_ptr<Attrib_>> no_attributes() { return {}; }

// The crossing symbol as the drawing writer writes it: a circle of radius 1
// crossed, all of colour 0.
std::unique_ptr<Block_> kolizja() {
    auto b = std::make_unique<Block_>("KOLIZJA", point3_origin);
    b->add(std::make_unique<Circle_>(point3_unit_z, point3_origin, 1, 0));
    b->add(std::make_unique<Line_>(point3{-0.7, -0.7, 0}, point3{0.7, 0.7, 0}, 0));
    b->add(std::make_unique<Line_>(point3{-0.7, 0.7, 0}, point3{0.7, -0.7, 0}, 0));
    return b;
}

class VisibleDraw : public ToolkitTest {
protected:
    VisibleDraw() {
        decimal_separator = '.';
        euro_rounding = false;
        drawing_pen_width_mode = 0;
        blocks.add(kolizja());
    }
    Entity_List blocks{"Block_"};
    RecordingCanvas canvas;

    std::unique_ptr<Insert_> insert(point3 at, double scale, double degrees, int colour,
                                    std::vector<std::unique_ptr<Attrib_>> attributes = {},
                                    std::string block = "KOLIZJA") {
        auto i = std::make_unique<Insert_>(point3_unit_z, at, point3{scale, scale, scale}, degrees, colour,
                                           std::move(attributes), std::move(block));
        i->bind_block_list(&blocks);
        return i;
    }
};

TEST_F(VisibleDraw, EachEntityIsBoxedByWhatItDraws) {
    const world_box inf = world_box_unbounded;
    const double nan = std::nan("");
    auto extruded = std::make_unique<Line_>(point3{0, 0, 0}, point3{1, 0, 0}, 1);
    auto attribute = std::make_unique<Attrib_>(point3_unit_z, point3{0, 0, 0}, point3_origin, "NR", "S12", 0, 0, 1, 1);
    std::vector<std::unique_ptr<Attrib_>> attributes;
    attributes.push_back(std::move(attribute));
    struct entry {
        std::unique_ptr<DXF_Entity> entity;
        world_box box;
    };
    std::vector<entry> cases;
    cases.push_back({std::make_unique<Line_>(point3{3, 4, 0}, point3{-1, 9, 5}, 1), {-1, 4, 3, 9}});
    cases.push_back({std::make_unique<Point_>(point3_unit_z, point3{2, 3, 0}, 1), {2, 3, 2, 3}});
    cases.push_back({std::make_unique<Circle_>(point3_unit_z, point3{10, 20, 0}, 2, 1), {8, 18, 12, 22}});
    cases.push_back({std::make_unique<Arc_>(point3_unit_z, point3{10, 20, 0}, 2, 0, 90, 1), {8, 18, 12, 22}});
    cases.push_back(
        {std::make_unique<Ellipse_>(point3_unit_z, point3{0, 0, 0}, point3{4, 0, 0}, 0.5, 0, 6, 1), {-4, -2, 4, 2}});
    cases.push_back(
        {std::make_unique<Polyline_>(std::vector<point3>{{0, 0, 0}, {5, -1, 0}, {2, 7, 0}}, 1, false), {0, -1, 5, 7}});
    cases.push_back({std::make_unique<Polyline_>(std::vector<point3>{}, 1, false), world_box_empty});
    // A text's point grown by 4 x height x (length + 1): "abc" 2 high, 32.
    cases.push_back({std::make_unique<Text_>(point3_unit_z, point3{100, 50, 0}, point3_origin, "abc", 2, 1, 1, 0, 0),
                     {68, 18, 132, 82}});
    // Aligned texts stand at their alignment point.
    cases.push_back({std::make_unique<Text_>(point3_unit_z, point3{100, 50, 0}, point3{10, 10, 0}, "", 1, 1, 1, 2, 0),
                     {6, 6, 14, 14}});
    cases.push_back({std::make_unique<Attrib_>(point3_unit_z, point3{0, 0, 0}, point3_origin, "NR", "S1", 0, 0, 1, 1),
                     {-12, -12, 12, 12}});
    cases.push_back({std::make_unique<Attrib_>(point3_unit_z, point3{0, 0, 0}, point3_origin, "NR", "S1", 1, 0, 1, 1),
                     world_box_empty});
    cases.push_back({std::make_unique<Attdef_>(point3_unit_z, point3{0, 0, 0}, point3_origin, "NR", "S1", "P", 0, 0,
                                               1, 1),
                     world_box_empty});
    // The circle of radius 1 doubled, at (100, 50).
    cases.push_back({insert({100, 50, 0}, 2, 0, 3), {98, 48, 102, 52}});
    // Turned 45 degrees: the corners of the block's box go round.
    const double r2 = 2 * std::sqrt(2.0);
    cases.push_back({insert({0, 0, 0}, 2, 45, 3), {-r2, -r2, r2, r2}});
    // The attribute goes through the insert's transform too, its margin
    // (4 x 1 x 4) does not.
    cases.push_back({insert({100, 50, 0}, 2, 0, 3, std::move(attributes)), {82, 32, 118, 68}});
    cases.push_back({std::make_unique<Insert_>(point3_unit_z, point3{0, 0, 0}, point3{1, 1, 1}, 0, 1,
                                               no_attributes(), "NONE"),
                     inf});
    cases.push_back({std::make_unique<Line_>(point3{nan, 0, 0}, point3{1, 0, 0}, 1), inf});
    cases.push_back({std::make_unique<Text_>(point3_unit_z, point3{0, 0, 0}, point3_origin, "a", nan, 1, 1, 0, 0), inf});
    auto block = std::make_unique<Block_>("B", point3_origin);
    block->add(std::make_unique<Line_>(point3{0, 0, 0}, point3{1, 1, 0}, 1));
    cases.push_back({std::move(block), inf});

    Entity_List list("mixed");
    for (auto& c : cases) list.add(std::move(c.entity));
    for (int i = 0; i < list.count(); ++i)
        EXPECT_TRUE(same_box(list.box(i), cases[static_cast<std::size_t>(i)].box))
            << i << " " << list.entity(i).class_name() << ": " << box_text(list.box(i));
}

// Whatever the entity, every point drawn (but a text's letters) projects
// inside its box projected.
TEST_F(VisibleDraw, EverythingDrawnLiesInTheBox) {
    auto nested = std::make_unique<Block_>("NESTED", point3{5, 5, 0});
    nested->add(std::make_unique<Insert_>(point3_unit_z, point3{7, 5, 0}, point3{3, 1, 1}, 30, 0, no_attributes(),
                                          "KOLIZJA"));
    nested->add(std::make_unique<Arc_>(point3_unit_z, point3{5, 8, 0}, 2, 200, 300, 0));
    blocks.add(std::move(nested));
    const point3 tilted = point3_normalise({0.3, 0.2, 1});
    std::vector<std::unique_ptr<DXF_Entity>> entities;
    entities.push_back(std::make_unique<Circle_>(tilted, point3{10, 20, 3}, 2, 1));
    entities.push_back(std::make_unique<Arc_>(tilted, point3{-10, 20, 3}, 4, 10, 350, 1));
    entities.push_back(std::make_unique<Ellipse_>(tilted, point3{0, 0, 0}, point3{-4, 0, 0}, 0.5, 0, 6, 1));
    entities.push_back(
        std::make_unique<Polyline_>(tilted, std::vector<point3>{{0, 0, 1}, {5, -1, 2}, {2, 7, -3}}, 1, true));
    entities.push_back(insert({40, -20, 0}, 1.5, 120, 3));
    entities.push_back(std::make_unique<Insert_>(tilted, point3{3, 3, 3}, point3{2, -1, 1}, 77, 3, no_attributes(),
                                                 "NESTED"));
    static_cast<Insert_&>(*entities.back()).bind_block_list(&blocks);
    entities.push_back(std::make_unique<Polyface_mesh_>(std::vector<point3>{{0, 0, 0}, {3, 1, 0}, {1, 4, 0}},
                                                        std::vector<Polyface_mesh_::face>{{0, 1, 2, -1}}, 1));
    for (const auto& e : entities) {
        const world_box b = e->drawn_bounds().box();
        const TPoint low = project10(nullptr, {b.xmin, b.ymin, 0}, nullptr);
        const TPoint high = project10(nullptr, {b.xmax, b.ymax, 0}, nullptr);
        canvas.ops.clear();
        e->draw(canvas, nullptr, project10, nullptr);
        ASSERT_FALSE(canvas.ops.empty()) << e->class_name();
        for (const auto& op : canvas.ops) {
            // Every op's arguments are x, y pairs (an arc's rays pass through
            // its box's points too).
            for (std::size_t k = 0; k + 1 < op.args.size(); k += 2) {
                EXPECT_GE(op.args[k], low.x) << e->class_name() << " " << op.describe();
                EXPECT_LE(op.args[k], high.x) << e->class_name() << " " << op.describe();
                EXPECT_LE(op.args[k + 1], low.y) << e->class_name() << " " << op.describe();
                EXPECT_GE(op.args[k + 1], high.y) << e->class_name() << " " << op.describe();
            }
        }
    }
}

// A layer of lines, texts and inserts: drawn with a visible rectangle, the
// canvas gets exactly the full drawing's operations of the entities that
// reach into it, with the same pens and fonts.
TEST_F(VisibleDraw, EntitiesWhollyOutsideTheVisibleRectangleAreNotDrawn) {
    DXF_Layer layer("L");
    layer.colour_index = 1;
    auto add_line = [&](double x1, double x2, const char* line_type, int width) {
        auto l = std::make_unique<Line_>(point3{x1, 0, 0}, point3{x2, 10, 0}, 2);
        l->line_type_name = line_type;
        l->line_width = width;
        layer.add_entity(std::move(l));
    };
    add_line(-50, -50, "DASH", 3);  // outside: hands its dashes and width on
    add_line(5, 5, "", 0);          // inside, of an unknown line type
    add_line(8, 15, "DOT", 2);      // crosses the right side
    add_line(150, 150, "CONTINUOUS", 1);
    // Texts 1 high: a box 4 x (length + 1) about the point.
    auto text = [&](double x, const char* s, int justification) {
        layer.add_entity(std::make_unique<Text_>(point3_unit_z, point3{x, 5, 0}, point3_origin, s, 1, 1, 5,
                                                 justification, 0));
    };
    text(-60, "far left", 1);  // outside: its alignment stays with the next
    text(-10, "ab", 5);        // point outside, its box (12 each way) reaches in
    text(-9, "x", 0);          // box 8 each way: outside
    text(3, "in", 0);
    // Inserts: the circle of radius 1 times 5 at x = 14 reaches in; times 1
    // at x = 14 does not; one far away carries an attribute.
    layer.add_entity(insert({14, 5, 0}, 5, 0, 3));
    layer.add_entity(insert({14, 5, 0}, 1, 0, 4));
    std::vector<std::unique_ptr<Attrib_>> attributes;
    attributes.push_back(std::make_unique<Attrib_>(point3_unit_z, point3{0, 0, 0}, point3_origin, "NR", "S1", 0, 0,
                                                   1, 6));
    layer.add_entity(insert({500, 5, 0}, 1, 0, 3, std::move(attributes)));

    const world_box visible{0, 0, 10, 10};
    RecordingCanvas full_canvas;
    RecordingCanvas culled_canvas;
    for (const auto& list : layer.entity_lists()) {
        list->draw(full_canvas, nullptr, project10, nullptr);
        list->draw(culled_canvas, nullptr, project10, nullptr, &visible);
    }
    const std::vector<RecordingCanvas::Op>& full = full_canvas.ops;
    const std::vector<RecordingCanvas::Op>& culled = culled_canvas.ops;
    // What reaches in, in the full drawing's order.
    const ops expected{"line 50,0,50,-100",     "line 80,0,150,-100",    "text -100,-50 \"ab\"", "text 30,-50 \"in\"",
                       "ellipse 90,0,190,-100", "line 105,-15,175,-85", "line 105,-85,175,-15"};
    std::vector<RecordingCanvas::Op> kept;
    for (const auto& op : full)
        for (const auto& e : expected)
            if (op.describe() == e) kept.push_back(op);
    ASSERT_EQ(kept.size(), expected.size());
    ASSERT_EQ(culled.size(), kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        EXPECT_EQ(culled[i].describe(), expected[i]);
        EXPECT_EQ(culled[i].pen, kept[i].pen) << expected[i];
        EXPECT_TRUE(culled[i].font == kept[i].font) << expected[i];
        EXPECT_EQ(culled[i].flags, kept[i].flags) << expected[i];
    }
    // The unknown line type drew with the dashes of the line skipped before it.
    EXPECT_EQ(culled[0].pen.Style, TPenStyle::psDash);
    EXPECT_EQ(culled[0].pen.Width, 1) << "its own width 0 counts as 1";
    EXPECT_EQ(culled[2].flags, TA_BASELINE | TA_CENTER) << "justification 5 keeps the skipped text's alignment";

    // A visible rectangle holding everything draws all; with a transform
    // the boxes do not apply.
    for (const auto& list : layer.entity_lists()) {
        RecordingCanvas all;
        RecordingCanvas everything;
        list->draw(all, nullptr, project10, nullptr);
        const world_box huge{-1e9, -1e9, 1e9, 1e9};
        list->draw(everything, nullptr, project10, nullptr, &huge);
        EXPECT_EQ(described(everything), described(all)) << list->name;
        RecordingCanvas moved;
        const matrix4 shift = matrix_translation({0, 0, 0});
        list->draw(moved, &shift, project10, nullptr, &visible);
        EXPECT_EQ(described(moved), described(all)) << list->name;
    }
}

TEST_F(VisibleDraw, AnInsertOrPolylineInsideOnePixelIsThatPixel) {
    DXF_Layer layer("L");
    layer.colour_index = 1;
    // Scale 1 with whole pixels from (10, -11) to (11, -10).
    layer.add_entity(insert({10.5, 10.5, 0}, 0.1, 0, 3));
    layer.add_entity(std::make_unique<Polyline_>(std::vector<point3>{{10.1, 10.1, 0}, {10.9, 10.2, 0}, {10.3, 10.8, 0}},
                                                 5, false));
    layer.add_entity(std::make_unique<Line_>(point3{10.1, 10.1, 0}, point3{10.2, 10.2, 0}, 2));
    // Across a pixel's edge: drawn.
    layer.add_entity(insert({11, 10.5, 0}, 0.1, 0, 3));
    layer.add_entity(
        std::make_unique<Polyline_>(std::vector<point3>{{10.1, 10.1, 0}, {11.1, 10.2, 0}}, 5, false));
    for (const auto& list : layer.entity_lists()) list->draw(canvas, nullptr, project1, nullptr);
    const ops drawn = described(canvas);
    // The first insert is one pixel; the second draws its circle (a pixel
    // itself) and both lines.
    EXPECT_EQ(drawn, (ops{"pixel 10,-11", "pixel 10,-11", "line 10,-11,11,-11", "line 10,-11,11,-11", "pixel 10,-11",
                          "polyline 10,-11,11,-11", "line 10,-11,10,-11"}));
    ASSERT_EQ(canvas.ops.size(), 7u);
    EXPECT_EQ(canvas.ops[0].pen.Color, drawing_palette_colour(3, 0)) << "in the insert's colour";
    EXPECT_EQ(canvas.ops[4].pen.Color, drawing_palette_colour(5, 0));
}

// Pixels per unit held by the owner, y downwards.
TPoint project_scaled(const void* owner, const point3& p, const matrix4* t) {
    const double scale = *static_cast<const double*>(owner);
    const point3 q = point3_transform(t, p);
    return {static_cast<int>(std::lround(q.x * scale)), static_cast<int>(std::lround(-q.y * scale))};
}

TEST_F(VisibleDraw, TextsOfAListTakeTheirFontsFromTheViewOfEachDrawing) {
    DXF_Layer layer("L");
    layer.colour_index = 1;
    for (const double height : {1.0, 2.0, 2.0, 1.0, 0.04, 3.0})
        layer.add_entity(std::make_unique<Text_>(point3_unit_z, point3{height, 1, 0}, point3_origin, "Ab", height, 1,
                                                 2, 0, 0));
    std::vector<std::unique_ptr<Attrib_>> attributes;
    attributes.push_back(std::make_unique<Attrib_>(point3_unit_z, point3{5, 5, 0}, point3_origin, "NR", "7", 0, 0, 1.0, 0));
    layer.add_entity(insert({5, 5, 0}, 1, 0, 3, std::move(attributes)));
    // The same owner, its scale changed between two drawings, as a view
    // changed in place by a zoom.
    double scale = 10;
    auto fonts = [&](bool through_list) {
        RecordingCanvas c;
        for (const auto& list : layer.entity_lists()) {
            if (through_list) {
                list->draw(c, nullptr, project_scaled, &scale);
                continue;
            }
            const by_layer_colour_scope by_layer(drawing_colour_of(layer.colour_index));
            for (const auto& e : list->entities()) e->draw(c, nullptr, project_scaled, &scale);
        }
        std::vector<int> sizes;
        for (const auto& op : c.of_kind("text")) sizes.push_back(op.font.Size());
        return sizes;
    };
    for (const double s : {10.0, 20.0, 1.0, 10.0}) {
        scale = s;
        const std::vector<int> expected = fonts(false);
        EXPECT_EQ(fonts(true), expected) << "scale " << s;
        EXPECT_GE(expected.size(), 5u);
    }
}

TEST_F(VisibleDraw, BoxesStayWithTheirEntitiesThroughMergeAndTakeLast) {
    DXF_Object target("preview");
    target.layer("0").entity_list("Block_");
    DXF_Object other("new");
    Entity_List& other_blocks = other.layer("0").entity_list("Block_");
    other_blocks.add(kolizja());
    for (const double x : {1.0, 2.0, 3.0})
        other.layer("ter").add_entity(std::make_unique<Line_>(point3{x, 0, 0}, point3{x, x, 0}, 1));
    // An insert filed before it knows its blocks has no box yet.
    auto unbound = std::make_unique<Insert_>(point3_unit_z, point3{50, 50, 0}, point3{2, 2, 2}, 0, 3, no_attributes(),
                                             "KOLIZJA");
    other.layer("sym").entity_list("Insert_").add(std::move(unbound));
    EXPECT_TRUE(same_box(other.find_layer("sym")->find_entity_list("Insert_")->box(0), world_box_unbounded));

    target.merge(other);
    const Entity_List& lines = *target.find_layer("ter")->find_entity_list("Line_");
    ASSERT_EQ(lines.count(), 3);
    for (int i = 0; i < 3; ++i) {
        const double x = 3 - i;  // merged last first
        EXPECT_TRUE(same_box(lines.box(i), {x, 0, x, x})) << i << " " << box_text(lines.box(i));
    }
    const Entity_List& inserts = *target.find_layer("sym")->find_entity_list("Insert_");
    EXPECT_TRUE(same_box(inserts.box(0), {48, 48, 52, 52})) << "boxed once bound: " << box_text(inserts.box(0));

    Entity_List& list = *target.find_layer("ter")->find_entity_list("Line_");
    const std::unique_ptr<DXF_Entity> last = list.take_last();
    list.add(std::make_unique<Line_>(point3{7, 7, 0}, point3{8, 9, 0}, 1));
    EXPECT_TRUE(same_box(list.box(2), {7, 7, 8, 9}));
    EXPECT_TRUE(same_box(list.box(1), {2, 0, 2, 2}));

    // Changed afterwards: boxed again on request.
    list.entity(2).translate({1, 1, 0});
    list.refresh_box(2);
    EXPECT_TRUE(same_box(list.box(2), {8, 8, 9, 10}));
}

TEST_F(VisibleDraw, ADrawingReadFromAFileHasItsBoxes) {
    const std::string text = obiekty("kolizja");
    const auto d = read_dxf(dxf_text({"0", "SECTION", "2", "BLOCKS"}) + text + "\r\n" +
                            dxf_text({"0", "ENDSEC", "0", "SECTION", "2", "ENTITIES", "0", "INSERT", "8", "s", "2",
                                      "KOLIZJA", "10", "100", "20", "200", "41", "3", "42", "3", "43", "3", "0",
                                      "TEXT", "8", "s", "10", "5", "20", "6", "40", "0.5", "1", "abc", "0", "ENDSEC",
                                      "0", "EOF"}));
    EXPECT_TRUE(ui().boxes.empty());
    const DXF_Layer& s = *d->find_layer("s");
    EXPECT_TRUE(same_box(s.find_entity_list("Insert_")->box(0), {97, 197, 103, 203}))
        << box_text(s.find_entity_list("Insert_")->box(0));
    EXPECT_TRUE(same_box(s.find_entity_list("Text_")->box(0), {-3, -2, 13, 14}));
}

}  // namespace
