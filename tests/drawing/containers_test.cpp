// Drawings, layers and entity lists.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "drawing/containers.h"
#include "model/drawing_palette.h"
#include "platform/exceptions.h"
#include "platform/strings.h"
#include "platform/sysutils.h"
#include "drawing/dxf_test_support.h"

namespace {

std::unique_ptr<Line_> line(double x, int colour = 256) {
    return std::make_unique<Line_>(point3{x, 0, 0}, point3{x, 1, 0}, colour);
}

std::unique_ptr<Insert_> insert_of(std::string block) {
    return std::make_unique<Insert_>(point3_unit_z, point3_origin, point3{1, 1, 1}, 0, 256,
                                     std::vector<std::unique_ptr<Attrib_>>{}, std::move(block));
}

double x_of(const Entity_List& l, int i) { return static_cast<const Line_&>(l.entity(i)).position.x; }

class DrawingContainers : public ::testing::Test {
protected:
    DrawingContainers() {
        decimal_separator = '.';
        euro_rounding = false;
    }
};

TEST_F(DrawingContainers, ALayerFilesEntitiesByClassAndColoursThemByLayer) {
    DXF_Layer layer("ter");
    layer.colour_index = 3;
    EXPECT_TRUE(layer.add_entity(line(1)));
    layer.add_entity(std::make_unique<Text_>(point3_unit_z, point3_origin, point3_origin, "t", 1, 1, 0, 0, 0));
    layer.add_entity(line(2, 5));
    EXPECT_EQ(layer.entity_list_names(), (std::vector<std::string>{"Line_", "Text_"}));
    ASSERT_EQ(layer.count(), 2);
    const Entity_List& lines = *layer.entity_lists()[0];
    EXPECT_EQ(lines.name, "Line_");
    EXPECT_EQ(lines.owner, &layer);
    ASSERT_EQ(lines.count(), 2);
    EXPECT_EQ(x_of(lines, 0), 1) << "in the order added";
    EXPECT_EQ(lines.entity(0).colour_index, 3) << "by layer (256)";
    EXPECT_EQ(lines.entity(0).screen_colour, drawing_palette_fixed[2]);
    EXPECT_EQ(lines.entity(1).colour_index, 5) << "its own colour";
    EXPECT_EQ(layer.entity_lists()[1]->entity(0).colour_index, 3) << "by block (0)";

    EXPECT_EQ(&layer.entity_list("Text_"), layer.entity_lists()[1].get());
    EXPECT_EQ(layer.entity_list("Arc_").count(), 0);
    EXPECT_EQ(layer.count(), 3) << "a missing list is made";
    layer.entity_list("Line_");
    EXPECT_TRUE(layer.remove_entity_list("Line_", true).empty());
    const auto kept = layer.remove_entity_list("Text_", false);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0]->count(), 1);
    EXPECT_EQ(layer.entity_list_names(), (std::vector<std::string>{"Arc_"}));
    layer.add_entity(line(9));
    EXPECT_EQ(layer.entity_list_names(), (std::vector<std::string>{"Arc_", "Line_"}));
}

TEST_F(DrawingContainers, ADrawingNamesAndFindsItsLayers) {
    DXF_Object untitled;
    EXPECT_EQ(untitled.name, "Untitled");
    EXPECT_TRUE(point3_equal(untitled.max_extents(), point3_origin));
    DXF_Object d("rysunek.dxf");
    DXF_Layer& a = d.create_layer("A", false);
    EXPECT_EQ(&d.create_layer("A", true), &a);
    try {
        d.create_layer("A", false);
        ADD_FAILURE() << "a second layer A";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Attempted to create layer with existing name");
    }
    EXPECT_TRUE(d.add_entity_to_layer(line(1), "A"));
    try {
        d.add_entity_to_layer(line(1), "a");
        ADD_FAILURE() << "added to a layer that is not there";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Attempted to add to unnamed layer");
    }
    EXPECT_EQ(&d.layer("A"), &a);
    d.layer("B");
    EXPECT_EQ(d.layer_count(), 2);

    // The drawing, each layer after two blanks and its lists after four,
    // each item carrying its layer or list.
    d.layer("0").add_entity(std::make_unique<Block_>("K", point3_origin));
    TStringList names;
    d.fill_names(names);
    EXPECT_EQ(names.items(), (std::vector<std::string>{"rysunek.dxf", "  A", "    Line_", "  B", "  0", "    Block_"}));
    EXPECT_EQ(names.Objects(0), 0);
    EXPECT_EQ(names.Objects(1), reinterpret_cast<intptr_t>(&a));
    EXPECT_EQ(names.Objects(2), reinterpret_cast<intptr_t>(a.entity_lists()[0].get()));

    point3 max = extents_empty_max;
    point3 min = extents_empty_min;
    d.update_extents(max, min);
    EXPECT_TRUE(point3_equal(max, {1, 1, 0}));
    EXPECT_TRUE(point3_equal(min, {1, 0, 0}));
}

