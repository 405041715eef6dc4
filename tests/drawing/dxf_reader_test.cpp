// The drawing-file reader: sections, groups, entities, layers, extents and
// the boxes of what it cannot read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drawing/dxf_reader.h"
#include "platform/sysutils.h"
#include "support/toolkit_fixture.h"
#include "drawing/dxf_test_support.h"

namespace {

std::string at_line(std::string_view message, int line) {
    return std::string(message) + "\r\n" + "Nastąpił błąd w lub w pobliżu linii numer "_cp + std::to_string(line);
}

class DxfReader : public ToolkitTest {
protected:
    DxfReader() {
        decimal_separator = ',';
        euro_rounding = false;
    }
    static std::string entity_groups(const DXF_Object& d, std::string_view layer, std::string_view list, int i) {
        dxf_group_output out;
        d.find_layer(layer)->find_entity_list(list)->entity(i).write_dxf(out, layer);
        return out.bytes();
    }
};

TEST_F(DxfReader, SectionsAreFoundInOrderAndAMissingOneIsSkipped) {
    // No HEADER: its search meets TABLES and rewinds; padded codes, an
    // empty line before a code, an empty value and group 5 handles.
    const std::string text = dxf_text({"  0", "SECTION", "  2", "TABLES", "  0", "TABLE", "  2", "LAYER", "  0",
                                       "LAYER", "  5", "1F", "  2", "ter", " 70", "0", " 62", "3", "  6", "DASH",
                                       " 39", "2", "  0", "ENDTAB", "  0", "ENDSEC", "", "0", "SECTION", "2",
                                       "ENTITIES", "0", "TEXT", "5", "65", "8", "ter", "10", "1", "20", "2", "40", "2.5",
                                       "1", "", "0", "LINE", "8", "ter", "10", "-1", "20", "-2", "11", "3", "21", "4",
                                       "0", "ENDSEC", "0", "EOF"});
    const auto d = read_dxf(text);
    EXPECT_TRUE(ui().boxes.empty());
    EXPECT_EQ(dxf_summary(*d), (std::vector<std::string>{"ter: Text_ 1, Line_ 1"}));
    const DXF_Layer& ter = *d->find_layer("ter");
    EXPECT_EQ(ter.colour_index, 3);
    EXPECT_EQ(ter.line_type_name, "DASH");
    EXPECT_EQ(ter.line_width, 2);
    const auto& t = static_cast<const Text_&>(ter.find_entity_list("Text_")->entity(0));
    EXPECT_EQ(t.text, "");
    EXPECT_EQ(t.colour_index, 3) << "colour by layer";
    EXPECT_EQ(t.line_type_name, "DASH");
    EXPECT_EQ(t.line_width, 2);
    // Extents from the entities, starting from the origin.
    EXPECT_TRUE(point3_equal(d->max_extents(), {3, 4, 0}));
    EXPECT_TRUE(point3_equal(d->min_extents(), {-1, -2, 0}));
}

TEST_F(DxfReader, LinesEndAtLfOrCrLfLoseLoneCrsAndStopAt255Characters) {
    const std::string long_text(300, 'x');
    auto file = [&](std::string_view eol) {
        return dxf_text({"0", "SECTION", "2", "ENTITIES", "0", "LI\rNE", "8", "a\rb", "10", "1\r2", "0", "TEXT", "8",
                         "ab", "1", long_text, "0", "ENDSEC", "0", "EOF"},
                        eol);
    };
    for (const std::string_view eol : {"\r\n", "\n"}) {
        const auto d = read_dxf(file(eol));
        EXPECT_TRUE(ui().boxes.empty());
        EXPECT_EQ(dxf_summary(*d), (std::vector<std::string>{"ab: Line_ 1, Text_ 1"}));
        EXPECT_EQ(static_cast<const Line_&>(d->find_layer("ab")->find_entity_list("Line_")->entity(0)).position.x, 12);
        EXPECT_EQ(static_cast<const Text_&>(d->find_layer("ab")->find_entity_list("Text_")->entity(0)).text,
                  long_text.substr(0, 255));
    }
}

TEST_F(DxfReader, EntitiesOfEveryKind) {
    const std::string text = dxf_text(
        {"0", "SECTION", "2", "BLOCKS", "0", "BLOCK", "8", "sym", "2", "B", "10", "1", "20", "1", "30", "0", "0", "ATTDEF",
         "8", "sym", "10", "0", "20", "0", "1", "v", "2", "TAG", "3", "Prompt", "70", "1", "40", "2", "0", "ENDBLK",
         "0", "ENDSEC", "0", "SECTION", "2", "ENTITIES",
         // rotation 44.6 becomes 45; a missing colour group takes the layer's
         "0", "TEXT", "8", "t", "62", "4", "10", "1", "20", "2", "40", "2.5", "50", "44.6", "1", "abc", "72", "1", "11",
         "5", "21", "2",
         "0", "POINT", "8", "t", "10", "7", "20", "8", "210", "0", "220", "0", "230", "2",
         "0", "CIRCLE", "8", "t", "10", "0", "20", "0", "40", "3",
         "0", "ARC", "8", "t", "10", "0", "20", "0", "40", "3", "50", "30", "51", "60",
         "0", "ELLIPSE", "8", "t", "10", "0", "20", "0", "11", "4", "21", "0", "40", "0.5", "41", "0", "42", "3",
         "0", "3DFACE", "8", "t", "10", "0", "20", "0", "11", "1", "21", "0", "12", "1", "22", "1", "13", "1", "23", "1",
         "0", "SOLID", "8", "t", "10", "0", "20", "0", "11", "1", "21", "0", "12", "0", "22", "1", "13", "1", "23", "1",
         "39", "0.5",
         "0", "INSERT", "8", "t", "66", "1", "2", "B", "10", "5", "20", "5", "41", "0", "42", "2", "0", "ATTRIB", "8",
         "t", "10", "5", "20", "5", "1", "S1", "2", "TAG", "70", "0", "0", "SEQEND", "8", "t",
         "0", "LWPOLYLINE", "8", "t", "90", "2", "10", "0", "20", "0",
         "0", "ATTRIB", "8", "t", "10", "1", "20", "1", "1", "loose", "2", "T",
         "0", "POLYLINE", "8", "t", "66", "1", "70", "1", "0", "VERTEX", "8", "t", "10", "0", "20", "0", "0", "VERTEX",
         "8", "t", "10", "1", "20", "0", "0", "VERTEX", "8", "t", "10", "1", "20", "1", "0", "SEQEND", "8", "t",
         "0", "POLYLINE", "8", "t", "66", "1", "70", "16", "71", "1", "72", "2", "0", "VERTEX", "70", "64", "10", "0",
         "0", "VERTEX", "70", "64", "10", "1", "0", "SEQEND",
         // M x N differs from the vertices read: no entity and no message
         "0", "POLYLINE", "8", "t", "66", "1", "70", "16", "71", "2", "72", "2", "0", "VERTEX", "70", "64", "10", "0",
         "0", "SEQEND",
         "0", "POLYLINE", "8", "t", "66", "1", "70", "64", "71", "3", "72", "1", "0", "VERTEX", "70", "192", "10", "0",
         "0", "VERTEX", "70", "192", "10", "1", "0", "VERTEX", "70", "192", "20", "1", "0", "VERTEX", "70", "128", "71",
         "1", "72", "-2", "73", "3", "0", "SEQEND",
         "0", "ENDSEC", "0", "EOF"});
    const auto d = read_dxf(text);
    EXPECT_TRUE(ui().boxes.empty());
    EXPECT_EQ(dxf_summary(*d),
              (std::vector<std::string>{"sym:", "0: Block_ 1",
                                        "t: Text_ 1, Point_ 1, Circle_ 1, Arc_ 1, Ellipse_ 1, Face3D_ 1, Solid_ 1, "
                                        "Insert_ 1, Attrib_ 1, Polyline_ 1, Polygon_mesh_ 1, Polyface_mesh_ 1"}));
    const auto& text_entity = static_cast<const Text_&>(d->find_layer("t")->find_entity_list("Text_")->entity(0));
    EXPECT_EQ(text_entity.rotation, 45);
    EXPECT_EQ(text_entity.colour_index, 4);
    EXPECT_EQ(text_entity.horizontal_justification, 1);
    EXPECT_TRUE(point3_equal(text_entity.alignment_point, {5, 2, 0}));
    EXPECT_EQ(entity_groups(*d, "t", "Point_", 0),
              dxf_text({"0", "POINT", "8", "t", "62", "0", "10", "7", "20", "8", "30", "0"}))
        << "the extrusion (0, 0, 2) is normalised to the default";
    EXPECT_EQ(static_cast<const Face3D_&>(d->find_layer("t")->find_entity_list("Face3D_")->entity(0)).vertex_count(),
              3);
    EXPECT_EQ(static_cast<const Solid_&>(d->find_layer("t")->find_entity_list("Solid_")->entity(0)).vertex_count(), 4);
    const auto& insert = static_cast<const Insert_&>(d->find_layer("t")->find_entity_list("Insert_")->entity(0));
    EXPECT_TRUE(point3_equal(insert.scale, {1, 2, 1})) << "a scale of 0 or none is 1";
    ASSERT_EQ(insert.attribute_count(), 1);
    EXPECT_EQ(insert.attributes[0]->value, "S1");
    EXPECT_EQ(insert.attributes[0]->text, "TAG");
    ASSERT_NE(insert.block(), nullptr);
    EXPECT_EQ(insert.block()->name, "B");
    const Block_& block = *insert.block();
    ASSERT_EQ(block.children.size(), 1u);
    const auto& attdef = static_cast<const Attdef_&>(*block.children[0]);
    EXPECT_EQ(attdef.prompt, "Prompt");
    EXPECT_EQ(attdef.value, "v");
    EXPECT_EQ(attdef.visible, 0);
    EXPECT_EQ(static_cast<const Polyline_&>(d->find_layer("t")->find_entity_list("Polyline_")->entity(0)).closed, 1);
    const auto& faces =
        static_cast<const Polyface_mesh_&>(d->find_layer("t")->find_entity_list("Polyface_mesh_")->entity(0));
    ASSERT_EQ(faces.face_count(), 1);
    EXPECT_EQ(faces.faces[0], (Polyface_mesh_::face{0, 1, 2, -1}));
}

TEST_F(DxfReader, HeaderExtentsStandOnlyWhenNeitherIsTheOrigin) {
    auto file = [](std::string_view min_x, std::string_view max_x) {
        return dxf_text({"0", "SECTION", "2", "HEADER", "9", "$ACADVER", "1", "AC1009", "9", "$EXTMIN", "10", min_x,
                         "20", "0", "30", "0", "9", "$EXTMAX", "10", max_x, "20", "50", "30", "0", "0", "ENDSEC", "0",
                         "SECTION", "2", "ENTITIES", "0", "LINE", "8", "0", "10", "10", "20", "10", "11", "150", "21",
                         "20", "0", "ENDSEC", "0", "EOF"});
    };
    const auto grown = read_dxf(file("0", "100"));
    EXPECT_TRUE(point3_equal(grown->max_extents(), {150, 50, 0}));
    EXPECT_TRUE(point3_equal(grown->min_extents(), {0, 0, 0}));
    const auto standing = read_dxf(file("-5", "100"));
    EXPECT_TRUE(point3_equal(standing->max_extents(), {100, 50, 0}));
    EXPECT_TRUE(point3_equal(standing->min_extents(), {-5, 0, 0}));
}

TEST_F(DxfReader, LayersAreMadeForEntitiesAndFoundByTheirFirstName) {
    const auto d = read_dxf(dxf_text({"0", "SECTION", "2", "TABLES", "0", "TABLE", "2", "VPORT", "0", "VPORT", "2",
                                      "*Active", "0", "ENDTAB", "0", "TABLE", "2", "LAYER", "0", "LAYER", "2", "A", "62",
                                      "1", "0", "LAYER", "2", "A", "62", "2", "0", "ENDTAB", "0", "ENDSEC", "0",
                                      "SECTION", "2", "ENTITIES", "0", "LINE", "8", "A", "0", "LINE", "8", "new", "0",
                                      "ENDSEC", "0", "EOF"}));
    EXPECT_TRUE(ui().boxes.empty());
    EXPECT_EQ(dxf_summary(*d), (std::vector<std::string>{"A: Line_ 1", "A:", "new: Line_ 1"}));
    EXPECT_EQ(d->find_layer("A")->find_entity_list("Line_")->entity(0).colour_index, 1);
    const DXF_Layer& made = *d->find_layer("new");
    EXPECT_EQ(made.colour_index, 0);
    EXPECT_EQ(made.line_type_name, "");
}

TEST_F(DxfReader, AnEntityThatCannotBeReadIsSkippedOrStopsTheReading) {
    const std::string text =
        dxf_text({"0", "SECTION", "2", "ENTITIES", "0", "LINE", "8", "L", "10", "1,5", "20", "2", "0", "LINE", "8", "L",
                  "10", "3", "0", "ENDSEC", "0", "EOF"});
    ui().answer(IDOK);
    const auto skipped = read_dxf(text);
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text, at_line(DXF_Reader::invalid_real, 10));
    EXPECT_EQ(ui().boxes[0].caption, "DXF read error warning");
    EXPECT_EQ(ui().boxes[0].buttons(), MB_OKCANCEL);
    EXPECT_EQ(dxf_summary(*skipped), (std::vector<std::string>{"L: Line_ 1"}));
    EXPECT_EQ(static_cast<const Line_&>(skipped->find_layer("L")->find_entity_list("Line_")->entity(0)).position.x, 3);

