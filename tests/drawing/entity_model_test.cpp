// The entities' geometry: extents, the closing rule, the edits and queries.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "drawing/entities.h"
#include "platform/exceptions.h"
#include "platform/sysutils.h"

namespace {

class EntityModel : public ::testing::Test {
protected:
    EntityModel() {
        decimal_separator = '.';
        euro_rounding = false;
    }
};

// Which of the points at 0, 90, 180 and 270 degrees the extents of a unit
// arc about the origin reach beyond its end points.
std::vector<int> quadrants_in_extents(double start, double end) {
    const Arc_ arc(point3_unit_z, {0, 0, 0}, 1, start, end, 1);
    point3 max = extents_empty_max;
    point3 min = extents_empty_min;
    arc.update_extents(max, min);
    const double rad = std::numbers::pi / 180;
    const double sx = std::cos(start * rad), sy = std::sin(start * rad);
    const double ex = std::cos(end * rad), ey = std::sin(end * rad);
    std::vector<int> found;
    if (max.x > std::max(sx, ex) + 1e-9) found.push_back(0);
    if (max.y > std::max(sy, ey) + 1e-9) found.push_back(90);
    if (min.x < std::min(sx, ex) - 1e-9) found.push_back(180);
    if (min.y < std::min(sy, ey) - 1e-9) found.push_back(270);
    return found;
}

TEST_F(EntityModel, ArcExtentsTakeEveryQuadrantPointOfTheSweep) {
    const struct {
        double start;
        double end;
        std::vector<int> quadrants;
    } cases[] = {
        {350, 10, {0}},       {200, 300, {270}},          {0, 360, {90, 180, 270}}, {80, 10, {0, 90, 180, 270}},
        {-100, 0, {270}},     {370, 100, {90}},           {10, 20, {}},             {90, 180, {}},
        {45, 45 + 720, {0, 90, 180, 270}}, {361, 0, {90, 180, 270}}, {-179, 181, {0, 90, 180, 270}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(quadrants_in_extents(c.start, c.end), c.quadrants) << c.start << " to " << c.end;

    // The end points and the z of 0.
    const Arc_ arc(point3_unit_z, {10, 20, 5}, 2, 0, 90, 1);
    point3 max = extents_empty_max;
    point3 min = extents_empty_min;
    arc.update_extents(max, min);
    EXPECT_NEAR(max.x, 12, 1e-12);
    EXPECT_NEAR(max.y, 22, 1e-12);
    EXPECT_NEAR(min.x, 10, 1e-12);
    EXPECT_NEAR(min.y, 20, 1e-12);
    EXPECT_EQ(max.z, 0);
}

TEST_F(EntityModel, ExtentsOfTheOtherClasses) {
    const point3 z = point3_unit_z;
    auto extents = [](const DXF_Entity& e) {
        point3 max = extents_empty_max;
        point3 min = extents_empty_min;
        e.update_extents(max, min);
        return std::pair{max, min};
    };
    const auto circle = extents(Circle_(z, {10, 10, 3}, 5, 1));
    EXPECT_TRUE(point3_equal(circle.first, {15, 15, 3}));
    EXPECT_TRUE(point3_equal(circle.second, {5, 5, 3}));
    const auto text = extents(Text_(z, {1, 2, 0}, {50, 60, 0}, "x", 1, 1, 1, 1, 0));
    EXPECT_TRUE(point3_equal(text.first, {1, 2, 0})) << "the position, not the alignment point";
    const auto line = extents(Line_({0, 5, 0}, {4, -1, 2}, 1));
    EXPECT_TRUE(point3_equal(line.first, {4, 5, 2}));
    EXPECT_TRUE(point3_equal(line.second, {0, -1, 0}));
    const auto poly = extents(Polyline_({{0, 0, 0}, {3, -2, 1}, {1, 4, 0}}, 1, false));
    EXPECT_TRUE(point3_equal(poly.first, {3, 4, 1}));
    EXPECT_TRUE(point3_equal(poly.second, {0, -2, 0}));
    const auto block = extents(Block_("B", {1, 1, 1}));
    EXPECT_TRUE(point3_equal(block.first, extents_empty_max));
}

TEST_F(EntityModel, TheClosingRuleAndTheMeshesThatKeepTheirVertices) {
    const struct {
        std::vector<point3> given;
        bool closed;
        std::size_t kept;
        bool closed_after;
    } cases[] = {
        {{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 0}}, false, 3, true},
        {{{0, 0, 0}, {1, 0, 0}, {0, 0, 0}}, false, 2, true},
        {{{0, 0, 0}, {0, 0, 0}}, false, 2, false},  // two vertices stay an open line
        {{{0, 0, 0}}, false, 1, false},
        {{}, false, 0, false},
        {{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 0}}, true, 4, true},  // already closed: kept as given
        {{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 1e-300}}, false, 4, false},
    };
    for (const auto& c : cases) {
        const Polyline_ p(c.given, 1, c.closed);
        EXPECT_EQ(p.vertices.size(), c.kept) << c.given.size();
        EXPECT_EQ(p.closed != 0, c.closed_after) << c.given.size();
        EXPECT_EQ(p.count_open_polylines() + p.count_closed_polygons(), 1);
        EXPECT_EQ(p.count_lines(), static_cast<int>(c.kept));
    }
    // A 2 x 2 mesh whose last vertex equals its first keeps all four.
    const Polygon_mesh_ mesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 0}}, 2, 2, 16, 1);
    EXPECT_EQ(mesh.vertex_count(), 4);
    EXPECT_EQ(mesh.count_open_polylines(), 1);
    const Polyface_mesh_ faces({{0, 0, 0}, {1, 0, 0}, {0, 0, 0}}, {{0, 1, 2, -1}}, 1);
    EXPECT_EQ(faces.vertex_count(), 3);
    const Face3D_ face({{0, 0, 0}, {1, 0, 0}, {0, 0, 0}}, 1);
    EXPECT_EQ(face.vertex_count(), 3);
    EXPECT_EQ(face.count_closed_polygons(), 1);
}