TEST_F(DrawingContainers, MergingMovesEveryEntityAndBindsTheInsertsToTheBlocksOfLayerZero) {
    DXF_Object target("preview");
    target.layer("ter").add_entity(line(0));
    DXF_Object other("new");
    for (const double x : {1.0, 2.0, 3.0}) other.layer("ter").add_entity(line(x));
    DXF_Layer& zero = other.layer("0");
    auto block = std::make_unique<Block_>("K", point3_origin);
    block->add(insert_of("INNER"));
    auto inner = std::make_unique<Block_>("INNER", point3_origin);
    inner->add(line(7));
    Entity_List& blocks = zero.entity_list("Block_");
    blocks.add(std::move(inner));
    blocks.add(std::move(block));
    other.layer("sym").add_entity(insert_of("K"));

    EXPECT_FALSE(target.merge(other));
    EXPECT_EQ(dxf_summary(target), (std::vector<std::string>{"ter: Line_ 4", "0: Block_ 2", "sym: Insert_ 1"}));
    const Entity_List& lines = *target.find_layer("ter")->find_entity_list("Line_");
    EXPECT_EQ(std::vector<double>({x_of(lines, 0), x_of(lines, 1), x_of(lines, 2), x_of(lines, 3)}),
              (std::vector<double>{0, 3, 2, 1}))
        << "merged from the last to the first";
    EXPECT_EQ(dxf_summary(other), (std::vector<std::string>{"ter: Line_ 0", "0: Block_ 0", "sym: Insert_ 0"}));

    const Entity_List* target_blocks = target.find_layer("0")->find_entity_list("Block_");
    const auto& moved = static_cast<const Insert_&>(target.find_layer("sym")->find_entity_list("Insert_")->entity(0));
    EXPECT_EQ(moved.block_list(), target_blocks);
    ASSERT_NE(moved.block(), nullptr);
    EXPECT_EQ(moved.block()->name, "K");
    const auto& nested = static_cast<const Insert_&>(*moved.block()->children[0]);
    EXPECT_EQ(nested.block_list(), target_blocks) << "the inserts inside the block too";
    EXPECT_EQ(nested.block()->name, "INNER");

    // A drawing without layer "0" gets it, with an empty block list.
    DXF_Object bare("bare");
    DXF_Object empty("empty");
    bare.merge(empty);
    EXPECT_EQ(dxf_summary(bare), (std::vector<std::string>{"0: Block_ 0"}));
}

TEST_F(DrawingContainers, BlocksAreFoundByTheirFirstName) {
    Entity_List blocks("Block_");
    blocks.add(std::make_unique<Block_>("A", point3_origin));
    blocks.add(std::make_unique<Block_>("B", point3_origin));
    blocks.add(std::make_unique<Block_>("A", point3{1, 0, 0}));
    EXPECT_EQ(blocks.find_block("A"), &blocks.entity(0));
    EXPECT_EQ(blocks.find_block("a"), nullptr) << "case counts";
    EXPECT_EQ(blocks.find_block("C"), nullptr);
    const auto second_a = blocks.take_last();
    const auto b = blocks.take_last();
    EXPECT_EQ(blocks.find_block("B"), nullptr) << "a block taken out is not found";
    EXPECT_EQ(blocks.find_block("A"), &blocks.entity(0));
    const auto a = blocks.take_last();
    EXPECT_EQ(blocks.find_block("A"), nullptr);
    blocks.add(std::make_unique<Block_>("A", point3_origin));
    EXPECT_EQ(blocks.find_block("A"), &blocks.entity(0));
}

}  // namespace