    ui().boxes.clear();
    ui().answer(IDCANCEL);
    const auto stopped = read_dxf(text);
    ASSERT_EQ(ui().boxes.size(), 2u);
    EXPECT_EQ(ui().boxes[1].text, "User aborted");
    EXPECT_EQ(ui().boxes[1].caption, "DXF Read Error");
    EXPECT_EQ(ui().boxes[1].flags, MB_OK | MB_ICONWARNING);
    EXPECT_TRUE(dxf_summary(*stopped).empty());
}

TEST_F(DxfReader, ValuesConvertByTheFileFormatsRules) {
    const struct {
        const char* value;
        bool real_ok;
        double real;
    } reals[] = {
        {"1.5", true, 1.5},    {" +1.5  ", true, 1.5}, {"-.5", true, -0.5},  {"1E3", true, 1000},
        {"2.", true, 2},       {"1,5", false, 0},      {"inf", false, 0},    {"-nan", false, 0},
        {"0x10", false, 0},    {"1e999", false, 0},    {"--1", false, 0},    {"", false, 0},
        {"1 2", false, 0},     {"1e", false, 0},       {"\t7\t", true, 7},
    };
    for (const auto& c : reals) {
        ui().boxes.clear();
        if (!c.real_ok) ui().answer(IDOK);
        const auto d = read_dxf(dxf_text({"0", "SECTION", "2", "ENTITIES", "0", "CIRCLE", "8", "c", "40", c.value, "0",
                                          "ENDSEC", "0", "EOF"}));
        if (c.real_ok) {
            ASSERT_TRUE(ui().boxes.empty()) << c.value;
            EXPECT_EQ(static_cast<const Circle_&>(d->find_layer("c")->find_entity_list("Circle_")->entity(0)).radius,
                      c.real)
                << c.value;
        } else {
            ASSERT_EQ(ui().boxes.size(), 1u) << c.value;
            EXPECT_EQ(ui().boxes[0].text, at_line(DXF_Reader::invalid_real, 10)) << c.value;
        }
    }
    const struct {
        const char* value;
        bool ok;
        int colour;
    } integers[] = {{" 3 ", true, 3}, {"-7", true, -7}, {"1.0", false, 0}, {"99999999999", false, 0}, {"x", false, 0}};
    for (const auto& c : integers) {
        ui().boxes.clear();
        if (!c.ok) ui().answer(IDOK);
        const auto d = read_dxf(dxf_text({"0", "SECTION", "2", "ENTITIES", "0", "POINT", "8", "p", "62", c.value, "0",
                                          "ENDSEC", "0", "EOF"}));
        if (c.ok) {
            ASSERT_TRUE(ui().boxes.empty()) << c.value;
            EXPECT_EQ(d->find_layer("p")->find_entity_list("Point_")->entity(0).colour_index, c.colour) << c.value;
        } else {
            ASSERT_EQ(ui().boxes.size(), 1u) << c.value;
            EXPECT_EQ(ui().boxes[0].text, at_line(DXF_Reader::invalid_integer, 10)) << c.value;
        }
    }
}

