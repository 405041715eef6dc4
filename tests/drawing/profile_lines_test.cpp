// The lines along a profile on the profile sheet: the pipe of each segment
// with its outlines, steps, trench bottom, backfill and axis, the flow
// arrow, the drop pipes into sumps and the user-defined lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "drawing/profile_lines.h"
#include "drawing/sheet_entities.h"
#include "model/records.h"
#include "platform/cp1250.h"

using namespace sheet_test;

namespace {

using strings = std::vector<std::string>;

class ProfileLines : public SheetTest {
protected:
    // "P1": nodes at 0, 40 and 100 m, pipe 100.00, 99.80 and 99.50, 200 mm;
    // Fx 200, Fy 1000, datum 96.
    uint16_t p1() { return profile({0, 40, 100}, {100.00, 99.80, 99.50}, 200); }

    std::vector<entity> drawn(uint16_t p) {
        writer.draw_pipes_and_objects(p);
        return entities_of(writer);
    }

    static strings sorted(strings s) {
        std::sort(s.begin(), s.end());
        return s;
    }

    mat_studzienka& sump_at(const std::string& node_name, char kind = 's') {
        mat_studzienka s;
        s.adds.node_name = node_name;
        s.kind = kind;
        model().project.sumps.push_back(s);
        return model().project.sumps.back();
    }
};

TEST_F(ProfileLines, TwoOutlineLinesRunFromNodeToNodeInThePipeColour) {
    const uint16_t p = p1();
    const auto all = drawn(p);
    const auto pipe = of(all, "LINE", "E1");
    EXPECT_EQ(sorted(ends_of(pipe)), sorted({"(0, 4000)-(8000, 3800)", "(0, 4200)-(8000, 4000)",
                                             "(8000, 3800)-(20000, 3500)", "(8000, 4000)-(20000, 3700)"}));
    for (const entity& l : pipe) EXPECT_EQ(l.value(62), "5");
    // Nothing else: no bedding, no backfill, no axis below its diameter.
    EXPECT_EQ(all.size(), pipe.size());
    // Where each pipe ends and starts, for the lines that follow the pipe.
    const auto& nodes = model().profiles[p].nodes;
    EXPECT_DOUBLE_EQ(nodes[0].drawing_position[0].s1, 0);
    EXPECT_DOUBLE_EQ(nodes[0].drawing_position[0].s2, 0);
    EXPECT_DOUBLE_EQ(nodes[1].drawing_position[0].s1, 8000);
    EXPECT_DOUBLE_EQ(nodes[1].drawing_position[0].s2, 8000);
    EXPECT_DOUBLE_EQ(nodes[2].drawing_position[0].s1, 20000);
    EXPECT_DOUBLE_EQ(nodes[2].drawing_position[0].s2, 20000);
}

TEST_F(ProfileLines, ASingleLineStandsAtTheLevelTheOrdinatesAreEnteredAt) {
    struct Case {
        bool single;
        int mode;  // "dna", "osi", "góry"
        strings first_segment;
    };
    const Case cases[] = {
        {true, 0, {"(0, 4000)-(8000, 3800)"}},
        {true, 1, {"(0, 4100)-(8000, 3900)"}},  // on the axis
        {true, 2, {"(0, 4200)-(8000, 4000)"}},
        {false, 1, {"(0, 4000)-(8000, 3800)", "(0, 4200)-(8000, 4000)"}},
    };
    for (const Case& c : cases) {
        model().profiles.clear();
        writer.out().take();
        topcje->cb_1PipeLine->SetChecked(c.single);
        Form1->rg_PipeOrdinateMode->SetItemIndex(c.mode);
        const uint16_t p = profile({0, 40}, {100.00, 99.80}, 200);
        model().profiles[p].rzedna = static_cast<uint8_t>(c.mode);
        EXPECT_EQ(sorted(ends_of(of(drawn(p), "LINE", "E1"))), sorted(c.first_segment))
            << c.single << " " << c.mode;
    }
}

TEST_F(ProfileLines, TwoDiametersAtANodeOutlineTheSecondAroundTheSameAxis) {
    // 110 and 160 mm: 25 mm below the bottom line and 25 mm above the top
    // (or the single) line.
    for (const bool single : {false, true}) {
        model().profiles.clear();
        writer.out().take();
        topcje->cb_1PipeLine->SetChecked(single);
        const uint16_t p = profile({0, 40}, {100.00, 99.80}, 110);
        model().profiles[p].nodes[0].fi = value_pair(110, 160);
        const strings expected =
            single ? strings{"(0, 4000)-(8000, 3800)", "(0, 3975)-(8000, 3775)", "(0, 4025)-(8000, 3825)"}
                   : strings{"(0, 4000)-(8000, 3800)", "(0, 3975)-(8000, 3775)", "(0, 4110)-(8000, 3910)",
                             "(0, 4135)-(8000, 3935)"};
        EXPECT_EQ(ends_of(of(drawn(p), "LINE", "E1")), expected) << single;
    }
}

TEST_F(ProfileLines, TheAxisIsDrawnFromItsDiameterOn) {
    settings().draw_axis_from = 350;
    for (const double diameter : {300.0, 400.0}) {
        model().profiles.clear();
        writer.out().take();
        const uint16_t p = profile({0, 40}, {100.00, 99.80}, diameter);
        const strings axis = ends_of(of(drawn(p), "LINE", "E9"));
        if (diameter < 350)
            EXPECT_TRUE(axis.empty());
        else
            EXPECT_EQ(axis, strings{"(0, 4200)-(8000, 4000)"});
    }
}

TEST_F(ProfileLines, TheTrenchBottomAndTheBackfillFollowThePipe) {
    settings().bedding_height = 0.1;
    settings().sidefill_height = 0.3;
    const uint16_t p = profile({0, 40}, {100.00, 99.80}, 200);
    const auto all = drawn(p);
    EXPECT_EQ(ends_of(of(all, "LINE", "E2")), strings{"(0, 3900)-(8000, 3700)"});
    EXPECT_EQ(ends_of(of(all, "LINE", "E13")), strings{"(0, 4500)-(8000, 4300)"});

    // Without bedding the trench bottom is drawn at the pipe only when the
    // pipe itself is not; with the pipe and the trench both off nothing of
    // the pipe is drawn, not even the axis.
    settings().bedding_height = 0;
    settings().sidefill_height = 0;
    settings().line_defs[element_rura].draw = false;
    writer.out().take();
    const auto without_pipe = drawn(p);
    EXPECT_EQ(ends_of(of(without_pipe, "LINE", "E2")), strings{"(0, 4000)-(8000, 3800)"});
    EXPECT_TRUE(of(without_pipe, "LINE", "E1").empty());

    settings().line_defs[element_dno_wyk].draw = false;
    settings().draw_axis_from = 0;
    writer.out().take();
    EXPECT_TRUE(drawn(p).empty());
}

TEST_F(ProfileLines, TheFlowArrowStandsOverTheFirstSegmentOnly) {
    topcje->cb_MarkFlowDirect->SetChecked(true);
    const uint16_t p = p1();
    const auto arrow = of(drawn(p), "LINE", "E7");
    // One arrow: its shaft and two strokes. 0.1 m above the crown, falling
    // with the 0.5 % slope drawn at Fy / Fx.
    ASSERT_EQ(arrow.size(), 3u);
    EXPECT_EQ(ends(arrow[0]), "(100, 4300)-(400, 4292.5)");
    EXPECT_DOUBLE_EQ(arrow[1].x(11), 400);  // the head at the right end

    // Flow from right to left: the head at the left end.
    model().profiles[p].pl2r_wart = false;
    writer.out().take();
    const auto back = of(drawn(p), "LINE", "E7");
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(ends(back[0]), "(400, 4292.5)-(100, 4300)");
}

TEST_F(ProfileLines, APipeSeriesGivesItsNodeItsColour) {
    topcje->rg_PipeLineColor->SetItemIndex(1);
    mat_rura_typosz series;
    series.adds.cad_color = 77;
    model().project.pipe_series.push_back(series);
    const uint16_t p = p1();
    wezel& first = model().profiles[p].nodes[0];
    first.series_index = 0;
    first.size_index = 0;
    const int stored = settings().line_defs[element_rura].color;
    for (const entity& l : of(drawn(p), "LINE", "E1"))
        EXPECT_EQ(l.value(62), l.x(10) < 8000 ? "77" : "5") << ends(l);
    EXPECT_EQ(writer.node_pipe_colour(p, 1), 5);
    EXPECT_EQ(settings().line_defs[element_rura].color, stored);
    // Without the setting every node takes the sheet's colour.
    topcje->rg_PipeLineColor->SetItemIndex(0);
    EXPECT_EQ(writer.node_pipe_colour(p, 0), 5);
}

TEST_F(ProfileLines, ABendRadiusOverHalfTheLengthMakesTheSegmentABend) {
    settings().draw_axis_from = 100;
    struct Case {
        double radius;
        bool bend;
    };
    for (const Case c : {Case{50, true}, Case{-30, true}, Case{20, false}, Case{0, false}}) {
        model().profiles.clear();
        writer.out().take();
        writer.bend_blocks.clear();
        const uint16_t p = profile({0, 40}, {100.00, 99.80}, 200);
        model().profiles[p].nodes[0].rad = c.radius;
        const auto all = drawn(p);
        const auto inserts = of(all, "INSERT");
        const std::string what = "r " + std::to_string(c.radius);
        if (!c.bend) {
            EXPECT_TRUE(inserts.empty()) << what;
            EXPECT_EQ(of(all, "LINE", "E1").size(), 2u) << what;
            continue;
        }
        // Invert and crown share one block; the axis has its own.
        ASSERT_EQ(writer.bend_blocks.size(), 2u) << what;
        ASSERT_EQ(inserts.size(), 3u) << what;
        EXPECT_EQ(inserts[0].value(2), "ARC_0_0_1");
        EXPECT_DOUBLE_EQ(inserts[0].y(), 4000);
        EXPECT_EQ(inserts[1].value(2), "ARC_0_0_9");
        EXPECT_EQ(inserts[2].value(2), "ARC_0_0_1");
        EXPECT_DOUBLE_EQ(inserts[2].y(), 4200);
        EXPECT_TRUE(of(all, "LINE", "E1").empty()) << what;
    }
}

TEST_F(ProfileLines, AChangeOfDiameterAtAPlainNodeShowsItsStepsInBothLines) {
    // Ordinates entered at the axis: at node 2 the axis goes on at the
    // same level, so the bottom steps down 50 mm and the top up 50 mm.
    Form1->rg_PipeOrdinateMode->SetItemIndex(1);
    const uint16_t p = profile({0, 40, 100, 150}, {100.00, 99.80, 99.50, 99.30}, 200);
    odcinek& o = model().profiles[p];
    o.rzedna = 1;
    o.nodes[1].dno = value_pair(99.80, 99.75);
    o.nodes[1].fi = value_pair(300);
    o.nodes[2].fi = value_pair(300);
    o.nodes[3].fi = value_pair(300);
    strings steps;
    for (const entity& l : of(drawn(p), "LINE", "E1"))
        if (l.x(10) == l.x(11)) steps.push_back(ends(l));
    EXPECT_EQ(sorted(steps), sorted({"(8000, 3800)-(8000, 3750)", "(8000, 4050)-(8000, 4000)"}));
}

TEST_F(ProfileLines, ATankNodeHasNoSegmentToTheNextNode) {
    const uint16_t p = p1();
    model().profiles[p].nodes[1].obiekt = "osadnik";
    for (const entity& l : of(drawn(p), "LINE", "E1")) EXPECT_LT(l.x(10), 8000) << ends(l);
}

TEST_F(ProfileLines, TheCollectingSumpLinesBelongToTheOneSegmentBeforeIt) {
    // Node 1 is a distributing sump, node 2 an aerating one: the two lines
    // below go under the segment into node 2, and no later segment.
    const uint16_t p = profile({0, 40, 80, 120, 160}, {100.00, 99.80, 99.60, 99.40, 99.20}, 200);
    odcinek& o = model().profiles[p];
    o.nodes[1].obiekt = "sump";
    o.nodes[2].obiekt = "sump";
    sump_at("W2", 'r').diameter = 0;
    sump_at("W3", 'n').diameter = 0;
    std::vector<entity> low;
    for (const entity& l : of(drawn(p), "LINE", "E1"))
        if (l.y(10) < 3000) low.push_back(l);
    // 1.1 and 1.21 m below the crown (4000 to 3800), from the pipe's start
    // to 0.35 m at the node's factor past its end.
    ASSERT_EQ(low.size(), 2u);
    const double start = o.nodes[1].drawing_position[0].s2;
    const double end = o.nodes[2].drawing_position[0].s1 + 0.35 * 200;
    const double ys[2][2] = {{2900, 2700}, {2790, 2590}};
    for (int k = 0; k < 2; ++k) {
        EXPECT_NEAR(low[static_cast<std::size_t>(k)].x(10), start, 1e-9);
        EXPECT_NEAR(low[static_cast<std::size_t>(k)].x(11), end, 1e-9);
        EXPECT_NEAR(low[static_cast<std::size_t>(k)].y(10), ys[k][0], 1e-6);
        EXPECT_NEAR(low[static_cast<std::size_t>(k)].y(11), ys[k][1], 1e-6);
    }
}

TEST_F(ProfileLines, ADrainShowsItsGravelAndSandLayersUnderThePipe) {
    // A drain from a distribution box to a closing box: no trench bottom
    // or backfill, the layers below the crown with their heights.
    settings().bedding_height = 0.1;
    settings().sidefill_height = 0.3;
    settings().gravel_layer_height = 0.3;
    settings().sand_layer_height = 0.4;
    Form1->cb_MarkDrainageLayersOnDrawing->SetChecked(true);
    const uint16_t p = profile({0, 40}, {100.00, 99.80}, 200);
    odcinek& o = model().profiles[p];
    o.nodes[0].obiekt = "sl-rr";
    o.nodes[1].obiekt = "sl-rbou";
    const auto all = drawn(p);
    const double xa = o.nodes[0].drawing_position[0].s2;
    const double xb = o.nodes[1].drawing_position[0].s1;
    EXPECT_GT(xa, 0);
    const auto layers = of(all, "LINE", "E2");
    ASSERT_EQ(layers.size(), 2u);
    EXPECT_TRUE(of(all, "LINE", "E13").empty());
    const double ys[2][2] = {{3900, 3700}, {3500, 3300}};
    for (std::size_t k = 0; k < 2; ++k) {
        EXPECT_NEAR(layers[k].x(10), xa, 1e-9);
        EXPECT_NEAR(layers[k].x(11), xb, 1e-9);
        EXPECT_NEAR(layers[k].y(10), ys[k][0], 1e-6);
        EXPECT_NEAR(layers[k].y(11), ys[k][1], 1e-6);
    }
    const auto texts = of(all, "TEXT");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].value(1), "żwir h=0,30"_cp);
    EXPECT_EQ(texts[1].value(1), "piasek h=0,40");
    EXPECT_NEAR(texts[0].x(), xa + 500, 1e-9);
    EXPECT_NEAR(texts[0].y(), 3900, 1e-6);
    EXPECT_NEAR(texts[0].number(40), 140, 1e-9);  // 0.05 below the style's 0.19
    EXPECT_EQ(texts[0].layer(), "Komentarze");
    EXPECT_TRUE(writer.drawing_texts.empty());

    // Without the option, no layers.
    Form1->cb_MarkDrainageLayersOnDrawing->SetChecked(false);
    writer.out().take();
    EXPECT_TRUE(of(drawn(p), "TEXT").empty());
}

