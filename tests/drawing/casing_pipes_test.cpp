// Casing pipes on the profile read back from the groups they write: the
// two lines piece by piece over the segments, the description's anchor
// and the values they give the table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drawing/annotation_fixture.h"

namespace {

using namespace annotation_test;

// The sheet of the fixture: segment 0 from x 5000 to 9000 (chainage 0 to
// 20, 200 units a metre, pipe 100.00 to 99.80), segment 1 from 9000 to
// 12000 (20 to 50, 100 units a metre, 99.70 to 99.40), datum 96. A casing
// pipe of 400 mm around the 200 mm pipe lies 0.1 m below the pipe bottom.
class CasingPipes : public AnnotationTest {
protected:
    CasingPipes() {
        Form1->cb_ProtectingPipeDescLikeInEditor->SetChecked(true);
        topcje->cb_ProtectingTubesDescPlace->SetItemIndex(0);
        for (TCheckBox* c : {topcje->cb_ProtTubesDistance, topcje->cb_ProtTubesEndDistance,
                             topcje->cb_ProtTubesOrdinate, topcje->cb_ProtTubesEndOrdinate})
            c->SetChecked(false);
    }

    // A casing pipe anchored at node `node` (its chainage copied), `distance`
    // from it, `length` long, described by its length.
    static oslonowa casing(int node, double distance, double length) {
        oslonowa o;
        o.node_id = static_cast<uint16_t>(node + 1);
        o.chainage = profile().nodes[static_cast<std::size_t>(node)].odl;
        o.distance = distance;
        o.length = length;
        o.diameter = 400;
        o.kind = "PE";
        o.description = "@t L=@l";
        profile().casings.push_back(o);
        return o;
    }

    struct piece {
        double x1, y1, x2, y2;
    };

    // Every piece's lower line; each has its upper line 0.4 m above it.
    static std::vector<piece> pieces(const DXF_Writer& w) {
        const auto lines = of_type(entities_of(w), "LINE");
        EXPECT_EQ(lines.size() % 2, 0u);
        std::vector<piece> out;
        for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
            const entity& low = lines[i];
            const entity& high = lines[i + 1];
            EXPECT_EQ(low.value(8), "Oslony");
            EXPECT_EQ(low.value(62), "4");
            expect_point(high.point(10), low.number(10), low.number(20) + 400, "upper line");
            expect_point(high.point(11), low.number(11), low.number(21) + 400, "upper line");
            out.push_back({low.number(10), low.number(20), low.number(11), low.number(21)});
        }
        return out;
    }

    static void expect_pieces(const std::vector<piece>& got, const std::vector<piece>& expected,
                              const std::string& what) {
        ASSERT_EQ(got.size(), expected.size()) << what;
        for (std::size_t i = 0; i < got.size(); ++i) {
            const std::string which = what + " piece " + std::to_string(i);
            EXPECT_NEAR(got[i].x1, expected[i].x1, 1e-6) << which;
            EXPECT_NEAR(got[i].y1, expected[i].y1, 1e-6) << which;
            EXPECT_NEAR(got[i].x2, expected[i].x2, 1e-6) << which;
            EXPECT_NEAR(got[i].y2, expected[i].y2, 1e-6) << which;
        }
    }
};

TEST_F(CasingPipes, EachPieceFollowsItsOwnSegmentsSlopeAndScale) {
    struct Case {
        const char* what;
        int node;
        double distance, length;
        std::vector<piece> expected;
    };
    const Case cases[] = {
        // 30 m from 5 m into the 20 m segment: 15 m on each segment.
        {"over two segments", 0, 5, 30, {{6000, 3850, 9000, 3700}, {9000, 3600, 10500, 3450}}},
        // At the node itself it starts 0.01 m inside the segment after it.
        {"from a node", 1, 0, 10, {{9001, 3599.9, 10001, 3499.9}}},
        // A negative length ends at the anchor.
        {"backwards", 1, 5, -10, {{8000, 3750, 9000, 3700}, {9000, 3600, 9500, 3550}}},
        // Before the first node, on the first segment's slope from the first level.
        {"before the profile", 0, -8, 5, {{3400, 3980, 4400, 3930}}},
        // Only up to the last node.
        {"past the end", 1, 25, 10, {{11500, 3350, 12000, 3300}}},
        {"after the end", 2, 2, 3, {}},
    };
    for (const Case& c : cases) {
        DXF_Writer w("x.dxf");
        w.draw_casing_pipe(casing(c.node, c.distance, c.length), 96, 0);
        expect_pieces(pieces(w), c.expected, c.what);
    }
}

TEST_F(CasingPipes, TheStartSitsOnThePipeAsDrawnBetweenTheSymbolEdges) {
    // The pipe drawn from 1 m after node 0 (x 5200) to 1 m before node 1
    // (x 8900) falls 0.2 m over 18.5 m.
    profile().nodes[0].drawing_position[0].s2 = 5200;
    profile().nodes[1].drawing_position[0].s1 = 8900;
    writer.draw_casing_pipe(casing(0, 5, 10), 96, 0);
    const double drawn_slope = 0.2 * 200 / 3700 * 100;
    const double y1 = (99.95 + 0.01 * 200 * drawn_slope / 200 - 0.1 - 96) * 1000;
    expect_pieces(pieces(writer), {{6000, y1, 8000, y1 - 100}}, "on the drawn pipe");
}