TEST_F(DxfReader, GroupCodesAreWholeNumbersWithBlanksAroundAndOneSign) {
    const struct {
        const char* code;
        bool ok;
    } codes[] = {
        {"8", true},    {"  8", true},  {"     8", true}, {"8  ", true},   {"\t8", true}, {"+8", true},
        {"008", true},  {"0008", true}, {"-8", false},    {"8x", false},   {"1 0", false}, {"x8", false},
        {"+", false},   {" - 8", false}, {"99999999999", false},
    };
    for (const auto& c : codes) {
        ui().boxes.clear();
        const auto d = read_dxf(dxf_text({"0", "SECTION", "2", "ENTITIES", "0", "LINE", c.code, "L", "10", "1", "0",
                                          "ENDSEC", "0", "EOF"}));
        if (c.ok) {
            EXPECT_TRUE(ui().boxes.empty()) << c.code;
            EXPECT_EQ(dxf_summary(*d), (std::vector<std::string>{"L: Line_ 1"})) << c.code;
        } else {
            ASSERT_EQ(ui().boxes.size(), 1u) << c.code;
            EXPECT_EQ(ui().boxes[0].text, at_line(DXF_Reader::invalid_group_code, 7)) << c.code;
            EXPECT_TRUE(dxf_summary(*d).empty()) << c.code;
        }
    }
}

