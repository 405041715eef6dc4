#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "forms/rys1.h"
#include "forms/opcje.h"
#include "model/recalculation.h"
#include "model/state.h"
#include "model/terrain.h"
#include "platform/sysutils.h"
#include "support/fixture.h"
#include "support/model_builders.h"
#include "support/panel_values.h"

namespace {

class Terrain : public ProgramTest {
protected:
    Terrain() {
        panel_choices_as_values();
        model().empty_value = 0;
        model().slope_sign = 1;
        topcje->cb_InterpolationGroundExists->SetChecked(true);
        topcje->cb_ExtrapolationGroundExists->SetChecked(true);
        topcje->cb_InterpolationGroundProj->SetChecked(true);
        topcje->cb_ExtrapolationGroundProj->SetChecked(true);
        topcje->cb_TerrainProj->SetChecked(false);
    }
    static wezel& node(uint16_t p, std::size_t i) { return model().profiles[p].nodes[i]; }
    // Prepares and fills the existing terrain of the whole profile.
    static void fill_terrain(uint16_t p) {
        przygotuj_linie_terenu(p, line_terrain);
        interpolacja_rzednych_2(model().position_of(column_kind::ter), p, 0,
                                static_cast<int>(model().terrain_work.size()) - 1, false);
    }
};

void expect_pair(const value_pair& got, const value_pair& want, const std::string& where) {
    EXPECT_NEAR(got.s1, want.s1, 1e-9) << where << " s1";
    EXPECT_NEAR(got.s2, want.s2, 1e-9) << where << " s2";
}

TEST_F(Terrain, EmptyTerrainPointsAreInterpolatedAndExtrapolated) {
    const value_pair none(0, 0);
    const struct {
        const char* name;
        bool extrapolate;
        std::vector<value_pair> entered;  // at chainages 0, 10, 20, ...
        std::vector<value_pair> want;
    } cases[] = {
        {"between two values", true, {{100, 100}, none, none, {103, 103}},
         {{100, 100}, {101, 101}, {102, 102}, {103, 103}}},
        {"one value, level", true, {none, none, {100, 100}, none}, {{100, 100}, {100, 100}, {100, 100}, {100, 100}}},
        {"one value, no extrapolation", false, {none, none, {100, 100}, none},
         {none, none, {100, 100}, none}},
        {"drop at a node", true, {{102, 102}, none, {100, 99}, none, {97, 97}},
         {{102, 102}, {101, 101}, {100, 99}, {98, 98}, {97, 97}}},
        {"on the slope of the nearest two", true, {none, {100, 100}, {102, 102}, none},
         {{98, 98}, {100, 100}, {102, 102}, {104, 104}}},
        {"nothing entered", true, {none, none, none}, {none, none, none}},
    };
    uint16_t id = 1;
    for (const auto& c : cases) {
        topcje->cb_ExtrapolationGroundExists->SetChecked(c.extrapolate);
        const uint16_t p = add_profile(c.name, id++);
        for (std::size_t i = 0; i < c.entered.size(); ++i) {
            model().profiles[p].nodes.push_back(node_at(static_cast<uint16_t>(i + 1), 10.0 * static_cast<double>(i)));
            node(p, i).ter = c.entered[i];
            node(p, i).ter_used = value_pair(55);  // stale
        }
        fill_terrain(p);
        for (std::size_t i = 0; i < c.want.size(); ++i)
            expect_pair(node(p, i).ter_used, c.want[i], std::string(c.name) + " node " + std::to_string(i));
        EXPECT_EQ(model().profiles[p].terrain_lines[0].size(), c.entered.size()) << c.name;
    }
}

TEST_F(Terrain, DesignTerrainExtrapolationHasItsOwnSwitch) {
    const uint16_t p = add_profile("a", 1, {0, 10, 20});
    node(p, 1).terp = value_pair(50);
    topcje->cb_ExtrapolationGroundExists->SetChecked(true);
    topcje->cb_ExtrapolationGroundProj->SetChecked(false);
    przygotuj_linie_terenu(p, line_design_terrain);
    interpolacja_rzednych_2(model().position_of(column_kind::terp), p, 0, 2, false);
    expect_pair(node(p, 0).terp_used, {0, 0}, "before");
    expect_pair(node(p, 1).terp_used, {50, 50}, "entered");
    expect_pair(node(p, 2).terp_used, {0, 0}, "after");
    EXPECT_EQ(model().profiles[p].terrain_lines[1].size(), 3u);
}

TEST_F(Terrain, LinesAndPipeOrdinatesAreOnlyInterpolatedBetweenValues) {
    const uint16_t p = add_profile("a", 1, {0, 10, 20, 30});
    for (std::size_t i = 0; i < 4; ++i) node(p, i).lin_used = value_pair(7);
    node(p, 1).lin = value_pair(10);
    node(p, 3).lin = value_pair(13);
    przygotuj_linie_terenu(p, line_1);
    interpolacja_rzednych_2(model().position_of(column_kind::lin), p, 0, 3, false);
    expect_pair(node(p, 0).lin_used, {7, 7}, "outside keeps its value");
    expect_pair(node(p, 2).lin_used, {11.5, 11.5}, "between");

    node(p, 0).dno = value_pair(100);
    node(p, 3).dno = {97, 96};
    przygotuj_linie_terenu(p, line_pipe);
    interpolacja_rzednych_2(model().position_of(column_kind::dno), p, 0, 3, false);
    expect_pair(node(p, 1).dno, {99, 99}, "pipe 1");
    expect_pair(node(p, 2).dno, {98, 98}, "pipe 2");
    expect_pair(node(p, 3).dno, {97, 96}, "entered drop kept");
}

TEST_F(Terrain, OnePointLineTakesItsEnteredPairOrZero) {
    const uint16_t p = add_profile("a", 1, {0});
    node(p, 0).ter_used = value_pair(55);
    fill_terrain(p);
    expect_pair(node(p, 0).ter_used, {0, 0}, "empty");
    node(p, 0).ter = {101, 100};
    fill_terrain(p);
    expect_pair(node(p, 0).ter_used, {101, 100}, "entered");
}

TEST_F(Terrain, AdditionalOrdinatesAreInsertedByChainage) {
    const uint16_t p = add_profile("a", 1, {0, 10, 20});
    auto ordinate = [&](uint8_t code, double chainage, double distance, double value, const char* text) {
        rzedne_npm r;
        r.line_code = code;
        r.node_id = 1;
        r.chainage = chainage;
        r.distance = distance;
        r.ordinate = value_pair(value);
        r.description = text;
        model().profiles[p].ordinates.push_back(r);
    };
    ordinate(0, 10, 0, 1, "on node 1");     // 0: lies on its node, skipped
    ordinate(0, 0, 10, 2, "at node 1");     // 1: after node 1, which came before it
    ordinate(0, 0, 5, 90, "five");          // 2
    ordinate(3, 0, 7, 3, "line 1");         // 3: another line
    ordinate(8, 10, 5, 4, "design");        // 4
    ordinate(0, 20, -15, 6, "back");        // 5: at 5, after "five"
    node(p, 0).ter = value_pair(100);
    node(p, 2).ter = value_pair(100);

    fill_terrain(p);
    const auto& line = model().profiles[p].terrain_lines[0];
    const struct {
        double chainage;
        uint8_t is_node;
        int index;
    } want[] = {{0, 1, 0}, {5, 0, 2}, {5, 0, 5}, {10, 1, 1}, {10, 0, 1}, {20, 1, 2}};
    ASSERT_EQ(line.size(), std::size(want));
    for (std::size_t k = 0; k < line.size(); ++k) {
        EXPECT_EQ(line[k].chainage, want[k].chainage) << k;
        EXPECT_EQ(line[k].is_node, want[k].is_node) << k;
        EXPECT_EQ(line[k].index, want[k].index) << k;
    }
    EXPECT_EQ(line[1].text, "five");
    // The additional ordinates are values of the line: node 1 is filled
    // between the point at 5 (6) and the one after it at its own chainage (2).
    expect_pair(node(p, 1).ter_used, value_pair(2), "node 1");
    // Queries answer along the inserted points.
    EXPECT_NEAR(rzedna_terenu(p, 2.5), 95, 1e-9);
    EXPECT_NEAR(rzedna_terenu(p, 15), 51, 1e-9);

    // The design terrain takes code 8 while it is not filled from the
    // terrain, and the terrain's points ("^*") while it always is.
    przygotuj_linie_terenu(p, line_design_terrain);
    ASSERT_EQ(model().terrain_work.size(), 4u);
    EXPECT_EQ(model().terrain_work[2].text, "design");
    topcje->cb_TerrainProj->SetChecked(true);
    topcje->cb_AutoTerrainProjLikeTerrainExist->SetItemIndex(0);
    przygotuj_linie_terenu(p, line_design_terrain);
    EXPECT_EQ(model().terrain_work.size(), 3u);
    topcje->cb_AutoTerrainProjLikeTerrainExist->SetItemIndex(1);
    przygotuj_linie_terenu(p, line_design_terrain);
    ASSERT_EQ(model().terrain_work.size(), 6u);
    EXPECT_EQ(model().terrain_work[1].text, "^*five");

    // The volume line takes both: terrain points as existing only, design
    // points as design only.
    przygotuj_linie_terenu(p, line_volumes);
    ASSERT_EQ(model().terrain_work.size(), 7u);
    const teren& five = model().terrain_work[1];
    expect_pair(five.entered, {90, 90}, "volume terrain entered");
    expect_pair(five.used, {0, 0}, "volume terrain in use");
    const teren& design = model().terrain_work[5];
    EXPECT_EQ(design.chainage, 15);
    expect_pair(design.entered, {0, 0}, "volume design entered");
    expect_pair(design.used, {4, 4}, "volume design in use");
    // The pipe line takes no additional ordinate.
    przygotuj_linie_terenu(p, line_pipe);
    EXPECT_EQ(model().terrain_work.size(), 3u);
}

TEST_F(Terrain, LinePointsAreOrderedByChainageWhateverTheNodesOrder) {
    struct point {
        double chainage;
        uint8_t is_node;
        int index;
        bool operator==(const point&) const = default;
    };
    const struct {
        const char* name;
        std::vector<double> nodes;
        std::vector<double> distances;  // of additional points from chainage 0
        std::vector<point> want;
    } cases[] = {
        {"nodes in order", {0, 10, 20}, {15, 5, 10, 20},
         {{0, 1, 0}, {5, 0, 1}, {10, 1, 1}, {10, 0, 2}, {15, 0, 0}, {20, 1, 2}, {20, 0, 3}}},
        {"nodes out of order", {0, 20, 10}, {15, 5, 10, 20},
         {{0, 1, 0}, {5, 0, 1}, {10, 1, 2}, {10, 0, 2}, {15, 0, 0}, {20, 1, 1}, {20, 0, 3}}},
        {"before the first node", {5, 10}, {3, 1, 3},
         {{1, 0, 1}, {3, 0, 0}, {3, 0, 2}, {5, 1, 0}, {10, 1, 1}}},
        {"no additional points", {0, 7, 7, 3}, {}, {{0, 1, 0}, {3, 1, 3}, {7, 1, 1}, {7, 1, 2}}},
    };
    uint16_t id = 1;
    for (const auto& c : cases) {
        const uint16_t p = add_profile(c.name, id++);
        for (std::size_t i = 0; i < c.nodes.size(); ++i)
            model().profiles[p].nodes.push_back(node_at(static_cast<uint16_t>(i + 1), c.nodes[i]));
        for (double d : c.distances) {
            rzedne_npm r;
            r.node_id = 1;
            r.distance = d;
            model().profiles[p].ordinates.push_back(r);
        }
        przygotuj_linie_terenu(p, line_terrain);
        std::vector<point> got;
        for (const teren& t : model().terrain_work) got.push_back({t.chainage, t.is_node, t.index});
        EXPECT_EQ(got, c.want) << c.name;
    }
}

TEST_F(Terrain, EnteredHalvesReplaceThePairInUseAndNodeFieldsAreCopied) {
    const uint16_t p = add_profile("a", 1, {0, 12});
    node(p, 0).ter = {0, 101};
    node(p, 0).ter_used = {77, 77};
    przygotuj_linie_terenu(p, line_terrain);
    const teren& t = model().terrain_work[0];
    EXPECT_EQ(t.is_node, 1);
    EXPECT_EQ(t.chainage, 0);
    expect_pair(t.entered, {0, 101}, "entered");
    expect_pair(t.used, {77, 101}, "in use");
    EXPECT_EQ(model().terrain_work[1].index, 1);
}

TEST_F(Terrain, ProfileWithoutNodesGivesAnEmptyLine) {
    const uint16_t full = add_profile("full", 1, {0, 10});
    const uint16_t empty = add_profile("empty", 2);
    przygotuj_linie_terenu(full, line_terrain);
    ASSERT_EQ(model().terrain_work.size(), 2u);
    model().profiles[empty].terrain_lines[0] = model().terrain_work;
    przygotuj_linie_terenu(empty, line_terrain);
    EXPECT_TRUE(model().terrain_work.empty());
    EXPECT_TRUE(model().profiles[empty].terrain_lines[0].empty());
}

TEST_F(Terrain, InterpolationCommandEntersTheValuesBetweenTwoNodes) {
    const uint16_t p = add_profile("a", 1, {0, 10, 20, 30});
    node(p, 0).ter = value_pair(100);
    node(p, 1).ter = value_pair(50);  // overwritten: the command ignores values between
    node(p, 2).ter = value_pair(0);
    node(p, 3).ter = value_pair(103);
    rzedne_npm r;
    r.line_code = 0;
    r.node_id = 1;
    r.distance = 15;
    r.ordinate = value_pair(7);
    model().profiles[p].ordinates.push_back(r);
    przygotuj_linie_terenu(p, line_terrain);
    interpolacja_rzednych_2(model().position_of(column_kind::ter), p, 0, 4, true);
    expect_pair(node(p, 1).ter, {101, 101}, "entered 1");
    expect_pair(node(p, 2).ter, {102, 102}, "entered 2");
    expect_pair(node(p, 2).ter_used, {102, 102}, "in use 2");
    expect_pair(model().profiles[p].ordinates[0].ordinate, {101.5, 101.5}, "additional ordinate");
}

// Records the table refreshes the recalculation asks for.
struct RefreshView : model_view {
    std::vector<std::pair<uint16_t, bool>> refreshed;
    void odswiez_dane(uint16_t profile, bool flag) override { refreshed.emplace_back(profile, flag); }
};

TEST_F(Terrain, PipeInterpolationCommandKeepsTheReferenceLevelStraight) {
    RefreshView rec;
    scoped_view use(rec);
    Form1->rg_ManuallyValue->SetItemIndex(2);
    const struct {
        int mode;
        value_pair want;
    } cases[] = {{0, {99, 99}}, {1, {99.05, 98.95}}, {2, {99.1, 98.9}}};
    for (const auto& c : cases) {
        model().profiles.clear();
        const uint16_t p = add_profile("a", 1, {0, 10, 20});
        model().current_profile = p;
        model().profiles[p].stala = 3;  // nothing derived afterwards
        Form1->rg_PipeOrdinateMode->SetItemIndex(c.mode);
        // Node 1 is where the 200 mm pipe meets a 400 mm one.
        node(p, 0).fi = value_pair(200);
        node(p, 1).fi = value_pair(400);
        node(p, 1).dno = value_pair(50);
        node(p, 0).dno = value_pair(100);
        node(p, 2).dno = value_pair(98);
        przygotuj_linie_terenu(p, line_pipe);
        rec.refreshed.clear();
        interpolacja_rzednych_2(model().position_of(column_kind::dno), p, 0, 2, true);
        expect_pair(node(p, 1).dno, c.want, "mode " + std::to_string(c.mode));
        EXPECT_EQ(node(p, 0).dno, value_pair(100));
        EXPECT_EQ(node(p, 2).dno, value_pair(98));
        ASSERT_EQ(rec.refreshed.size(), 1u);  // recalculated, and the table refreshed
        EXPECT_EQ(rec.refreshed[0].first, p);
    }
}

TEST_F(Terrain, TerrainOrdinateAtAChainage) {
    const uint16_t p = add_profile("a", 1, {0, 10, 20});
    node(p, 0).ter = value_pair(100);
    node(p, 1).ter = {102, 101};
    node(p, 2).ter = value_pair(103);
    fill_terrain(p);
    const std::pair<double, double> cases[] = {
        {0, 100}, {5, 101}, {10, 102}, {15, 102}, {20, 103}, {-0.5, no_ordinate}, {20.5, no_ordinate},
    };
    for (const auto& [x, want] : cases) EXPECT_NEAR(rzedna_terenu(p, x), want, 1e-9) << x;

    const uint16_t one = add_profile("one", 2, {0});
    node(one, 0).ter = value_pair(100);
    fill_terrain(one);
    EXPECT_EQ(rzedna_terenu(one, 0), no_ordinate);

    // The design terrain answers from its own line.
    node(p, 0).terp = value_pair(90);
    node(p, 2).terp = value_pair(94);
    przygotuj_linie_terenu(p, line_design_terrain);
    interpolacja_rzednych_2(model().position_of(column_kind::terp), p, 0, 2, false);
    EXPECT_NEAR(rzedna_terenu_proj(p, 5), 91, 1e-9);
    EXPECT_NEAR(rzedna_terenu(p, 5), 101, 1e-9);
}

class Bottom : public Terrain {
protected:
    uint16_t p = 0;
    Bottom() {
        p = add_profile("a", 1, {0, 50, 100});
        node(p, 0).dno = value_pair(100);
        node(p, 0).spad = 2;
        node(p, 0).dlug = 50;
        node(p, 1).dno = {99, 98.5};
        node(p, 1).spad = 1;
        node(p, 1).dlug = 50;
        node(p, 2).dno = value_pair(98);
    }
};

TEST_F(Bottom, PipeBottomAtAChainage) {
    const struct {
        int8_t sign;
        double x;
        double ordinate, segment, slope;
    } cases[] = {
        {1, 0, 100, 0, 2},           {1, 25, 99.5, 0, 2},         {1, 50, 98.5, 1, 1},
        {1, 75, 98.25, 1, 1},        {1, 100, no_ordinate, 2, 1}, {1, 150, no_ordinate, 2, 1},
        {1, -1, no_ordinate, 0, 2},  {-1, 25, 100.5, 0, -2},      {-1, 100, no_ordinate, 2, -1},
    };
    for (const auto& c : cases) {
        model().slope_sign = c.sign;
        bottom_ordinate r;
        r.ordinate = 5;
        rzedna_dna(p, r, c.x);
        EXPECT_NEAR(r.ordinate, c.ordinate, 1e-9) << c.x << " sign " << int(c.sign);
        EXPECT_EQ(r.segment, c.segment) << c.x;
        EXPECT_EQ(r.slope, c.slope) << c.x << " sign " << int(c.sign);
    }
    bottom_ordinate none;
    rzedna_dna(add_profile("empty", 2), none, 0);
    EXPECT_EQ(none.ordinate, no_ordinate);
}

TEST_F(Bottom, PipeBottomAlongABendArc) {
    // A sag of radius 200 m between (0, 100) and (50, 99).
    wezel& w = node(p, 0);
    w.rad = 200;
    plan_point centre;
    ASSERT_TRUE(circle_center({0, 100}, {50, 99}, w.rad, centre));
    w.arc_center_x = centre.x;
    w.arc_center_y = centre.y;
    EXPECT_GT(centre.y, 100);  // a sag: the centre lies above the chord
    for (double x : {0.0, 10.0, 25.0, 49.0}) {
        bottom_ordinate r;
        rzedna_dna(p, r, x);
        EXPECT_NEAR(std::hypot(x - centre.x, r.ordinate - centre.y), 200, 1e-6) << x;
        EXPECT_LT(r.ordinate, 100 - 0.02 * x + 1e-9) << x;  // below the straight chord
    }
    bottom_ordinate start;
    rzedna_dna(p, start, 0);
    EXPECT_NEAR(start.ordinate, 100, 1e-6);

    // A radius too small for the segment, or a chord the circle cannot
    // span, leaves the segment straight (the drawing warns of it).
    for (double radius : {25.0, -20.0, 10.0}) {
        w.rad = radius;
        w.arc_center_x = 25;
        w.arc_center_y = 0;
        bottom_ordinate r;
        rzedna_dna(p, r, 25);
        EXPECT_NEAR(r.ordinate, 99.5, 1e-9) << radius;
    }
    w.rad = 25.001;  // 2 r exceeds the length, yet the sloped chord is longer
    node(p, 1).dno.s1 = 90;
    bottom_ordinate r;
    rzedna_dna(p, r, 25);
    EXPECT_NEAR(r.ordinate, 99.5, 1e-9);
    EXPECT_FALSE(std::isnan(r.ordinate));
}

TEST_F(Terrain, CircleCentreSidesAndChordsThatDoNotFit) {
    plan_point c;
    ASSERT_TRUE(circle_center({0, 0}, {10, 0}, 13, c));
    EXPECT_NEAR(c.x, 5, 1e-12);
    EXPECT_NEAR(c.y, 12, 1e-12);
    ASSERT_TRUE(circle_center({0, 0}, {10, 0}, -13, c));
    EXPECT_NEAR(c.x, 5, 1e-12);
    EXPECT_NEAR(c.y, -12, 1e-12);
    ASSERT_TRUE(circle_center({0, 0}, {10, 0}, 5, c));  // exactly half the chord
    EXPECT_NEAR(c.x, 5, 1e-12);
    EXPECT_NEAR(c.y, 0, 1e-12);
    for (const auto& [b, r] : {std::pair<plan_point, double>{{10, 0}, 4.9}, {{0, 0}, 3}}) {
        c = {7, 7};
        EXPECT_FALSE(circle_center({0, 0}, b, r, c));
        EXPECT_EQ(c.x, 0);
        EXPECT_EQ(c.y, 0);
    }
}

TEST_F(Terrain, NodeAtAChainageAndDrawingPosition) {
    const uint16_t p = add_profile("a", 1, {0, 10, 10, 25});
    const std::pair<double, uint16_t> cases[] = {
        {0, 0}, {10, 1}, {25, 3}, {5, no_node}, {-1, no_node}, {25.5, no_node}, {10.000001, no_node},
    };
    for (const auto& [x, want] : cases) EXPECT_EQ(is_node(p, x), want) << x;
    EXPECT_EQ(is_node(add_profile("empty", 2), 0), no_node);

    const double draw_x[] = {100, 200, 200, 350};
    const double factor[] = {10, 1, 10, 2};
    for (std::size_t i = 0; i < 4; ++i) {
        node(p, i).draw_x = draw_x[i];
        node(p, i).draw_factor = factor[i];
    }
    const std::pair<double, double> positions[] = {
        {0, 100}, {5, 150}, {10, 200}, {20, 300}, {25, 350}, {-2, 80}, {30, 360},
    };
    for (const auto& [x, want] : positions) EXPECT_NEAR(godl_bs(p, x), want, 1e-9) << x;
}

TEST_F(Terrain, CrossingsAndCasingPipesAtANode) {
    const uint16_t p = add_profile("a", 1, {0, 10, 20});
    model().current_profile = p;
    auto crossing = [&](uint16_t id, double chainage, double distance) {
        kolizja k;
        k.node_id = id;
        k.chainage = chainage;
        k.distance = distance;
        model().profiles[p].crossings.push_back(k);
    };
    crossing(1, 0, 0);    // at node 0
    crossing(1, 0, 10);   // at node 1: counted for both segments
    crossing(2, 10, 4);   // in segment 1
    crossing(0, 10, 4);   // not attached
    crossing(3, 20, 0);   // at the last node
    crossing(3, 20, 3);   // beyond the last node
    EXPECT_EQ(zlicz_kolizje_w_wezle(0), 2);
    EXPECT_EQ(zlicz_kolizje_w_wezle(1), 3);
    EXPECT_EQ(zlicz_kolizje_w_wezle(2), 2);
    EXPECT_EQ(zlicz_kolizje_w_wezle(3), 0);

    auto casing = [&](uint16_t id, double chainage, double distance, double length) {
        oslonowa o;
        o.node_id = id;
        o.chainage = chainage;
        o.distance = distance;
        o.length = length;
        model().profiles[p].casings.push_back(o);
    };
    casing(1, 0, 2, 5);    // starts at 2
    casing(1, 0, 12, -4);  // runs back: starts at 8
    casing(1, 0, -3, 2);   // starts before node 0
    casing(2, 10, 0, 3);   // starts at node 1
    casing(3, 20, 0, 1);   // starts at the last node
    casing(0, 10, 2, 1);   // not attached
    EXPECT_EQ(zlicz_oslonowe_w_wezle(0), 3);
    EXPECT_EQ(zlicz_oslonowe_w_wezle(1), 1);
    EXPECT_EQ(zlicz_oslonowe_w_wezle(2), 1);
}

}  // namespace
