// Symbols drawn in their insert's colour, and text angles of any size.
#include <gtest/gtest.h>

#include <climits>
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

TPoint project(const void*, const point3& p, const matrix4* t) {
    const point3 q = point3_transform(t, p);
    return {static_cast<int>(std::lround(q.x * 10)), static_cast<int>(std::lround(-q.y * 10))};
}

TColor colour(int n) { return drawing_palette_colour(n, 0); }

// A drawing file: layer "0" red, the writer's own crossing symbol, and the
// entities given.
std::string with_kolizja(std::initializer_list<std::string_view> entities) {
    return dxf_text({"0", "SECTION", "2", "TABLES", "0", "TABLE", "2", "LAYER", "0", "LAYER", "2", "0", "70", "0", "62",
                     "1", "6", "CONTINUOUS", "0", "LAYER", "2", "blue", "70", "0", "62", "5", "6", "CONTINUOUS", "0",
                     "ENDTAB", "0", "ENDSEC", "0", "SECTION", "2", "BLOCKS"}) +
           obiekty("kolizja") + "\r\n" + dxf_text({"0", "ENDSEC", "0", "SECTION", "2", "ENTITIES"}) +
           dxf_text(entities) + dxf_text({"0", "ENDSEC", "0", "EOF"});
}

class BlockColours : public ToolkitTest {
protected:
    BlockColours() {
        decimal_separator = '.';
        euro_rounding = false;
        drawing_pen_width_mode = 0;
    }
    // The pen colours of what the layer's inserts draw.
    static std::vector<TColor> pens(const DXF_Object& d, std::string_view layer) {
        RecordingCanvas canvas;
        d.find_layer(layer)->find_entity_list("Insert_")->draw(canvas, nullptr, project, nullptr);
        std::vector<TColor> out;
        for (const auto& op : canvas.ops) out.push_back(op.kind == "text" ? op.font.Color : op.pen.Color);
        return out;
    }
};

TEST_F(BlockColours, AGreenCrossingOnTheRedLayerZeroDrawsGreen) {
    const auto d = read_dxf(with_kolizja({"0", "INSERT", "8", "0", "62", "3", "2", "KOLIZJA", "10", "5", "20", "5"}));
    EXPECT_TRUE(ui().boxes.empty());
    const Block_& block = *static_cast<const Insert_&>(d->find_layer("0")->find_entity_list("Insert_")->entity(0)).block();
    for (const auto& child : block.children) EXPECT_EQ(child->colour_index, 0) << "kept by block";
    EXPECT_EQ(pens(*d, "0"), (std::vector<TColor>{colour(3), colour(3), colour(3)}));
}

TEST_F(BlockColours, ChildrenByBlockTakeTheInsertsColourOrItsLayers) {
    // By layer, on the blue layer and on layer "0".
    auto d = read_dxf(with_kolizja({"0", "INSERT", "8", "blue", "2", "KOLIZJA", "10", "5", "20", "5", "0", "INSERT",
                                    "8", "0", "62", "256", "2", "KOLIZJA", "10", "5", "20", "5"}));
    EXPECT_EQ(pens(*d, "blue"), (std::vector<TColor>(3, colour(5))));
    EXPECT_EQ(pens(*d, "0"), (std::vector<TColor>(3, colour(1))));

    // An insert of colour 256 filed straight into a layer's list takes the
    // layer's colour when drawn from it.
    DXF_Layer& blue = *d->find_layer("blue");
    Entity_List& blocks = *d->find_layer("0")->find_entity_list("Block_");
    auto direct = std::make_unique<Insert_>(point3_unit_z, point3{0, 0, 0}, point3{1, 1, 1}, 0, 256,
                                            std::vector<std::unique_ptr<Attrib_>>{}, "KOLIZJA");
    direct->bind_block_list(&blocks);
    blue.find_entity_list("Insert_")->add(std::move(direct));
    EXPECT_EQ(pens(*d, "blue"), (std::vector<TColor>(6, colour(5))));
}