class DropPipes : public ProfileLines {
protected:
    // P1 with a sump at node 2 whose bottom lies `fall` below the pipe.
    uint16_t with_sump(double fall, bool always) {
        const uint16_t p = p1();
        model().profiles[p].nodes[1].obiekt = "sump";
        mat_studzienka& s = sump_at("W2");
        s.diameter = 0;
        s.drop_size = -200;
        s.drop = always;
        s.thickness = 0;
        s.bottom = static_cast<int32_t>(std::lround((99.80 - fall) * 1000));
        return p;
    }
};

TEST_F(DropPipes, ADropPipeGoesDownOnlyPastTheThresholdOrWhenTheSumpAsks) {
    struct Case {
        double fall;
        bool always;
        bool drawn;
    };
    for (const Case c : {Case{0.45, false, false}, Case{0.55, false, true}, Case{0.45, true, true}}) {
        model().profiles.clear();
        model().project.sumps.clear();
        writer.out().take();
        const uint16_t p = with_sump(c.fall, c.always);
        EXPECT_EQ(of(drawn(p), "ARC", "E1").size(), c.drawn ? 2u : 0u) << c.fall << " " << c.always;
    }
}

TEST_F(DropPipes, TheDropOnTheIncomingSideRunsFromTheElbowUpToThePipe) {
    const uint16_t p = with_sump(0.55, false);
    const auto all = drawn(p);
    const wezel& n = model().profiles[p].nodes[1];
    const double a = (n.drawing_position[0].s2 - n.drawing_position[0].s1) / 2;
    // The bottom at 99.25 m: the elbow at 3250; inner line 0.2 m of
    // diameter in, outer 0.4 m, on the left (the incoming side).
    const auto arcs = of(all, "ARC", "E1");
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_NEAR(arcs[0].x(), 8000 - a, 1e-9);
    EXPECT_NEAR(arcs[0].y(), 3250 + 200 + 40, 1e-9);
    EXPECT_NEAR(arcs[0].number(40), 40, 1e-9);
    EXPECT_NEAR(arcs[0].number(50), 180, 1e-9);
    EXPECT_NEAR(arcs[0].number(51), 270, 1e-9);
    EXPECT_NEAR(arcs[1].y(), 3250 + 80, 1e-9);
    EXPECT_NEAR(arcs[1].number(40), 80, 1e-9);
    strings verticals;
    for (const entity& l : of(all, "LINE", "E1"))
        if (l.x(10) == l.x(11)) verticals.push_back(ends(l));
    auto at = [&](double dx, double y1, double y2) {
        entity l{"LINE", {{10, std::to_string(8000 - a - dx)}, {20, std::to_string(y1)},
                          {11, std::to_string(8000 - a - dx)}, {21, std::to_string(y2)}}};
        return ends(l);
    };
    EXPECT_EQ(sorted(verticals), sorted({at(40, 3490, 3800), at(80, 3330, 3800)}));
}