TEST_F(EntityModel, QueriesAndEdits) {
    const point3 z = point3_unit_z;
    Point_ point(z, {3, 0, 0}, 1);
    EXPECT_DOUBLE_EQ(point.distance_to({0, 0, 9}), 9) << "squared, in the plane";
    EXPECT_TRUE(point3_equal(*point.nearest_vertex({}), {3, 0, 0}));
    EXPECT_EQ(point.count_points(), 1);
    EXPECT_FALSE(point.move_vertex({3, 0, 1}, {5, 5, 5}));
    EXPECT_TRUE(point.move_vertex({3, 0, 0}, {5, 5, 5}));
    EXPECT_TRUE(point3_equal(point.position, {5, 5, 5}));

    Line_ line({0, 0, 0}, {10, 0, 0}, 1);
    EXPECT_DOUBLE_EQ(line.distance_to({8, 1, 0}), 5);
    EXPECT_TRUE(point3_equal(*line.nearest_vertex({8, 1, 0}), {10, 0, 0}));
    EXPECT_TRUE(point3_equal(*line.nearest_vertex({5, 0, 0}), {10, 0, 0})) << "the end on a tie";
    EXPECT_TRUE(line.move_vertex({10, 0, 0}, {10, 10, 0}));
    EXPECT_TRUE(point3_equal(line.end_point, {10, 10, 0}));
    line.translate({1, 1, 1});
    EXPECT_TRUE(point3_equal(line.position, {1, 1, 1}));
    EXPECT_TRUE(point3_equal(line.end_point, {11, 11, 1}));
    for (const bool euro : {false, true}) {
        euro_rounding = euro;
        Line_ snapped({1.25, 2.5, 0.35}, {0.25, 0, 0}, 1);
        snapped.round_to_grid(1 | 2, 2);  // x and y to halves, z as it was
        EXPECT_TRUE(point3_equal(snapped.position, {euro ? 1.5 : 1.0, 2.5, 0.35})) << euro;
        EXPECT_TRUE(point3_equal(snapped.end_point, {euro ? 0.5 : 0.0, 0, 0})) << euro;
    }
    euro_rounding = false;

    const Circle_ circle(z, {0, 0, 0}, 5, 1);
    EXPECT_TRUE(circle.point_inside({3, 4, 99}));
    EXPECT_FALSE(circle.point_inside({3, 4.1, 0}));
    EXPECT_FALSE(Arc_(z, {0, 0, 0}, 5, 0, 360, 1).point_inside({0, 0, 0}));

    Polyline_ square({{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}}, 1, true);
    EXPECT_TRUE(square.point_inside({2, 2, 0}));
    EXPECT_FALSE(square.point_inside({5, 2, 0}));
    EXPECT_FALSE(Polyline_({{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}}, 1, false).point_inside({2, 2, 0}));
    EXPECT_DOUBLE_EQ(square.distance_to({5, 5, 0}), 2);
    EXPECT_TRUE(point3_equal(*square.nearest_vertex({5, 5, 0}), {4, 4, 0}));
    EXPECT_FALSE(Polyline_({{1e6, 0, 0}}, 1, false).nearest_vertex({}).has_value()) << "nothing below 1e10";
    EXPECT_TRUE(square.move_vertex({4, 4, 0}, {6, 6, 0}));
    square.translate({1, 0, 0});
    EXPECT_TRUE(point3_equal(square.vertices[2], {7, 6, 0}));
    EXPECT_EQ(square.count_points(), 4);

    Insert_ insert(z, {1, 2, 0}, {1, 1, 1}, 0, 1, {}, "");
    insert.translate({10, 0, 0});
    EXPECT_TRUE(point3_equal(point3_transform(*insert.transform, {0, 0, 0}), {11, 2, 0})) << "the transform follows";

    Block_ block("B", {});
    EXPECT_DOUBLE_EQ(block.distance_to({}), 1e9);
    EXPECT_TRUE(point3_equal(*block.nearest_vertex({}), {1e9, 1e9, 1e9}));
    EXPECT_THROW(block.translate({1, 0, 0}), Exception);
    EXPECT_THROW(block.round_to_grid(7, 1), Exception);
    EXPECT_THROW(line.bind_block_list(nullptr), Exception);
}