TEST_F(BlockColours, ByBlockPassesThroughNestedInsertsAndOwnColoursStay) {
    // OUTER holds a crossing of colour 0, a red line, a line without a
    // colour on layer "blue" and an attribute by block; inserted in yellow.
    const auto d = read_dxf(dxf_text({"0", "SECTION", "2", "TABLES", "0", "TABLE", "2", "LAYER", "0", "LAYER", "2",
                                      "blue", "62", "5", "0", "ENDTAB", "0", "ENDSEC", "0", "SECTION", "2", "BLOCKS"}) +
                            obiekty("kolizja") + "\r\n" +
                            dxf_text({"0", "BLOCK", "8", "0", "2", "OUTER", "10", "0", "20", "0",
                                      "0", "INSERT", "8", "0", "62", "0", "2", "KOLIZJA", "66", "1", "10", "0", "20",
                                      "0", "0", "ATTRIB", "8", "0", "62", "0", "10", "0", "20", "0", "40", "1", "1",
                                      "S1", "2", "NR", "70", "0", "0", "SEQEND",
                                      "0", "LINE", "8", "0", "62", "1", "10", "0", "20", "0", "11", "1", "21", "0",
                                      "0", "LINE", "8", "blue", "10", "0", "20", "0", "11", "1", "21", "0",
                                      "0", "ENDBLK", "0", "ENDSEC", "0", "SECTION", "2", "ENTITIES",
                                      "0", "INSERT", "8", "blue", "62", "2", "2", "OUTER", "10", "0", "20", "0",
                                      "0", "ENDSEC", "0", "EOF"}));
    EXPECT_TRUE(ui().boxes.empty());
    EXPECT_EQ(pens(*d, "blue"),
              (std::vector<TColor>{colour(2), colour(2), colour(2), colour(2), colour(1), colour(5)}))
        << "the attribute, the crossing, the red line, the blue layer's line";
}

TEST_F(BlockColours, ColourZeroOutsideBlocksStillTakesTheLayers) {
    const auto d = read_dxf(with_kolizja({"0", "LINE", "8", "blue", "62", "0", "10", "0", "20", "0", "11", "1", "21",
                                          "0", "0", "LINE", "8", "blue", "10", "0", "20", "0", "11", "1", "21", "0"}));
    const Entity_List& lines = *d->find_layer("blue")->find_entity_list("Line_");
    EXPECT_EQ(lines.entity(0).colour_index, 5);
    EXPECT_EQ(lines.entity(1).colour_index, 5);
}

// Whole turns are dropped from a text's angle before it becomes a whole
// number, so the font's tenths of a degree never overflow.
TEST_F(BlockColours, ATextsAngleOfAnySizeTurnsTheFontWithinOneTurn) {
    const struct {
        const char* group50;
        int rotation;
    } cases[] = {{"307179586", 226}, {"-307179586", -226}, {"720.4", 0}, {"359.6", 360}, {"1e300", 0}, {"45", 45}};
    for (const auto& c : cases) {
        const auto d = read_dxf(dxf_text({"0", "SECTION", "2", "ENTITIES", "0", "TEXT", "8", "t", "10", "1", "20", "2",
                                          "40", "2.5", "50", c.group50, "1", "abc", "0", "ENDSEC", "0", "EOF"}));
        EXPECT_TRUE(ui().boxes.empty()) << c.group50;
        ui().boxes.clear();
        const Entity_List& texts = *d->find_layer("t")->find_entity_list("Text_");
        const auto& text = static_cast<const Text_&>(texts.entity(0));
        if (c.group50 == std::string("1e300"))
            EXPECT_EQ(text.rotation, static_cast<int>(Round(std::fmod(1e300, 360.0))));
        else
            EXPECT_EQ(text.rotation, c.rotation) << c.group50;
        RecordingCanvas canvas;
        texts.draw(canvas, nullptr, project, nullptr);
        ASSERT_EQ(canvas.ops.size(), 1u);
        EXPECT_EQ(canvas.ops[0].font.Orientation, (text.rotation % 360) * 10) << c.group50;
    }
    // Angles made by code are kept as given and turned within one turn.
    for (const int rotation : {INT_MAX, INT_MIN, 307179586, 725}) {
        RecordingCanvas canvas;
        Text_(point3_unit_z, {0, 0, 0}, point3_origin, "a", 2, 1, 1, 0, rotation).draw(canvas, nullptr, project, nullptr);
        Attrib_ attribute(point3_unit_z, {0, 0, 0}, point3_origin, "NR", "S1", 0, 0, 2, 1);
        attribute.rotation = rotation;
        attribute.draw(canvas, nullptr, project, nullptr);
        ASSERT_EQ(canvas.ops.size(), 2u);
        EXPECT_EQ(canvas.ops[0].font.Orientation, rotation % 360 * 10) << rotation;
        EXPECT_EQ(canvas.ops[1].font.Orientation, rotation % 360 * 10) << rotation;
    }
}

}  // namespace