TEST_F(CasingPipes, TheDescriptionStandsAtTheStartTheMiddleOrTheEnd) {
    struct Case {
        int place;
        int node;
        double distance, length;
        double x, y;
    };
    const Case cases[] = {
        {0, 0, 5, 30, 6000, 3850},
        {2, 0, 5, 30, 10500, 3450},
        // Longer than its segment: the middle found afresh, chainage 20 on
        // the second segment.
        {1, 0, 5, 30, 9000, 3600},
        // Within one segment: the middle of its lower line.
        {1, 0, 5, 10, 7000, 3800},
        // Past the last node the middle of what was drawn.
        {1, 1, 25, 10, 11750, 3325},
        // Wholly after the last node: nothing drawn, the text still at
        // its start on the last level.
        {0, 2, 2, 3, 12200, 3300},
        {1, 2, 2, 3, 12350, 3300},
        {2, 2, 2, 3, 12200, 3300},
    };
    for (const Case& c : cases) {
        topcje->cb_ProtectingTubesDescPlace->SetItemIndex(c.place);
        DXF_Writer w("x.dxf");
        profile().casings.clear();
        w.draw_casing_pipe(casing(c.node, c.distance, c.length), 96, 0);
        ASSERT_EQ(w.drawing_texts.size(), 1u) << c.place;
        const tekst& t = w.drawing_texts[0];
        const std::string what = std::to_string(c.place) + " at " + std::to_string(c.node);
        EXPECT_NEAR(t.position, c.x, 1e-6) << what;
        EXPECT_NEAR(t.y, c.y, 1e-6) << what;
        EXPECT_EQ(t.type, 'o');
        EXPECT_EQ(t.colour, 130);
        EXPECT_EQ(t.layer, "Oslony");
        EXPECT_EQ(t.second_flag, 0);
    }
}

TEST_F(CasingPipes, TheDescriptionComesFromTheEntryOrFromTheMainWindowsPattern) {
    writer.draw_casing_pipe(casing(0, 5, -12.5), 96, 0);
    ASSERT_EQ(writer.drawing_texts.size(), 1u);
    EXPECT_EQ(writer.drawing_texts[0].text, "PE L=12,5");

    Form1->cb_ProtectingPipeDescLikeInEditor->SetChecked(false);
    Form1->e_ProtectingPipeDescription->SetText("@_to_typ fi @_to_srednica");
    DXF_Writer w("x.dxf");
    w.draw_casing_pipe(profile().casings[0], 96, 0);
    ASSERT_EQ(w.drawing_texts.size(), 1u);
    EXPECT_EQ(w.drawing_texts[0].text, "PE fi 400,00");

    // An empty description joins nothing; the pipe is drawn all the same.
    Form1->e_ProtectingPipeDescription->SetText("");
    DXF_Writer empty("x.dxf");
    empty.draw_casing_pipe(profile().casings[0], 96, 0);
    EXPECT_TRUE(empty.drawing_texts.empty());
    EXPECT_EQ(pieces(empty).size(), 1u);
}

TEST_F(CasingPipes, TheElementsFlagsHideTheLinesButNotTheDescription) {
    settings().line_defs[element_oslon].media = "w";  // not for this sewer
    writer.draw_casing_pipe(casing(0, 5, 10), 96, 0);
    EXPECT_TRUE(of_type(entities_of(writer), "LINE").empty());
    EXPECT_EQ(writer.drawing_texts.size(), 1u);
}

// The chainages and pipe levels of the ends go through the table's
// band-value writer: the start 5 and the end 35 with the pipe there (99.95
// and 99.55) in the casing style's colour; past the last node the level follows the last
// node's, never "no value".
TEST_F(CasingPipes, TheEndsChainagesAndPipeLevelsGoIntoTheTable) {
    row("dno").shown = true;
    row("odleglosc").shown = true;
    for (TCheckBox* c : {topcje->cb_ProtTubesDistance, topcje->cb_ProtTubesEndDistance,
                         topcje->cb_ProtTubesOrdinate, topcje->cb_ProtTubesEndOrdinate})
        c->SetChecked(true);
    writer.draw_casing_pipe(casing(0, 5, 30), 96, 0);
    std::vector<std::pair<std::string, std::string>> values;
    for (const entity& t : of_type(entities_of(writer), "TEXT")) values.emplace_back(t.value(1), t.value(62));
    EXPECT_EQ(values, (std::vector<std::pair<std::string, std::string>>{
                          {"5,00", "130"}, {"35,00", "130"}, {"99,95", "130"}, {"99,55", "130"}}));

    DXF_Writer w("x.dxf");
    profile().rzedna = 1;  // written at the pipe's axis
    w.draw_casing_pipe(casing(1, 25, 10), 96, 0);
    values.clear();
    for (const entity& t : of_type(entities_of(w), "TEXT")) values.emplace_back(t.value(1), t.value(62));
    EXPECT_EQ(values, (std::vector<std::pair<std::string, std::string>>{
                          {"45,00", "130"}, {"55,00", "130"}, {"99,55", "130"}, {"99,50", "130"}}));
}

}  // namespace