TEST_F(EntityModel, ConstructionRules) {
    const point3 z = point3_unit_z;
    std::vector<std::unique_ptr<Attrib_>> many;
    for (int i = 0; i < 17; ++i)
        many.push_back(std::make_unique<Attrib_>(z, point3_origin, point3_origin, "T", "v", 0, 0, 1, 1));
    try {
        Insert_ refused(z, {}, {1, 1, 1}, 0, 1, std::move(many), "B");
        ADD_FAILURE() << "made with 17 attributes";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "This version only handles 16 ATTRIBs");
    }

    // The arbitrary-axis rule: extrusion (0, 0, -1) mirrors x.
    const Circle_ below(point3{0, 0, -1}, {2, 3, 0}, 1, 1);
    ASSERT_TRUE(below.transform);
    EXPECT_TRUE(point3_equal(point3_transform(*below.transform, {2, 3, 0}), {-2, 3, 0}));
    EXPECT_FALSE(Circle_(z, {}, 1, 1).transform) << "no transform for (0, 0, 1)";
    EXPECT_TRUE(Insert_(z, {}, {1, 1, 1}, 0, 1, {}, "").transform) << "an insert always has one";
    const Block_ based("B", {5, 0, 0});
    ASSERT_TRUE(based.transform);
    EXPECT_TRUE(point3_equal(point3_transform(*based.transform, {5, 1, 0}), {0, 1, 0}));
    EXPECT_FALSE(Block_("B", {}).transform);

    const Text_ at_origin(z, {1, 2, 0}, point3_origin, "t", 1, 1, 1, 0, 0);
    EXPECT_TRUE(point3_equal(at_origin.alignment_point, {1, 2, 0}));

    EXPECT_EQ(Polygon_mesh_({{0, 0, 0}, {1, 0, 0}}, 1, 2, 16, 1).describe(),
              "Polyline_ (polygon mesh)\r\nWCS\r\nVertices\t2\r\nM\t1\r\nN\t2\r\nClosed M\tFALSE\r\nClosed N\tFALSE");
    EXPECT_EQ(Polyface_mesh_({{0, 0, 0}}, {}, 1).describe(),
              "Polyline_ (polyface mesh)\r\nWCS\r\nVertices\t1\r\nFaces\t0");
    EXPECT_EQ(Ellipse_(z, {}, {1, 0, 0}, 1, 0, 1, 1).describe(), "");
    const std::string solid = Solid_(point3{0, 0, -1}, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, 1, 2.5).describe();
    EXPECT_NE(solid.find("OCS Axis (0.00, 0.00, -1.00)"), std::string::npos) << solid;
    EXPECT_EQ(solid.substr(solid.size() - 13), "Thickness\t2.5");
}

}  // namespace
