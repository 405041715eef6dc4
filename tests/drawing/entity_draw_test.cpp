// How the entities draw themselves on a canvas.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "drawing/containers.h"
#include "drawing/entities.h"
#include "model/drawing_palette.h"
#include "platform/graphics.h"
#include "platform/named_bytes.h"
#include "platform/sysutils.h"

namespace {

// World to device as the preview maps it at scale 1: y grows downwards.
TPoint project(const void*, const point3& p, const matrix4* t) {
    const point3 q = point3_transform(t, p);
    return {static_cast<int>(std::lround(q.x)), static_cast<int>(std::lround(-q.y))};
}

std::vector<std::string> described(const RecordingCanvas& c) {
    std::vector<std::string> out;
    for (const auto& op : c.ops) out.push_back(op.describe());
    return out;
}

using ops = std::vector<std::string>;

class EntityDrawing : public ::testing::Test {
protected:
    EntityDrawing() {
        decimal_separator = '.';
        euro_rounding = false;
        drawing_pen_width_mode = 0;
    }
    ~EntityDrawing() override { drawing_pen_width_mode = 0; }
    RecordingCanvas canvas;
    ops draw(const DXF_Entity& e, const matrix4* t = nullptr) {
        canvas.ops.clear();
        e.draw(canvas, t, project, nullptr);
        return described(canvas);
    }
};

TEST_F(EntityDrawing, PointsLinesCirclesAndArcs) {
    const point3 z = point3_unit_z;
    EXPECT_EQ(draw(Point_(z, {10, 20, 0}, 1)), (ops{"line 8,-22,13,-17", "line 8,-18,13,-23"}));
    EXPECT_EQ(canvas.Pen.Color, drawing_palette_fixed[0]);
    EXPECT_EQ(draw(Line_({0, 0, 0}, {10, 5, 0}, 3)), (ops{"line 0,0,10,-5"}));
    EXPECT_EQ(draw(Circle_(z, {10, 10, 0}, 5, 3)), (ops{"ellipse 5,-5,15,-15"}));
    // Smaller than two pixels: one pixel at the corner (cx - r, cy - r).
    EXPECT_EQ(draw(Circle_(z, {10, 10, 0}, 0.4, 3)), (ops{"pixel 10,-10"}));
    EXPECT_EQ(draw(Arc_(z, {0, 0, 0}, 10, 0, 90, 3)), (ops{"arc -10,10,10,-10,10,0,0,-10"}));
    EXPECT_EQ(draw(Ellipse_(z, {0, 0, 0}, {10, 0, 0}, 0.5, 0, 6.28, 3)), (ops{"ellipse -10,5,10,-5"}));
    // A vertical major axis has no width here: one pixel.
    EXPECT_EQ(draw(Ellipse_(z, {0, 0, 0}, {0, 10, 0}, 0.5, 0, 6.28, 3)), (ops{"pixel 0,0"}));
}

TEST_F(EntityDrawing, LinesAndArcsTakeTheirPenFromTheLineTypeAndWidth) {
    const struct {
        const char* line_type;
        TPenStyle style;
    } cases[] = {
        {"CONTINUOUS", TPenStyle::psSolid}, {"DASH", TPenStyle::psDash},
        {"DOT", TPenStyle::psDot},          {"DASHDOT", TPenStyle::psDashDot},
        {"DASHDOTDOT", TPenStyle::psDashDotDot}, {"Continuous", TPenStyle::psClear},
        {"", TPenStyle::psClear},
    };
    for (const auto& c : cases) {
        Line_ line({0, 0, 0}, {1, 0, 0}, 1);
        Arc_ arc(point3_unit_z, {0, 0, 0}, 10, 0, 90, 1);
        for (DXF_Entity* e : std::initializer_list<DXF_Entity*>{&line, &arc}) {
            e->line_type_name = c.line_type;
            e->line_width = 3;
            canvas.Pen.Style = TPenStyle::psClear;  // an unknown name leaves the style as it is
            canvas.Pen.Width = 7;
            draw(*e);
            EXPECT_EQ(canvas.ops.back().pen.Style, c.style) << c.line_type << " " << e->class_name();
            EXPECT_EQ(canvas.ops.back().pen.Width, 3) << c.line_type;
        }
    }
    Line_ thin({0, 0, 0}, {1, 0, 0}, 1);
    draw(thin);
    EXPECT_EQ(canvas.Pen.Width, 1) << "at least one pixel";
    drawing_pen_width_mode = 1;
    thin.line_width = 5;
    canvas.Pen.Width = 4;
    draw(thin);
    EXPECT_EQ(canvas.Pen.Width, 4) << "the caller's width stands";
    Circle_ circle(point3_unit_z, {0, 0, 0}, 10, 1);
    circle.line_type_name = "DASH";
    canvas.Pen.Style = TPenStyle::psSolid;
    draw(circle);
    EXPECT_EQ(canvas.Pen.Style, TPenStyle::psSolid) << "circles keep the canvas's pen";
}

TEST_F(EntityDrawing, TextRule) {
    const point3 z = point3_unit_z;
    draw(Text_(z, {5, 5, 0}, point3_origin, "abc", 10, 1, 1, 0, 30));
    ASSERT_EQ(canvas.ops.size(), 1u);
    const auto& op = canvas.ops[0];
    EXPECT_EQ(op.describe(), "text 5,-5 \"abc\"");
    EXPECT_EQ(op.flags, TA_BASELINE | TA_LEFT);
    EXPECT_EQ(op.font.Orientation, 300);
    EXPECT_EQ(op.font.Color, drawing_palette_fixed[0]);
    TFont expected_font;
    expected_font.SetHeight(19);  // round(1.6 x (10 + 2))
    EXPECT_EQ(op.font.Size(), expected_font.Size());

    // Drawn at the alignment point, aligned by the justification.
    const struct {
        int justification;
        unsigned align;
    } aligned[] = {{1, TA_BASELINE | TA_CENTER}, {2, TA_BASELINE | TA_RIGHT}, {5, TA_TOP | TA_LEFT}};
    for (const auto& a : aligned) {
        canvas.SetTextAlign(TA_TOP | TA_LEFT);
        draw(Text_(z, {5, 5, 0}, {8, 9, 0}, "x", 10, 1, 1, a.justification, 0));
        EXPECT_EQ(canvas.ops.back().describe(), "text 8,-9 \"x\"") << a.justification;
        EXPECT_EQ(canvas.ops.back().flags, a.align) << a.justification;
    }
    EXPECT_EQ(draw(Text_(z, {5, 5, 0}, point3_origin, "fi 20%%d %%p1", 10, 1, 1, 0, 0)),
              (ops{std::string("text 5,-5 \"fi 20") + degree_sign + " " + plus_minus_sign + "1\""}));
    // Less than a pixel high: not drawn.
    EXPECT_TRUE(draw(Text_(z, {5, 5, 0}, point3_origin, "abc", 0.4, 1, 1, 0, 0)).empty());

    EXPECT_EQ(draw(Attrib_(z, {1, 1, 0}, point3_origin, "NR", "S1", 0, 0, 10, 1)), (ops{"text 1,-1 \"S1\""}));
    EXPECT_TRUE(draw(Attrib_(z, {1, 1, 0}, point3_origin, "NR", "S1", 1, 0, 10, 1)).empty()) << "invisible";
    EXPECT_TRUE(draw(Attdef_(z, {1, 1, 0}, point3_origin, "NR", "S1", "P", 0, 0, 10, 1)).empty());
}

TEST_F(EntityDrawing, PolylinesMeshesAndFaces) {
    EXPECT_EQ(draw(Polyline_({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, 1, false)), (ops{"polyline 0,0,10,0,10,-10"}));
    EXPECT_EQ(draw(Polyline_({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, 1, true)), (ops{"polygon 0,0,10,0,10,-10"}));
    EXPECT_TRUE(draw(Polyline_(std::vector<point3>{}, 1, false)).empty());
    EXPECT_EQ(draw(Face3D_({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, 1)), (ops{"polygon 0,0,10,0,10,-10"}));
    EXPECT_EQ(draw(Solid_(point3_unit_z, {{0, 0, 0}, {10, 0, 0}, {0, 10, 0}, {10, 10, 0}}, 1, 0)),
              (ops{"polygon 0,0,10,0,0,-10,10,-10"}));

    const std::vector<point3> grid{{0, 0, 0}, {10, 0, 0}, {20, 0, 0}, {0, 10, 0}, {10, 10, 0}, {20, 10, 0}};
    EXPECT_EQ(draw(Polygon_mesh_(grid, 2, 3, 16, 1)),
              (ops{"polyline 0,0,10,0,20,0", "polyline 0,-10,10,-10,20,-10", "line 0,0,0,-10", "line 10,0,10,-10",
                   "line 20,0,20,-10"}));
    EXPECT_EQ(draw(Polygon_mesh_(grid, 2, 3, 16 + 1 + 32, 1)),
              (ops{"polygon 0,0,10,0,20,0", "polygon 0,-10,10,-10,20,-10", "line 0,0,0,-10", "line 0,-10,0,0",
                   "line 10,0,10,-10", "line 10,-10,10,0", "line 20,0,20,-10", "line 20,-10,20,0"}));

    const std::vector<point3> corners{{0, 0, 0}, {10, 0, 0}, {10, 10, 0}};
    EXPECT_EQ(draw(Polyface_mesh_(corners, {{0, 1, 2, -1}}, 1)), (ops{"polygon 0,0,10,0,10,-10"}));
    EXPECT_TRUE(draw(Polyface_mesh_(corners, {{-1, 0, 1, 2}}, 1)).empty());
    // A number past the vertices is skipped.
    EXPECT_EQ(draw(Polyface_mesh_(corners, {{0, 7, 1, 2}, {3, 2, 1, 0}}, 1)),
              (ops{"polygon 0,0,10,0,10,-10", "polygon 10,-10,10,0,0,0"}));
}

TEST_F(EntityDrawing, InsertsDrawTheirBlockThroughTheirTransform) {
    Entity_List blocks("Block_");
    auto inner = std::make_unique<Block_>("INNER", point3{1, 0, 0});
    inner->add(std::make_unique<Line_>(point3{1, 0, 0}, point3{2, 0, 0}, 1));
    blocks.add(std::move(inner));
    // Two inserts of INNER side by side inside OUTER: the second must not
    // take the first one's transform.
    auto outer = std::make_unique<Block_>("OUTER", point3_origin);
    for (const double x : {0.0, 10.0})
        outer->add(std::make_unique<Insert_>(point3_unit_z, point3{x, 0, 0}, point3{1, 1, 1}, 0, 1,
                                             std::vector<std::unique_ptr<Attrib_>>{}, "INNER"));
    blocks.add(std::move(outer));

    Insert_ turned(point3_unit_z, {100, 0, 0}, {2, 2, 2}, 90, 1, {}, "INNER");
    turned.bind_block_list(&blocks);
    // (1, 0) - (2, 0) from the base point (1, 0), doubled, turned a quarter, moved to (100, 0).
    EXPECT_EQ(draw(turned), (ops{"line 100,0,100,-2"}));

    Insert_ both(point3_unit_z, {0, 50, 0}, {1, 1, 1}, 0, 1, {}, "OUTER");
    both.bind_block_list(&blocks);
    EXPECT_EQ(draw(both), (ops{"line 0,-50,1,-50", "line 10,-50,11,-50"}));
    const matrix4 shift = matrix_translation({0, 100, 0});
    EXPECT_EQ(draw(both, &shift), (ops{"line 0,-150,1,-150", "line 10,-150,11,-150"}));

    Insert_ missing(point3_unit_z, {0, 0, 0}, {1, 1, 1}, 0, 1, {}, "NONE");
    try {
        draw(missing);
        ADD_FAILURE() << "drawn without its block";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Nie znaleziono bloku: NONE");
    }
}

TEST_F(EntityDrawing, BlocksNestedWithoutEndStopDeepInsteadOfExhaustingTheStack) {
    Entity_List blocks("Block_");
    const int depth = 200;
    for (int i = 0; i < depth; ++i) {
        auto b = std::make_unique<Block_>("B" + std::to_string(i), point3_origin);
        b->add(std::make_unique<Line_>(point3{0, 0, 0}, point3{1, 0, 0}, 1));
        if (i > 0)
            b->add(std::make_unique<Insert_>(point3_unit_z, point3{0, 1, 0}, point3{1, 1, 1}, 0, 1,
                                             std::vector<std::unique_ptr<Attrib_>>{}, "B" + std::to_string(i - 1)));
        blocks.add(std::move(b));
    }
    Insert_ top(point3_unit_z, {0, 0, 0}, {1, 1, 1}, 0, 1, {}, "B" + std::to_string(depth - 1));
    top.bind_block_list(&blocks);
    const ops drawn = draw(top);
    ASSERT_EQ(drawn.size(), 64u);
    EXPECT_EQ(drawn.back(), "line 0,-63,1,-63");
}

TEST_F(EntityDrawing, ColourNumbersAndScreenColours) {
    const struct {
        int number;
        TColor shown;
    } cases[] = {
        {1, drawing_palette_fixed[0]},   {256, drawing_palette_fixed[255]}, {-4, drawing_palette_fixed[3]},
        {0, drawing_palette_fixed[6]},   {257, drawing_palette_fixed[6]},   {-256, drawing_palette_fixed[6]},
        {-255, drawing_palette_fixed[254]},
    };
    for (const auto& c : cases) {
        Line_ l({0, 0, 0}, {1, 0, 0}, c.number);
        EXPECT_EQ(l.colour_index, c.number);
        EXPECT_EQ(l.screen_colour, c.shown) << c.number;
    }
    // Entry 7 as the drawing writer sets it for a black preview.
    drawing_palette[6] = clWhite;
    EXPECT_EQ(Line_({}, {}, 300).screen_colour, clWhite);
    Line_ l({}, {}, 1);
    // The highest number of that colour: 1 and 10 are both red.
    l.set_colour_rgb(drawing_palette_fixed[0]);
    EXPECT_EQ(l.colour_index, 10);
    l.set_colour_rgb(0x123456);
    EXPECT_EQ(l.colour_index, 0);
    EXPECT_EQ(l.screen_colour, 0x123456u);
}

}  // namespace
