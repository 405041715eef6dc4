// Pipe bends: the block in true proportions, its insert at the run's
// start, the labels, one block per name, and the runs that stay straight.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "drawing/sheet_entities.h"

using namespace sheet_test;

namespace {

class PipeBends : public SheetTest {
protected:
    // The worked example: unit "m" (U 1), vf 1, a node at hf 0.5 with the
    // radius `radius`, datum 95.
    void unit_metre(double radius) {
        drawing().units_per_metre = 1;
        drawing().unit_factor = 1000;
        drawing().y_factor = 1;
        const uint16_t p = profile({0, 20}, {5, 4.5}, 200, 0.5, 95);
        model().profiles[p].nodes[0].rad = radius;
    }
};

TEST_F(PipeBends, ASagIsABlockAboutItsCentreInsertedAtTheStartWithTheSheetFactors) {
    unit_metre(50);
    std::string block;
    writer.pipe_bend({0, 5, 0}, {10, 4.5, 0}, 0, element_rura, true, false, block);

    // The end in metres is (20, 4.5); the centre lies 50 from both ends,
    // above the chord.
    const std::string expected =
        "  0\r\nBLOCK\r\n  8\r\nE1\r\n 62\r\n5\r\n  2\r\nARC_0_0_1\r\n 70\r\n     0\r\n 10\r\n0\r\n 20\r\n5\r\n"
        "  3\r\nARC_0_0_1\r\n  1\r\n\r\n  0\r\nARC\r\n  8\r\nE1\r\n 62\r\n5\r\n"
        " 10\r\n11.2243463756104\r\n 20\r\n53.7238550244161\r\n 40\r\n50.00000\r\n"
        " 50\r\n257.02729\r\n 51\r\n280.10852\r\n  0\r\nENDBLK";
    EXPECT_EQ(block, expected);
    ASSERT_EQ(writer.bend_blocks.size(), 1u);
    EXPECT_EQ(writer.bend_blocks[0], expected);

    const auto inserts = of(entities_of(writer), "INSERT");
    ASSERT_EQ(inserts.size(), 1u);
    EXPECT_EQ(inserts[0].value(2), "ARC_0_0_1");
    EXPECT_EQ(inserts[0].layer(), "E1");
    EXPECT_EQ(inserts[0].value(62), "5");
    EXPECT_DOUBLE_EQ(inserts[0].x(), 0);
    EXPECT_DOUBLE_EQ(inserts[0].y(), 5);
    EXPECT_DOUBLE_EQ(inserts[0].number(41), 0.5);
    EXPECT_DOUBLE_EQ(inserts[0].number(42), 1);
    EXPECT_DOUBLE_EQ(inserts[0].number(43), 1);
}

TEST_F(PipeBends, TheBlockEndsWhereTheRunEndsOnceScaled) {
    // Sag and crest, rising and falling: the arc's two ends, scaled by
    // (hf, vf) about P1, land on P1 and P2.
    struct Case {
        double radius, x2, y2;
    };
    const Case cases[] = {{50, 10, 4.5}, {-50, 10, 4.5}, {30, 10, 5.8}, {-30, 10, 5.8}, {200, 4, 5}};
    for (const Case& c : cases) {
        model().profiles.clear();
        writer.bend_blocks.clear();
        unit_metre(c.radius);
        std::string block;
        writer.pipe_bend({0, 5, 0}, {c.x2, c.y2, 0}, 0, element_rura, false, false, block);
        auto value = [&block](const std::string& code) {
            const std::size_t arc = block.find("ARC\r\n");
            const std::size_t at = block.find(code + "\r\n", arc) + code.size() + 2;
            return std::stod(block.substr(at, block.find("\r\n", at) - at));
        };
        const double cx = value(" 10"), cy = value(" 20"), r = value(" 40");
        const double a1 = value(" 50") * M_PI / 180, a2 = value(" 51") * M_PI / 180;
        const double hf = 0.5, vf = 1;
        const double ends[2][2] = {{cx + r * std::cos(a1), cy + r * std::sin(a1)},
                                   {cx + r * std::cos(a2), cy + r * std::sin(a2)}};
        // The sag runs from P1 to P2 counter-clockwise, the crest from P2 to P1.
        const int first = c.radius > 0 ? 0 : 1;
        const std::string what = "r " + std::to_string(c.radius);
        EXPECT_NEAR(0 + (ends[first][0] - 0) * hf, 0, 1e-4) << what;
        EXPECT_NEAR(5 + (ends[first][1] - 5) * vf, 5, 1e-4) << what;
        EXPECT_NEAR(0 + (ends[1 - first][0] - 0) * hf, c.x2, 1e-4) << what;
        EXPECT_NEAR(5 + (ends[1 - first][1] - 5) * vf, c.y2, 1e-4) << what;
    }
}

TEST_F(PipeBends, EachBlockIsCollectedOncePerNameAndEachRunIsInserted) {
    unit_metre(50);
    const uint16_t second = profile({0, 20}, {5, 4.5}, 200, 0.5, 95);
    model().profiles[second].nodes[0].rad = 50;
    // A layer spelt like a block name does not hide a block.
    settings().line_defs[element_os_rury].layer = "ARC_1_0_1";
    std::string block;
    writer.pipe_bend({0, 5, 0}, {10, 4.5, 0}, 0, element_rura, false, false, block);   // invert
    writer.pipe_bend({0, 5.2, 0}, {10, 4.7, 0}, 0, element_rura, false, false, block); // crown: same block
    writer.pipe_bend({0, 5.1, 0}, {10, 4.6, 0}, 0, element_os_rury, false, false, block);
    drawing().drawn_profile = second;
    writer.pipe_bend({0, 5, 0}, {10, 4.5, 0}, 0, element_rura, false, false, block);   // same radius, own block
    ASSERT_EQ(writer.bend_blocks.size(), 3u);
    EXPECT_NE(writer.bend_blocks[0].find("\r\n  2\r\nARC_0_0_1\r\n"), std::string::npos);
    EXPECT_NE(writer.bend_blocks[1].find("\r\n  2\r\nARC_0_0_9\r\n"), std::string::npos);
    EXPECT_NE(writer.bend_blocks[1].find("  8\r\nARC_1_0_1\r\n 62\r\n29\r\n"), std::string::npos);
    EXPECT_NE(writer.bend_blocks[2].find("\r\n  2\r\nARC_1_0_1\r\n"), std::string::npos);

    const auto inserts = of(entities_of(writer), "INSERT");
    ASSERT_EQ(inserts.size(), 4u);
    EXPECT_EQ(inserts[0].value(2), "ARC_0_0_1");
    EXPECT_EQ(inserts[1].value(2), "ARC_0_0_1");
    EXPECT_DOUBLE_EQ(inserts[1].y(), 5.2);
    EXPECT_EQ(inserts[2].value(2), "ARC_0_0_9");
    EXPECT_EQ(inserts[2].value(62), "29");  // the axis keeps its element's colour
    EXPECT_EQ(inserts[3].value(2), "ARC_1_0_1");

    // A new drawing empties the list: its bends are collected again.
    writer.bend_blocks.clear();
    drawing().drawn_profile = 0;
    writer.pipe_bend({0, 5, 0}, {10, 4.5, 0}, 0, element_rura, false, false, block);
    EXPECT_EQ(writer.bend_blocks.size(), 1u);
}

TEST_F(PipeBends, ARunNoCircleFitsStaysStraight) {
    // 20 m of run, 0.5 m of rise: no circle of radius 5 passes through
    // both ends.
    unit_metre(5);
    std::string block;
    writer.pipe_bend({0, 5, 0}, {10, 4.5, 0}, 0, element_rura, true, true, block);
    EXPECT_TRUE(block.empty());
    EXPECT_TRUE(writer.bend_blocks.empty());
    const auto all = entities_of(writer);
    EXPECT_TRUE(of(all, "INSERT").empty());
    EXPECT_TRUE(of(all, "TEXT").empty());
    const auto lines = of(all, "LINE");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(ends(lines[0]), "(0, 5)-(10, 4.5)");
    EXPECT_EQ(lines[0].layer(), "E1");
    EXPECT_EQ(lines[0].value(62), "5");
}

TEST_F(PipeBends, TheRadiusLabelRunsFromTheArcTowardTheCentreWithTheSystemSeparator) {
    unit_metre(-12.5);
    drawing().units_per_metre = 10;
    std::string block;
    writer.pipe_bend({0, 5, 0}, {10, 4.5, 0}, 0, element_rura, false, true, block);
    const auto all = entities_of(writer);
    const auto texts = of(all, "TEXT");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].value(1), "R12,5 m");
    EXPECT_EQ(texts[0].layer(), "Opisy");          // the style "t_pro"
    EXPECT_NEAR(texts[0].number(40), 0.7 * 0.19 * 10, 1e-12);

    // The centre of the crest, below the chord: from it P1 is seen at the
    // angle a; the text turns to a + 180, rounded and taken modulo 360.
    const std::size_t arc = block.find("ARC\r\n");
    auto value = [&](const std::string& code) {
        const std::size_t at = block.find(code + "\r\n", arc) + code.size() + 2;
        return std::stod(block.substr(at, block.find("\r\n", at) - at));
    };
    const double cx = value(" 10"), cy = value(" 20");
    EXPECT_LT(cy, 5);
    const double a = std::acos((0 - cx) / 12.5) * 180 / M_PI;  // P1 lies above the centre
    EXPECT_EQ(texts[0].value(50), std::to_string(static_cast<int>(std::lround(a + 180)) % 360));

    // The arrow: its shaft from 0.7 U toward the centre to P1, head at P1.
    const auto leaders = of(all, "LINE", "E7");
    ASSERT_FALSE(leaders.empty());
    const double d = std::hypot(cx, cy - 5);
    EXPECT_NEAR(leaders[0].x(10), 7 * cx / d, 1e-9);
    EXPECT_NEAR(leaders[0].y(10), 5 + 7 * (cy - 5) / d, 1e-9);
    EXPECT_NEAR(leaders[0].x(11), 0, 1e-12);
    EXPECT_NEAR(leaders[0].y(11), 5, 1e-12);
    // Insert before the radius label.
    std::size_t insert_at = 0, text_at = 0;
    for (std::size_t k = 0; k < all.size(); ++k) {
        if (all[k].type == "INSERT") insert_at = k;
        if (all[k].type == "TEXT") text_at = k;
    }
    EXPECT_LT(insert_at, text_at);
}