TEST_F(DropPipes, ARaisedElbowIsMarkedAndAThickWallIsCrossedAtThePipe) {
    const uint16_t p = with_sump(0.55, false);
    model().project.sumps[0].drop_corr_y = 100;  // the elbow 0.1 m higher
    model().project.sumps[0].thickness = 1000;   // a wall of 0.1 m
    const auto all = drawn(p);
    const wezel& n = model().profiles[p].nodes[1];
    // To the wall's outer face: half the gap between the pipes and the wall.
    const double a = (n.drawing_position[0].s2 - n.drawing_position[0].s1) / 2 + 0.1 * 200;
    const double x_outer = 8000 - (80 + a);
    // The level line at the elbow; the ordinate mark's own leaders stand
    // above it.
    std::vector<entity> mark;
    for (const entity& l : of(all, "LINE", "E7"))
        if (std::abs(l.y(10) - 3350) < 1e-6 && std::abs(l.y(11) - 3350) < 1e-6) mark.push_back(l);
    ASSERT_EQ(mark.size(), 1u);
    EXPECT_NEAR(mark[0].x(10), 8000 - a, 1e-9);
    EXPECT_NEAR(mark[0].x(11), x_outer - 200, 1e-9);
    EXPECT_NEAR(mark[0].y(10), 3350, 1e-6);
    EXPECT_NEAR(mark[0].y(11), 3350, 1e-6);
    // Through the wall at the top and the bottom of the pipe, back toward
    // the node.
    strings wall;
    for (const entity& l : of(all, "LINE", "E1"))
        if (l.y(10) == l.y(11) && l.y(10) < 3700) {
            EXPECT_NEAR(l.x(10), 8000 - a, 1e-9);
            EXPECT_NEAR(l.x(11), 8000 - a + 20, 1e-9);
            wall.push_back(std::to_string(std::lround(l.y(10))));
        }
    EXPECT_EQ(sorted(wall), sorted({"3350", "3550"}));
}

