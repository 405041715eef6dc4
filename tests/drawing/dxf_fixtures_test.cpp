// Drawing files made by an independent program: the R12 files that
// make_dxf_fixtures.py writes with ezdxf at test time, and a small file
// written by hand for what R12 has not (an ellipse, the layer width 39).
#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <vector>

#include "drawing/containers.h"
#include "platform/files.h"
#include "platform/sysutils.h"
#include "support/toolkit_fixture.h"
#include "drawing/dxf_test_support.h"

namespace {

std::string fixture(const char* name) { return path_join(HALVOREN_DXF_FIXTURES, name); }

class DxfFixtures : public ToolkitTest {
protected:
    DxfFixtures() {
        decimal_separator = ',';
        euro_rounding = false;
    }
    template <class T>
    static const T& entity(const DXF_Object& d, std::string_view layer, std::string_view list, int i) {
        return static_cast<const T&>(d.find_layer(layer)->find_entity_list(list)->entity(i));
    }
    static void expect_point(const point3& got, const point3& want, const std::string& what) {
        EXPECT_NEAR(got.x, want.x, 1e-12) << what;
        EXPECT_NEAR(got.y, want.y, 1e-12) << what;
        EXPECT_NEAR(got.z, want.z, 1e-12) << what;
    }
};

TEST_F(DxfFixtures, AnR12DrawingOfEveryKind) {
    const auto d = DXF_Object::create_from_file(fixture("drawing.dxf"));
    EXPECT_TRUE(ui().boxes.empty()) << ui().boxes[0].text;
    EXPECT_EQ(d->name, "drawing.dxf");
    EXPECT_EQ(dxf_summary(*d),
              (std::vector<std::string>{"0: Block_ 4, Point_ 1, Insert_ 2, Face3D_ 2, Solid_ 1", "Defpoints:",
                                        "ter: Line_ 2, Insert_ 1, Polyline_ 2",
                                        "rura: Circle_ 1, Arc_ 1, Polygon_mesh_ 1, Polyface_mesh_ 1", "opis: Text_ 3",
                                        "ukryta: Line_ 1"}));
    EXPECT_TRUE(point3_equal(d->min_extents(), {-10, -20, 0}));
    EXPECT_TRUE(point3_equal(d->max_extents(), {200, 150, 0}));

    // Layers: colours (a layer switched off has a negative one) and line types.
    const struct {
        const char* name;
        int colour;
        const char* line_type;
    } layers[] = {{"0", 7, "Continuous"}, {"ter", 3, "DASH"}, {"rura", 5, "DOT"}, {"opis", 1, "CONTINUOUS"},
                  {"ukryta", -4, "Continuous"}};
    for (const auto& l : layers) {
        const DXF_Layer& layer = *d->find_layer(l.name);
        EXPECT_EQ(layer.colour_index, l.colour) << l.name;
        EXPECT_EQ(layer.line_type_name, l.line_type) << l.name;
    }

    // Colours by layer and the entity's own, and the layer's line type.
    const auto& by_layer = entity<Line_>(*d, "ter", "Line_", 0);
    EXPECT_EQ(by_layer.colour_index, 3);
    EXPECT_EQ(by_layer.line_type_name, "DASH");
    expect_point(by_layer.end_point, {100, 50, 0}, "line end");
    EXPECT_EQ(entity<Line_>(*d, "ter", "Line_", 1).colour_index, 1);
    const auto& hidden = entity<Line_>(*d, "ukryta", "Line_", 0);
    EXPECT_EQ(hidden.colour_index, -4);
    EXPECT_EQ(hidden.screen_colour, drawing_colour_of(4));
    EXPECT_EQ(entity<Point_>(*d, "0", "Point_", 0).colour_index, 2);
    EXPECT_EQ(entity<Circle_>(*d, "rura", "Circle_", 0).line_type_name, "DOT");
    EXPECT_EQ(entity<Circle_>(*d, "rura", "Circle_", 0).radius, 5);
    const auto& arc = entity<Arc_>(*d, "rura", "Arc_", 0);
    EXPECT_NEAR(arc.start_angle * 180 / std::numbers::pi, 30, 1e-12);
    EXPECT_NEAR(arc.end_angle * 180 / std::numbers::pi, 120, 1e-12);

    // Texts byte for byte, with their justification and rotation.
    const auto& polish = entity<Text_>(*d, "opis", "Text_", 0);
    EXPECT_EQ(polish.text, "Zażółć gęślą jaźń"_cp);
    EXPECT_EQ(polish.rotation, 30);
    EXPECT_EQ(polish.height, 2.5);
    const auto& centred = entity<Text_>(*d, "opis", "Text_", 1);
    EXPECT_EQ(centred.text, "SRODEK");
    EXPECT_EQ(centred.horizontal_justification, 1);
    expect_point(centred.alignment_point, {40, 5, 0}, "centred");
    const auto& right = entity<Text_>(*d, "opis", "Text_", 2);
    EXPECT_EQ(right.horizontal_justification, 2);
    EXPECT_EQ(right.rotation, 45);

    // Inserts bound to their blocks, with and without attributes.
    const auto& sign = entity<Insert_>(*d, "0", "Insert_", 0);
    ASSERT_NE(sign.block(), nullptr);
    EXPECT_EQ(sign.block()->name, "ZNAK");
    expect_point(sign.scale, {2, 2, 1}, "scale");
    EXPECT_NEAR(sign.rotation, std::numbers::pi / 2, 1e-15);
    ASSERT_EQ(sign.attribute_count(), 1);
    EXPECT_EQ(sign.attributes[0]->text, "NR");
    EXPECT_EQ(sign.attributes[0]->value, "S1");
    const Block_& block = *sign.block();
    expect_point(block.base_point, {1, 1, 0}, "base");
    ASSERT_EQ(block.children.size(), 3u);
    EXPECT_STREQ(block.children[0]->class_name(), "Circle_");
    EXPECT_EQ(block.children[0]->colour_index, 5) << "the colour of its own layer";
    const auto& attdef = static_cast<const Attdef_&>(*block.children[2]);
    EXPECT_EQ(attdef.text, "NR");
    EXPECT_EQ(attdef.prompt, "Numer");
    const auto& plain = entity<Insert_>(*d, "0", "Insert_", 1);
    EXPECT_EQ(plain.block(), &block);
    EXPECT_EQ(plain.attribute_count(), 0);
    expect_point(plain.scale, {1, 1, 1}, "plain scale");
    const auto& square = entity<Insert_>(*d, "ter", "Insert_", 0);
    EXPECT_EQ(square.block()->name, "KWADRAT");
    expect_point(square.scale, {0.5, 0.5, 1}, "square scale");

    // Polylines, meshes and faces.
    const auto& closed = entity<Polyline_>(*d, "ter", "Polyline_", 0);
    EXPECT_EQ(closed.closed, 1);
    EXPECT_EQ(closed.vertex_count(), 4);
    const auto& open3d = entity<Polyline_>(*d, "ter", "Polyline_", 1);
    EXPECT_EQ(open3d.closed, 0);
    ASSERT_EQ(open3d.vertex_count(), 3);
    expect_point(open3d.vertices[1], {5, 5, 5}, "3-D vertex");
    const auto& mesh = entity<Polygon_mesh_>(*d, "rura", "Polygon_mesh_", 0);
    EXPECT_EQ(mesh.m_count, 2);
    EXPECT_EQ(mesh.n_count, 3);
    ASSERT_EQ(mesh.vertex_count(), 6);
    expect_point(mesh.vertices[5], {20, 10, 3}, "mesh vertex (1, 2)");
    const auto& faces = entity<Polyface_mesh_>(*d, "rura", "Polyface_mesh_", 0);
    EXPECT_EQ(faces.vertex_count(), 5);
    EXPECT_EQ(faces.faces, (std::vector<Polyface_mesh_::face>{{0, 1, 2, 3}, {1, 4, 2, -1}}));
    EXPECT_EQ(entity<Face3D_>(*d, "0", "Face3D_", 0).vertex_count(), 3);
    EXPECT_EQ(entity<Face3D_>(*d, "0", "Face3D_", 1).vertex_count(), 4);
    const auto& solid = entity<Solid_>(*d, "0", "Solid_", 0);
    EXPECT_EQ(solid.colour_index, 6);
    ASSERT_EQ(solid.vertex_count(), 4);
    expect_point(solid.vertices[2], {0, 10, 0}, "solid corner 12");
}

TEST_F(DxfFixtures, LfAndCrLfCopiesReadAlike) {
    const auto lf = DXF_Object::create_from_file(fixture("drawing.dxf"));
    const auto crlf = DXF_Object::create_from_file(fixture("drawing_crlf.dxf"));
    EXPECT_TRUE(ui().boxes.empty());
    EXPECT_EQ(dxf_file_of(*lf), dxf_file_of(*crlf));
}

TEST_F(DxfFixtures, ADrawingReadWrittenAndReadAgainIsUnchanged) {
    const auto first = DXF_Object::create_from_file(fixture("drawing.dxf"));
    const std::string written = dxf_file_of(*first);
    const auto second = read_dxf(written);
    EXPECT_TRUE(ui().boxes.empty());
    EXPECT_EQ(dxf_summary(*second), dxf_summary(*first));
    EXPECT_EQ(dxf_file_of(*second), written);
}

TEST_F(DxfFixtures, AnEllipseAndTheLayerWidthOfTheProgramsOwnFiles) {
    const auto d = DXF_Object::create_from_file(std::string(HALVOREN_TEST_DATA) + "/dxf/ellipse_and_width.dxf");
    EXPECT_TRUE(ui().boxes.empty());
    EXPECT_EQ(dxf_summary(*d), (std::vector<std::string>{"szer: Ellipse_ 1, Line_ 1"}));
    const DXF_Layer& layer = *d->find_layer("szer");
    EXPECT_EQ(layer.line_width, 3);
    const auto& ellipse = entity<Ellipse_>(*d, "szer", "Ellipse_", 0);
    EXPECT_EQ(ellipse.line_width, 3);
    EXPECT_EQ(ellipse.line_type_name, "DOT");
    EXPECT_EQ(ellipse.colour_index, 2);
    expect_point(ellipse.position, {10, 5, 0}, "centre");
    expect_point(ellipse.major_axis_end, {4, 0, 0}, "major axis");
    EXPECT_EQ(ellipse.ratio, 0.5);
    EXPECT_EQ(ellipse.end_parameter, 6.283185307179586);
    const auto& line = entity<Line_>(*d, "szer", "Line_", 0);
    EXPECT_EQ(line.line_width, 3);
    EXPECT_EQ(line.colour_index, 1);
    // The header's extents are the origin: the entities' stand instead.
    expect_point(d->max_extents(), {20, 10, 0}, "max");
    expect_point(d->min_extents(), {0, 0, 0}, "min");
}

TEST_F(DxfFixtures, AFileThatCannotBeOpenedRaises) {
    EXPECT_THROW(DXF_Object::create_from_file(fixture("none.dxf")), EInOutError);
}

}  // namespace