TEST_F(PipeBends, ChordAngleClampsASineRoundedPastOne) {
    const point3 c{0, 0, 0};
    EXPECT_NEAR(DXF_Writer::chord_angle(c, {1, 0, 0}, {0, 1, 0}), 90, 1e-12);
    // A chord a hair longer than the diameter: 180, not NaN.
    const double past = DXF_Writer::chord_angle(c, {1, 0, 0}, {-1 - 1e-12, 0, 0});
    EXPECT_FALSE(std::isnan(past));
    EXPECT_DOUBLE_EQ(past, 180);
    EXPECT_EQ(DXF_Writer::chord_angle(c, c, {1, 0, 0}), 0);  // no circle
}

// The extreme point's label is a comment label with its text.
TEST_F(PipeBends, TheLowestPointOfASagIsLabelledWithItsOrdinate) {
    unit_metre(50);
    std::string block;
    writer.pipe_bend({0, 5, 0}, {10, 4.5, 0}, 0, element_rura, true, false, block);
    bool found = false;
    for (const entity& t : of(entities_of(writer), "TEXT")) found = found || t.value(1) == "98,72";
    EXPECT_TRUE(found);
    // A sag whose centre lies beyond the run's end gets none.
    writer.out().take();
    writer.pipe_bend({0, 5, 0}, {2, 4, 0}, 0, element_rura, true, false, block);
    EXPECT_TRUE(of(entities_of(writer), "TEXT").empty());
}

}  // namespace