TEST_F(DropPipes, ASumpNodeWithoutAProjectSumpHasNoDropWhateverTheWorkingCopyHolds) {
    const uint16_t p = with_sump(0.55, false);
    // The working copy still holds that sump, but the node's own is gone.
    model().project.sump_copy = model().project.sumps[0];
    model().project.sumps[0].adds.node_name = "elsewhere";
    EXPECT_TRUE(of(drawn(p), "ARC").empty());
}

// ---- terrain and auxiliary lines -------------------------------------------

// The lines themselves are drawn by the auxiliary-line routine.
TEST_F(ProfileLines, EachLineIsDrawnOnlyWhenItsElementIsDrawnForTheNetwork) {
    const uint16_t p = p1();
    odcinek& o = model().profiles[p];
    const double terrain[] = {102.40, 102.10, 101.60};
    for (std::size_t kind = 0; kind < 4; ++kind)
        for (std::size_t n = 0; n < 3; ++n) {
            teren t;
            t.chainage = o.nodes[n].odl;
            t.entered = t.used = value_pair(terrain[n] - 0.5 * static_cast<double>(kind));
            t.is_node = 1;
            t.index = static_cast<int32_t>(n);
            o.terrain_lines[kind].push_back(t);
        }
    o.terrain_lines[static_cast<std::size_t>(line_kind::line2)].resize(1);  // one point: nothing
    settings().line_defs[element_lin1].media = "w";                          // another network
    writer.draw_profile_lines(p);
    const auto all = entities_of(writer);
    EXPECT_FALSE(of(all, "LINE", "E0").empty());
    EXPECT_FALSE(of(all, "LINE", "E8").empty());
    EXPECT_TRUE(of(all, "LINE", "E3").empty());
    EXPECT_TRUE(of(all, "LINE", "E4").empty());
    EXPECT_FALSE(writer.sheet.ground_segments.empty());
}

