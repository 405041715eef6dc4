// Damaged drawing files: the reader ends with a message and the line number,
// keeps what it read and never hangs (ctest gives these tests a time limit).
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

const std::string entities_head = dxf_text({"0", "SECTION", "2", "ENTITIES"});  // lines 1 to 4
const std::string one_line = dxf_text({"0", "LINE", "8", "L", "10", "1", "20", "2"});  // lines 5 to 12
const std::string tail = dxf_text({"0", "ENDSEC", "0", "EOF"});

class DxfDamaged : public ToolkitTest {
protected:
    DxfDamaged() {
        decimal_separator = '.';
        euro_rounding = false;
    }
};

TEST_F(DxfDamaged, ReadingEndsWithAMessageAndKeepsWhatWasRead) {
    const struct {
        const char* what;
        std::string text;
        std::string message;  // empty: no box
        std::vector<std::string> kept;
    } cases[] = {
        {"binary junk where a code should be", entities_head + one_line + "\x01\xff\x80junk\r\n" + one_line + tail,
         at_line(DXF_Reader::invalid_group_code, 13), {}},
        {"lines out of step", entities_head + one_line + dxf_text({"0", "LINE", "LINE", "8"}) + tail,
         at_line(DXF_Reader::invalid_group_code, 15), {"L: Line_ 1"}},
        {"a negative code", entities_head + one_line + dxf_text({"0", "LINE", "-8", "L"}) + tail,
         at_line(DXF_Reader::invalid_group_code, 15), {"L: Line_ 1"}},
        {"a code of blanks", entities_head + one_line + dxf_text({"   ", "LINE"}) + tail,
         at_line(DXF_Reader::invalid_group_code, 13), {}},
        {"a file cut inside an entity", entities_head + one_line + dxf_text({"0", "LINE", "8", "L", "10"}),
         at_line(DXF_Reader::unexpected_end, 17), {"L: Line_ 1"}},
        {"an odd number of lines", entities_head + one_line + dxf_text({"0", "LINE", "8", "L", "10", "1", "20"}),
         at_line(DXF_Reader::unexpected_end, 19), {"L: Line_ 1"}},
        {"a file cut between entities", entities_head + one_line + one_line,
         at_line(DXF_Reader::unexpected_end, 20), {"L: Line_ 1"}},
        {"a file cut inside the layer table",
         dxf_text({"0", "SECTION", "2", "TABLES", "0", "TABLE", "2", "LAYER", "0", "LAYER", "2", "A", "62", "3"}),
         at_line(DXF_Reader::unexpected_end, 14), {"A:"}},
        {"a file cut inside a block",
         dxf_text({"0", "SECTION", "2", "BLOCKS", "0", "BLOCK", "8", "0", "2", "B", "0", "LINE", "8", "0"}),
         at_line(DXF_Reader::unexpected_end, 14), {"0: Block_ 1"}},
        {"whole sections and no end marker", entities_head + one_line + dxf_text({"0", "ENDSEC"}),
         at_line(DXF_Reader::unexpected_end, 14), {"L: Line_ 1"}},
        {"an end marker without its line end", entities_head + one_line + dxf_text({"0", "ENDSEC", "0"}) + "EOF",
         at_line(DXF_Reader::unexpected_end, 15), {"L: Line_ 1"}},
        {"an empty file", "", at_line(DXF_Reader::unexpected_end, 0), {}},
        {"only the end marker", dxf_text({"0", "EOF"}), "", {}},
        {"sections searched for up to the end marker", entities_head + one_line + tail, "", {"L: Line_ 1"}},
        {"the end marker inside a section", entities_head + one_line + dxf_text({"0", "EOF"}),
         at_line(DXF_Reader::unexpected_end, 14), {"L: Line_ 1"}},
        {"a section name cut off", dxf_text({"0", "SECTION"}), at_line(DXF_Reader::unexpected_end, 2), {}},
    };
    for (const auto& c : cases) {
        ui().boxes.clear();
        const auto d = read_dxf(c.text);
        if (c.message.empty()) {
            EXPECT_TRUE(ui().boxes.empty()) << c.what << ": " << ui().boxes[0].text;
        } else {
            ASSERT_EQ(ui().boxes.size(), 1u) << c.what;
            EXPECT_EQ(ui().boxes[0].text, c.message) << c.what;
            EXPECT_EQ(ui().boxes[0].caption, "DXF Read Error") << c.what;
            EXPECT_EQ(ui().boxes[0].flags, MB_OK | MB_ICONWARNING) << c.what;
        }
        EXPECT_EQ(dxf_summary(*d), c.kept) << c.what;
    }
}

TEST_F(DxfDamaged, TheExtentsAreStillComputedAfterAnError) {
    const auto d =
        read_dxf(entities_head + one_line + dxf_text({"0", "LINE", "8", "L", "10", "-4", "20", "7", "0", "CIRCLE", "8"}));
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_TRUE(point3_equal(d->max_extents(), {1, 7, 0}));
    EXPECT_TRUE(point3_equal(d->min_extents(), {-4, 0, 0}));
}

TEST_F(DxfDamaged, AVeryLongLineGivesItsFirst255Characters) {
    std::string value(10 * 1024 * 1024, 'x');
    value[0] = 'a';
    const auto d = read_dxf(entities_head + dxf_text({"0", "TEXT", "8", "t", "1", value, "0", "LINE", "8", "t"}) + tail);
    EXPECT_TRUE(ui().boxes.empty());
    EXPECT_EQ(dxf_summary(*d), (std::vector<std::string>{"t: Text_ 1, Line_ 1"}));
    EXPECT_EQ(static_cast<const Text_&>(d->find_layer("t")->find_entity_list("Text_")->entity(0)).text,
              "a" + std::string(254, 'x'));
}

TEST_F(DxfDamaged, TheViewportTableEndsAtItsEndWithoutAnActiveEntry) {
    const auto d = read_dxf(dxf_text({"0", "SECTION", "2", "TABLES", "0", "TABLE", "2", "VPORT", "0", "VPORT", "2",
                                      "other", "0", "ENDTAB", "0", "TABLE", "2", "LAYER", "0", "LAYER", "2", "A", "0",
                                      "ENDTAB", "0", "ENDSEC", "0", "SECTION", "2", "BLOCKS", "0", "BLOCK", "8", "0",
                                      "2", "B", "0", "ENDBLK", "0", "ENDSEC", "0", "SECTION", "2", "ENTITIES", "0",
                                      "INSERT", "8", "A", "2", "B", "0", "ENDSEC", "0", "EOF"}));
    EXPECT_TRUE(ui().boxes.empty());
    EXPECT_EQ(dxf_summary(*d), (std::vector<std::string>{"A: Insert_ 1", "0: Block_ 1"}));
}

TEST_F(DxfDamaged, MissingEndsOfTablesAndBlocksStopAtTheSectionsEnd) {
    const auto d = read_dxf(dxf_text({"0", "SECTION", "2", "TABLES", "0", "TABLE", "2", "LAYER", "0", "LAYER", "2",
                                      "A", "0", "ENDSEC", "0", "SECTION", "2", "BLOCKS", "0", "BLOCK", "8", "0", "2",
                                      "B", "0", "LINE", "8", "0", "0", "ENDSEC", "0", "SECTION", "2", "ENTITIES", "0",
                                      "INSERT", "8", "A", "2", "B", "0", "ENDSEC", "0", "EOF"}));
    EXPECT_TRUE(ui().boxes.empty());
    EXPECT_EQ(dxf_summary(*d), (std::vector<std::string>{"A: Insert_ 1", "0: Block_ 1"}));
}

}  // namespace