TEST_F(DxfReader, MessagesCountTheLinesOfTheFileAlsoAfterARewind) {
    // The HEADER search reads the TABLES section's first lines, fails and
    // rewinds; the error in the layer table is still on line 14.
    const auto d = read_dxf(dxf_text({"0", "SECTION", "2", "TABLES", "0", "TABLE", "2", "LAYER", "0", "LAYER", "2", "A",
                                      "62", "x", "0", "ENDTAB", "0", "ENDSEC", "0", "EOF"}));
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text, at_line(DXF_Reader::invalid_integer, 14));
    EXPECT_EQ(ui().boxes[0].caption, "DXF Read Error");
    EXPECT_EQ(dxf_summary(*d), (std::vector<std::string>{"A:"})) << "what was read is kept";
}

TEST_F(DxfReader, InsertsNeedTheirBlock) {
    auto file = [](std::initializer_list<std::string_view> entities) {
        std::vector<std::string_view> l{"0", "SECTION", "2", "BLOCKS", "0", "BLOCK", "8", "0", "2", "B", "0", "LINE",
                                        "8", "0", "0", "ENDBLK", "0", "ENDSEC", "0", "SECTION", "2", "ENTITIES"};
        l.insert(l.end(), entities);
        for (const char* tail : {"0", "ENDSEC", "0", "EOF"}) l.push_back(tail);
        std::string s;
        for (const auto x : l) s += std::string(x) + "\r\n";
        return s;
    };
    ui().answer(IDOK);
    const auto undefined = read_dxf(file({"0", "INSERT", "8", "0", "2", "NIC", "0", "INSERT", "8", "0", "2", "B"}));
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text, at_line(DXF_Reader::undefined_block, 30));
    EXPECT_EQ(ui().boxes[0].caption, "DXF read error warning");
    EXPECT_EQ(dxf_summary(*undefined), (std::vector<std::string>{"0: Block_ 1, Insert_ 1"}));

    // More than 16 attributes: a plain box, and reading goes on.
    ui().boxes.clear();
    std::vector<std::string> many{"0", "INSERT", "8", "0", "66", "1", "2", "B"};
    for (int i = 0; i < 17; ++i)
        for (const char* g : {"0", "ATTRIB", "8", "0", "2", "T", "1", "v"}) many.push_back(g);
    for (const char* g : {"0", "SEQEND", "0", "LINE", "8", "0"}) many.push_back(g);
    std::string text = file({});
    std::string entities;
    for (const auto& g : many) entities += g + "\r\n";
    text.insert(text.find("0\r\nENDSEC\r\n0\r\nEOF"), entities);
    const auto refused = read_dxf(text);
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text, "This version only handles 16 ATTRIBs");
    EXPECT_EQ(ui().boxes[0].buttons(), MB_OK);
    EXPECT_EQ(dxf_summary(*refused), (std::vector<std::string>{"0: Block_ 1, Line_ 1"}));
}