// ---- user-defined lines ----------------------------------------------------

class UserLines : public ProfileLines {
protected:
    UserLines() {
        linia_def user;
        user.name = "Wodociąg"_cp;
        user.layer = "E12";
        user.color = 99;
        user.draw = true;
        user.media = "a";
        settings().line_defs.push_back(user);
    }
    const linia_def& user() const { return settings().line_defs.back(); }
};

TEST_F(UserLines, AUserLineStopsWhereAValueIsMissingAndStepsAtASump) {
    // A value that stands for nothing: the empty value, or what a failed
    // formula leaves.
    for (const double nothing : {0.0, std::numeric_limits<double>::quiet_NaN(), HUGE_VAL}) {
        model().profiles.clear();
        writer.out().take();
        const uint16_t p = profile({0, 40, 100, 150, 200}, {100, 99.8, 99.5, 99.3, 99.1}, 200);
        odcinek& o = model().profiles[p];
        o.nodes[0].temp = value_pair(101.0);
        o.nodes[1].temp = value_pair(101.5, 101.2);
        o.nodes[1].obiekt = "sump";
        o.nodes[2].temp = value_pair(101.0);
        o.nodes[3].temp = value_pair(102.0, nothing);
        o.nodes[4].temp = value_pair(102.0);
        draw_user_line_segments(writer, p, user());
        const auto lines = of(entities_of(writer), "LINE", "E12");
        EXPECT_EQ(ends_of(lines), (strings{"(0, 5000)-(8000, 5500)", "(8000, 5200)-(20000, 5000)",
                                           "(8000, 5500)-(8000, 5200)"}))
            << nothing;
        for (const entity& l : lines) EXPECT_EQ(l.value(62), "99");
    }
}

