// The vertical texts of the profile sheet: node lines and their tops, node
// descriptions, the spreading of crowded texts with either arrangement and
// the leaders written for them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "drawing/sheet_texts_fixture.h"
#include "platform/cp1250.h"
#include "support/xorshift.h"

namespace {

using namespace sheet_texts;

// A collected text as the styles leave it: gap 0.04, offset 0.23, 0.19 high
// (0.27 m of room).
tekst collected(double anchor, char type, double top = 5, const std::string& text = "opis") {
    tekst t;
    t.text = text;
    t.position = anchor;
    t.y = top;
    t.type = type;
    t.first_line = 1;
    t.second_flag = type == 0 ? 1 : 0;
    t.near_offset = 0.04;
    t.far_offset = 0.23;
    t.height = 0.19;
    t.width_factor = 0.7;
    t.colour = 8;
    t.layer = "Komentarze";
    return t;
}

class VerticalTexts : public SheetTextsTest {
protected:
    // The x of each written text's line (insertion x + gap), in order.
    std::vector<double> placed_lines() const {
        std::vector<double> xs;
        for (const entity& t : of_type(written(), "TEXT")) xs.push_back(t.number(10) + 0.04 * drawing().units_per_metre);
        return xs;
    }
    std::vector<std::string> written_texts() const {
        std::vector<std::string> out;
        for (const entity& t : of_type(written(), "TEXT")) out.push_back(t.value(1));
        return out;
    }
};

// ---- arrangement -----------------------------------------------------------------

TEST_F(VerticalTexts, TwoCrowdedNodeDescriptionsMoveTheLaterRightOrTheEarlierLeft) {
    drawing().units_per_metre = 1;
    struct Case {
        bool keep_nodes;
        double first, second;
    };
    // 0.27 of room between lines 0.1 apart: the later one pushed to 1.27,
    // or, with node descriptions kept in place, the earlier one to 0.83.
    for (const Case& c : {Case{false, 1.0, 1.27}, Case{true, 0.83, 1.1}}) {
        writer.out().clear();
        topcje->cb_RearrangeCommentsWithoutMoveNodes->SetChecked(c.keep_nodes);
        writer.drawing_texts = {collected(1.1, 0), collected(1.0, 0)};
        writer.write_vertical_texts();
        const std::vector<double> xs = placed_lines();
        ASSERT_EQ(xs.size(), 2u);
        EXPECT_NEAR(xs[0], c.first, 1e-12) << c.keep_nodes;
        EXPECT_NEAR(xs[1], c.second, 1e-12) << c.keep_nodes;
        // Texts stand at 0.25 above the table, turned 90 degrees.
        for (const entity& t : of_type(written(), "TEXT")) {
            EXPECT_NEAR(t.number(20), 0.25, 1e-12);
            EXPECT_EQ(t.value(50), "90");
            EXPECT_NEAR(t.number(40), 0.19, 1e-12);
        }
    }
}

TEST_F(VerticalTexts, AMovableTextBetweenNodeDescriptionsGivesWayBothWays) {
    drawing().units_per_metre = 1;
    topcje->cb_RearrangeCommentsWithoutMoveNodes->SetChecked(true);
    struct Case {
        double next_node;
        std::vector<double> expected;
    };
    const Case cases[] = {
        // Room enough before the next node: the casing text moves right of
        // its left neighbour and stays there.
        {1.6, {1.0, 1.27, 1.6}},
        // The next node description collides and keeps its place; its
        // backward walk pushes the casing text back, and that one the node
        // description before it.
        {1.5, {0.96, 1.23, 1.5}},
    };
    for (const Case& c : cases) {
        writer.out().clear();
        writer.drawing_texts = {collected(1.0, 0), collected(1.1, 'o'), collected(c.next_node, 0)};
        writer.write_vertical_texts();
        const std::vector<double> xs = placed_lines();
        ASSERT_EQ(xs.size(), 3u);
        for (std::size_t k = 0; k < 3; ++k) EXPECT_NEAR(xs[k], c.expected[k], 1e-12) << c.next_node << " text " << k;
    }
}

TEST_F(VerticalTexts, MovingAllExchangesTwoTextsWhenTheRightOneEndsLower) {
    drawing().units_per_metre = 1;
    // b collides with a and is pushed; c collides with b and its line ends
    // lower, and b was itself pushed: c goes before b.
    writer.drawing_texts = {collected(1.0, 0, 5, "a"), collected(1.1, 0, 5, "b"), collected(1.2, 0, 3, "c")};
    writer.write_vertical_texts();
    EXPECT_EQ(written_texts(), (std::vector<std::string>{"a", "c", "b"}));
    const std::vector<double> xs = placed_lines();
    ASSERT_EQ(xs.size(), 3u);
    EXPECT_NEAR(xs[0], 1.0, 1e-12);
    EXPECT_NEAR(xs[1], 1.27, 1e-12);
    EXPECT_NEAR(xs[2], 1.54, 1e-12);

    // Without the push from its left neighbour no exchange happens.
    writer.out().clear();
    writer.drawing_texts = {collected(0.5, 0, 5, "a"), collected(1.1, 0, 5, "b"), collected(1.2, 0, 3, "c")};
    writer.write_vertical_texts();
    EXPECT_EQ(written_texts(), (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(VerticalTexts, EqualAnchorsKeepTheirOrderOfArrival) {
    drawing().units_per_metre = 1;
    writer.drawing_texts = {collected(2.0, 0, 5, "late"), collected(1.0, 'k', 5, "k1"), collected(1.0, 't', 5, "t1"),
                            collected(1.0, 0, 5, "n1")};
    writer.write_vertical_texts();
    EXPECT_EQ(written_texts(), (std::vector<std::string>{"k1", "t1", "n1", "late"}));
}

// The arrangement that keeps node descriptions in place, step by step as
// the rules state it, for comparison with the writer's.
std::vector<double> keep_nodes_reference(std::vector<tekst> t, double u, bool on_left) {
    auto w = [&](std::size_t k) {
        const double s = 2 * std::min(std::fabs(t[k].near_offset), std::fabs(t[k].far_offset));
        return (t[k].text.empty() ? s : s + t[k].height) * u;
    };
    for (tekst& x : t) x.arranged_position = x.position;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].type != 0) continue;
        t[i].arranged_position = t[i].position;
        for (std::size_t j = i + 1; j < t.size(); ++j) {
            const double g = w(on_left ? j : j - 1);
            if (t[j - 1].arranged_position + g >= t[j].position) {
                if (t[j].type != 0)
                    t[j].arranged_position = t[j - 1].arranged_position + g;
                else
                    t[j].moved = 1;
            } else {
                if (t[j].type == 0) t[j].moved = 0;
                t[j].arranged_position = t[j].position;
            }
            if (t[j].type == 0) break;
        }
        if (i == 0 || !t[i].moved) continue;
        for (std::size_t j = i; j-- > 0;) {
            const double g = w(on_left ? j + 1 : j);
            if (t[j + 1].arranged_position - g > t[j].arranged_position) break;
            t[j].arranged_position = t[j + 1].arranged_position - g;
        }
    }
    std::vector<double> xs;
    for (const tekst& x : t) xs.push_back(x.arranged_position);
    return xs;
}

TEST_F(VerticalTexts, KeepingNodesPlacesCrowdedRunsExactlyAsTheStepwiseWalks) {
    topcje->cb_RearrangeCommentsWithoutMoveNodes->SetChecked(true);
    xorshift64 rng{24};
    const char kinds[] = {0, 0, 0, 'k', 'l', 'o', 't'};
    for (const bool on_left : {true, false}) {
        topcje->cb_DescriptionOnLeft->SetChecked(on_left);
        for (int round = 0; round < 20; ++round) {
            std::vector<tekst> texts;
            double anchor = 0;
            for (int k = 0; k < 300; ++k) {
                // Mostly crowded anchors, now and then a wide gap.
                anchor += (rng() % 10 == 0) ? 400.0 + rng() % 500 : static_cast<double>(rng() % 120);
                tekst t = collected(anchor, kinds[rng() % 7], 5, rng() % 9 == 0 ? "" : "opis");
                t.near_offset = on_left ? 0.04 : -0.2585;
                t.far_offset = on_left ? 0.2585 : -0.04;
                texts.push_back(t);
            }
            const std::vector<double> expected = keep_nodes_reference(texts, 1000, on_left);
            writer.out().clear();
            writer.drawing_texts = texts;
            writer.write_vertical_texts();
            ASSERT_EQ(writer.drawing_texts.size(), expected.size());
            for (std::size_t k = 0; k < expected.size(); ++k)
                ASSERT_EQ(writer.drawing_texts[k].arranged_position, expected[k])
                    << "round " << round << " text " << k << (on_left ? " left" : " right");
        }
    }
}

// ---- leaders ---------------------------------------------------------------------

TEST_F(VerticalTexts, AMovedNodeDescriptionLeavesItsNodeSidewaysAndReturnsAtItsTop) {
    drawing().units_per_metre = 1000;
    writer.drawing_texts = {collected(1000, 0, 3990), collected(1100, 0, 3790)};
    writer.write_vertical_texts();
    const std::vector<entity> lines = of_type(written(), "LINE");
    ASSERT_EQ(lines.size(), 6u);
    // Not moved: one straight line from the table top to 3990.
    expect_segment(lines[0], {1000, 3740, 1000, 250}, 1e-9);
    expect_segment(lines[1], {1000, 3740, 1000, 3990}, 1e-9);
    expect_segment(lines[2], {1000, 0, 1000, 250}, 1e-9);
    // Moved 270 to the right: beside its text, back to the node at both ends.
    expect_segment(lines[3], {1270, 3540, 1270, 250}, 1e-9);
    expect_segment(lines[4], {1270, 3540, 1100, 3790}, 1e-9);
    expect_segment(lines[5], {1100, 0, 1270, 250}, 1e-9);
    for (const entity& l : lines) {
        EXPECT_EQ(l.value(8), "Komentarze");
        EXPECT_EQ(l.value(62), "3");
    }
    // A text of another routine has no leg down to the table.
    writer.out().clear();
    writer.drawing_texts = {collected(1000, 'o', 3000)};
    writer.write_vertical_texts();
    EXPECT_EQ(of_type(written(), "LINE").size(), 2u);
}

TEST_F(VerticalTexts, WithoutTheCommentElementTextsHaveNoLeaders) {
    struct Case {
        bool draw;
        std::string media;
        std::size_t lines;
    };
    // The profile is of network "k".
    for (const Case& c : {Case{true, "k,", 3}, Case{false, "a", 0}, Case{true, "w,", 0}}) {
        writer.out().clear();
        element(element_koment, "Komentarze", 3, c.draw, c.media);
        writer.drawing_texts = {collected(1000, 0, 3990)};
        writer.write_vertical_texts();
        EXPECT_EQ(of_type(written(), "LINE").size(), c.lines) << c.media << c.draw;
        EXPECT_EQ(of_type(written(), "TEXT").size(), 1u);
    }
}

// ---- node descriptions -----------------------------------------------------------

TEST_F(VerticalTexts, ANodeDescriptionOfThreeLinesGivesThreeTextsAndOneSetOfLeaders) {
    node(1).kom = "DN200\\Pkanal @1\\Pkoniec";
    writer.add_node_description(0, 1);
    ASSERT_EQ(writer.drawing_texts.size(), 3u);
    for (const tekst& t : writer.drawing_texts) {
        EXPECT_EQ(t.position, 8000);
        EXPECT_NEAR(t.y, 3790, 1e-9);
        EXPECT_EQ(t.type, 0);
        EXPECT_EQ(t.second_flag, 1);
    }
    writer.write_vertical_texts();
    // The first "@" of the description is deleted.
    EXPECT_EQ(written_texts(), (std::vector<std::string>{"DN200", "kanal 1", "koniec"}));
    EXPECT_EQ(of_type(written(), "LINE").size(), 3u);
}

TEST_F(VerticalTexts, AnEmptyCommentStillGivesTheNodeItsLine) {
    writer.add_node_description(0, 2);
    ASSERT_EQ(writer.drawing_texts.size(), 1u);
    EXPECT_EQ(writer.drawing_texts[0].text, "");
    writer.write_vertical_texts();
    const std::vector<entity> lines = of_type(written(), "LINE");
    ASSERT_EQ(lines.size(), 3u);
    expect_segment(lines[1], {20000, 3240, 20000, 3490}, 1e-9);
}

TEST_F(VerticalTexts, ATankNodeIsDescribedByItsObjectText) {
    node(1).obiekt = "EPURBLOC 2000";
    node(1).kom = "opis";
    writer.add_node_description(0, 1);
    ASSERT_EQ(writer.drawing_texts.size(), 1u);
    EXPECT_EQ(writer.drawing_texts[0].text, "EPURBLOC 2000");
}

TEST_F(VerticalTexts, TheNodeLineStopsWhereTheObjectOfTheNodeSays) {
    // Node 1: pipe 99.80 (or 99.80/99.70 where two values are given),
    // terrain 102.10, datum 96, 1000 units a metre of height and of layout.
    model().project.sumps.resize(1);
    mat_studzienka& sump = model().project.sumps[0];
    sump.adds.node_name = "S1";
    sump.bottom = 95200;
    sump.bottom_thickness = 2000;
    struct Case {
        const char* object;
        std::string comment;
        std::string vars;
        value_pair pipe;
        bool to_terrain;
        bool single_line;
        double diameter;
        double top;
    };
    const Case cases[] = {
        {"", "", "", value_pair(99.8), false, false, 200, 3790},
        {"", "", "", value_pair(99.8), true, false, 200, 6100},
        // The sump's bottom 95.20 less 0.2 m of bottom and 0.03: 94.97.
        {"sump", "", "", value_pair(99.8), false, false, 200, -1030},
        {"rewizyjna", "", "", value_pair(99.8, 99.7), false, false, 200, 3670},
        {"rewizyjna", "@0.4/101.5", "", value_pair(99.8), false, false, 200, 5500},
        {"wodomierzowa", "", "", value_pair(99.8), false, false, 200, 3670},
        {"spust", "", "", value_pair(99.8), false, false, 200, 3470},
        // 0.5 q U = 100 under the pipe, or the quarter of a larger diameter.
        {"zawor", "", "", value_pair(99.8), false, false, 200, 3700},
        {"zawor", "", "", value_pair(99.8), false, false, 800, 3600},
        {"zawor", "", "", value_pair(99.8), false, true, 800, 3700},
        {"Hydrant nadz.", "", "|0", value_pair(99.8), false, false, 200, 3700},
        {"Hydrant nadz.", "", "|1", value_pair(99.8), false, false, 200, 3790},
        {"szafka", "", "", value_pair(99.8), false, false, 200, 3700},
        // The branch: axis 99.0 less the radius 0.08 lies below the pipe.
        {"trójnik"_cp, "", "160|99.0|", value_pair(99.8), false, false, 200, 2920},
        {"trójnik"_cp, "", "160|99.0|", value_pair(99.8), true, false, 200, 6100},
        {"rów"_cp, "", "101.0", value_pair(99.8), false, false, 200, 4950},
        {"sl-rr", "", "", value_pair(99.8, 99.6), false, false, 200, 3580.367},
        {"sl-rcolv", "", "", value_pair(99.8, 99.6), false, false, 200, 2686.843},
        {"kolizja", "@98.5/300", "", value_pair(99.8), false, false, 200, 2500},
        {"kolizja", "bez", "", value_pair(99.8), false, false, 200, 3790},
        {"Kolizja", "@98.5/300", "", value_pair(99.8), false, false, 200, 3790},
    };
    for (const Case& c : cases) {
        writer.drawing_texts.clear();
        topcje->cb_VerticalLinesToTerrainLine->SetChecked(c.to_terrain);
        topcje->cb_1PipeLine->SetChecked(c.single_line);
        wezel& w = node(1);
        w.obiekt = c.object;
        w.wez = "S1";
        w.kom = c.comment;
        w.var = c.vars;
        w.dno = c.pipe;
        w.fi = value_pair(c.diameter);
        writer.add_node_description(0, 1);
        ASSERT_FALSE(writer.drawing_texts.empty()) << c.object;
        EXPECT_NEAR(writer.drawing_texts[0].y, c.top, 1e-6) << c.object << " " << c.comment << " " << c.vars;
    }
}

}  // namespace