TEST_F(DxfReader, ABlockThatInsertsItselfIsRefused) {
    // S may insert A, but not itself: drawing it would never end.
    const auto d = read_dxf(dxf_text({"0", "SECTION", "2", "BLOCKS", "0", "BLOCK", "8", "0", "2", "A", "0", "ENDBLK",
                                      "0", "BLOCK", "8", "0", "2", "S", "0", "INSERT", "8", "0", "2", "A", "0", "INSERT",
                                      "8", "0", "2", "S", "0", "ENDBLK", "0", "ENDSEC", "0", "SECTION", "2", "ENTITIES",
                                      "0", "LINE", "8", "0", "0", "ENDSEC", "0", "EOF"}));
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text, at_line(DXF_Reader::undefined_block, 32));
    EXPECT_EQ(ui().boxes[0].caption, "DXF Read Error");
    EXPECT_EQ(dxf_summary(*d), (std::vector<std::string>{"0: Block_ 2"}));
    const auto& s_block = static_cast<const Block_&>(d->find_layer("0")->find_entity_list("Block_")->entity(1));
    EXPECT_EQ(s_block.children.size(), 1u);
}

TEST_F(DxfReader, ListsThatMissTheirEndStopAtTheNextEntity) {
    // An attribute list and a polyline that meet another entity before
    // their SEQEND end there; the entity after them is read.
    ui().answer(IDOK);
    const auto d = read_dxf(dxf_text(
        {"0", "SECTION", "2", "BLOCKS", "0", "BLOCK", "8", "0", "2", "B", "0", "ENDBLK", "0", "ENDSEC", "0", "SECTION",
         "2", "ENTITIES", "0", "INSERT", "8", "0", "66", "1", "2", "B", "0", "ATTRIB", "8", "0", "1", "v", "2", "T", "0",
         "CIRCLE", "8", "0", "40", "1", "0", "POLYLINE", "8", "0", "66", "1", "0", "VERTEX", "10", "1", "0", "LINE", "8",
         "0", "0", "ENDSEC", "0", "EOF"}));
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text, at_line("Error reading POLYLINE entity", 52));
    EXPECT_EQ(dxf_summary(*d), (std::vector<std::string>{"0: Block_ 1, Insert_ 1, Circle_ 1, Line_ 1"}));
    EXPECT_EQ(static_cast<const Insert_&>(d->find_layer("0")->find_entity_list("Insert_")->entity(0)).attribute_count(),
              1);
}

TEST_F(DxfReader, APolylineHoldsUpTo8192Vertices) {
    auto polyline = [](int vertices) {
        std::string s = dxf_text({"0", "SECTION", "2", "ENTITIES", "0", "POLYLINE", "8", "p", "66", "1"});
        for (int i = 0; i < vertices; ++i) s += dxf_text({"0", "VERTEX", "10", std::to_string(i)});
        return s + dxf_text({"0", "SEQEND", "0", "LINE", "8", "p", "0", "ENDSEC", "0", "EOF"});
    };
    const auto full = read_dxf(polyline(8192));
    EXPECT_TRUE(ui().boxes.empty());
    EXPECT_EQ(static_cast<const Polyline_&>(full->find_layer("p")->find_entity_list("Polyline_")->entity(0))
                  .vertex_count(),
              8192);
    ui().answer(IDOK);
    const auto over = read_dxf(polyline(8193));
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text, at_line("Polyline contained more than 8192 vertices", 16 + 4 * 8192));
    EXPECT_EQ(dxf_summary(*over), (std::vector<std::string>{"p: Line_ 1"}));
}

}  // namespace