TEST_F(UserLines, ALineLikeThePipeRunsBetweenThePipeEndsAndStopsShortOfABuilding) {
    const uint16_t p = profile({0, 40, 100}, {100, 99.8, 99.5}, 200);
    odcinek& o = model().profiles[p];
    for (wezel& w : o.nodes) w.temp = value_pair(101.0);
    o.nodes[0].drawing_position[0].s2 = 300;
    o.nodes[1].drawing_position[0].s1 = 7700;
    o.nodes[1].drawing_position[0].s2 = 8300;
    o.nodes[2].drawing_position[0].s1 = 19500;
    o.nodes[2].obiekt = "budynek";
    settings().line_defs.back().like_pipe = true;
    draw_user_line_segments(writer, p, user());
    // The building pulls the end back by 0.25 m at the factor of the node
    // before it, whatever the flag.
    EXPECT_EQ(ends_of(of(entities_of(writer), "LINE", "E12")),
              (strings{"(300, 5000)-(7700, 5000)", "(8300, 5000)-(19950, 5000)"}));
}

TEST_F(UserLines, ALineWhoseRowIsGoneOrWhichIsNotDrawnIsSkipped) {
    const uint16_t p = p1();
    for (wezel& w : model().profiles[p].nodes) w.temp = value_pair(101.0);
    settings().profile_table_rows.clear();  // no row has the line's name
    writer.draw_user_lines(p);
    EXPECT_TRUE(entities_of(writer).empty());

    dane_pod_profil row;
    row.key = "user";
    row.title = "Wodociąg"_cp;
    settings().profile_table_rows.push_back(row);
    settings().line_defs.back().media = "w";  // not this profile's network
    writer.draw_user_lines(p);
    EXPECT_TRUE(entities_of(writer).empty());
}

}  // namespace
