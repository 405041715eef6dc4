// The main window's preview drawing: loading drawing files into it, the
// list of its layers and entity lists, and the selection drawn from it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drawing/containers.h"
#include "forms/rys1.h"
#include "platform/files.h"
#include "platform/sysutils.h"
#include "support/fixture.h"
#include "drawing/dxf_test_support.h"

namespace {

class DrawingHolder : public ProgramTest {
protected:
    DrawingHolder() {
        decimal_separator = '.';
        euro_rounding = false;
    }
    // A drawing file in the test's folder: extents in the header, a block
    // "K" and the given entities.
    std::string drawing_file(const std::string& name, std::string_view max_x,
                             std::initializer_list<std::string_view> entities) {
        std::string text = dxf_text({"0", "SECTION", "2", "HEADER", "9", "$EXTMIN", "10", "-1", "20", "-1", "9",
                                     "$EXTMAX", "10", max_x, "20", "10", "0", "ENDSEC", "0", "SECTION", "2", "BLOCKS",
                                     "0", "BLOCK", "8", "0", "2", "K", "0", "LINE", "8", "0", "0", "ENDBLK", "0",
                                     "ENDSEC", "0", "SECTION", "2", "ENTITIES"});
        text += dxf_text(entities) + dxf_text({"0", "ENDSEC", "0", "EOF"});
        const std::string path = home.file(name);
        write_file(path, text);
        return path;
    }
    static std::vector<std::string> items() { return Form1->Files_listbox->Items().items(); }
    static std::vector<int> selected_items() {
        std::vector<int> out;
        for (int i = 0; i < Form1->Files_listbox->Items().Count(); ++i)
            if (Form1->Files_listbox->Selected(i)) out.push_back(i);
        return out;
    }
    static std::vector<std::string> selection_names() {
        std::vector<std::string> out;
        for (const Entity_List* l : Form1->selection->lists()) out.push_back(l->owner->name + "/" + l->name);
        return out;
    }
};

TEST_F(DrawingHolder, TheListNamesTheDrawingAndTheSelectionTakesItsEntityListsButNotTheBlocks) {
    EXPECT_FALSE(Form1->Files_listbox->Visible());
    ASSERT_TRUE(Form1->selection);
    EXPECT_EQ(Form1->selection->count(), 0);
    EXPECT_FALSE(Form1->preview_drawing);

    Form1->load_drawing_file(drawing_file("rysunek.dxf", "100", {"0", "LINE", "8", "0", "10", "5"}));
    Form1->refill_drawing_list(true);
    EXPECT_EQ(items(), (std::vector<std::string>{"rysunek.dxf", "  0", "    Block_", "    Line_"}));
    EXPECT_EQ(selection_names(), (std::vector<std::string>{"0/Line_"}));
    EXPECT_EQ(selected_items(), (std::vector<int>{3}));

    Form1->refill_drawing_list(false);
    EXPECT_TRUE(selected_items().empty());
    EXPECT_EQ(Form1->selection->count(), 0);
    Form1->Files_listbox->SetSelected(2, true);
    Form1->Files_listbox->SetSelected(3, true);
    Form1->rebuild_selection();
    EXPECT_EQ(selection_names(), (std::vector<std::string>{"0/Line_"}));
    EXPECT_EQ(selected_items(), (std::vector<int>{3}));
}

TEST_F(DrawingHolder, LaterFilesMergeIntoThePreviewDrawingAndGrowItsExtents) {
    Form1->load_drawing_file(drawing_file("a.dxf", "100", {"0", "LINE", "8", "ter", "10", "1", "0", "LINE", "8", "ter",
                                                          "10", "2"}));
    EXPECT_EQ(Form1->preview_drawing->name, "a.dxf");
    EXPECT_EQ(Form1->preview_max_extents, (std::array<double, 3>{100, 10, 0}));
    Form1->load_drawing_file(drawing_file("b.dxf", "300", {"0", "LINE", "8", "ter", "10", "3", "0", "LINE", "8", "ter",
                                                          "10", "4", "0", "INSERT", "8", "sym", "2", "K"}));
    EXPECT_EQ(Form1->preview_drawing->name, "a.dxf");
    EXPECT_EQ(Form1->preview_max_extents, (std::array<double, 3>{300, 10, 0}));
    EXPECT_EQ(Form1->preview_min_extents, (std::array<double, 3>{-1, -1, 0}));
    EXPECT_EQ(dxf_summary(*Form1->preview_drawing),
              (std::vector<std::string>{"0: Block_ 2", "ter: Line_ 4", "sym: Insert_ 1"}));
    const Entity_List& lines = *Form1->preview_drawing->find_layer("ter")->find_entity_list("Line_");
    std::vector<double> xs;
    for (int i = 0; i < lines.count(); ++i) xs.push_back(static_cast<const Line_&>(lines.entity(i)).position.x);
    EXPECT_EQ(xs, (std::vector<double>{1, 2, 4, 3}));
    const auto& insert =
        static_cast<const Insert_&>(Form1->preview_drawing->find_layer("sym")->find_entity_list("Insert_")->entity(0));
    EXPECT_EQ(insert.block_list(), Form1->preview_drawing->find_layer("0")->find_entity_list("Block_"));
    EXPECT_EQ(insert.block(), &Form1->preview_drawing->find_layer("0")->find_entity_list("Block_")->entity(1))
        << "the block it was read with";
}

TEST_F(DrawingHolder, ADrawingWithoutLayersIsReleasedWhenTheListIsRefilled) {
    Form1->load_drawing_file(drawing_file("empty.dxf", "1", {}));
    // The block's layer "0" is there: take its lists away, as the preview does before a load.
    Form1->preview_drawing->find_layer("0")->remove_entity_list("Block_", true);
    Form1->refill_drawing_list(true);
    EXPECT_EQ(items(), (std::vector<std::string>{"empty.dxf", "  0"}));
    EXPECT_TRUE(Form1->preview_drawing);

    Form1->preview_drawing = {nullptr, nullptr};
    std::string path = home.file("none.dxf");
    write_file(path, dxf_text({"0", "EOF"}));
    Form1->load_drawing_file(path);
    ASSERT_TRUE(Form1->preview_drawing);
    EXPECT_EQ(Form1->preview_drawing->layer_count(), 0);
    Form1->refill_drawing_list(true);
    EXPECT_FALSE(Form1->preview_drawing);
    EXPECT_TRUE(items().empty());
    EXPECT_EQ(Form1->selection->count(), 0);
}

}  // namespace
