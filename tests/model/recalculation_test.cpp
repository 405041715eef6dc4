#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "forms/rys1.h"
#include "forms/opcje.h"
#include "model/settings_state.h"
#include "model/recalculation.h"
#include "model/state.h"
#include "platform/exceptions.h"
#include "platform/sysutils.h"
#include "support/fixture.h"
#include "support/panel_values.h"
#include "support/model_builders.h"

namespace {

struct RefreshView : model_view {
    std::vector<std::pair<uint16_t, bool>> refreshed;
    void odswiez_dane(uint16_t profile, bool flag) override { refreshed.emplace_back(profile, flag); }
};

class Recalc : public ProgramTest {
protected:
    RefreshView rec;
    scoped_view use{rec};
    Ttopcje& o = *topcje;

    Recalc() {
        panel_choices_as_values();
        model().empty_value = 0;
        model().slope_sign = 1;
        for (TCheckBox* c : {o.cb_InterpolationGroundExists, o.cb_ExtrapolationGroundExists,
                             o.cb_InterpolationGroundProj, o.cb_ExtrapolationGroundProj, o.cb_InterpolationLine1,
                             o.cb_InterpolationLine2, o.CalcLengthAngleFromCoords, o.cb_Material})
            c->SetChecked(true);
        for (TCheckBox* c : {o.cb_TerrainProj, o.cb_InterpolationPipeBottom, o.cb_CalculateDepthToProjGroundLevel,
                             o.cb_WhereTrenchCalculateDepthToGroundLevel, o.cb_TrenchWidth, o.cb_AutoTrenchSlope,
                             o.cb_Node, Form1->cb_CalculateTerrainFromDepth})
            c->SetChecked(false);
        Form1->rg_ManuallyValueDistance->SetItemIndex(0);
        Form1->rg_ManuallyValue->SetItemIndex(2);
        Form1->rg_PipeOrdinateMode->SetItemIndex(0);
    }

    static wezel& node(uint16_t p, std::size_t i) { return model().profiles[p].nodes[i]; }
    static odcinek& profile(uint16_t p) { return model().profiles[p]; }
    static uint8_t at(column_kind k) { return model().position_of(k); }
    // A run of n nodes `length` apart, lengths entered.
    static uint16_t run(const std::string& name, uint16_t id, int n, double length) {
        const uint16_t p = add_profile(name, id);
        for (int i = 0; i < n; ++i) {
            wezel w = node_at(static_cast<uint16_t>(i + 1), i * length);
            w.dlug = i + 1 < n ? length : 0;
            profile(p).nodes.push_back(w);
        }
        return p;
    }
};

void expect_pair(const value_pair& got, const value_pair& want, const std::string& where) {
    EXPECT_NEAR(got.s1, want.s1, 1e-9) << where << " s1";
    EXPECT_NEAR(got.s2, want.s2, 1e-9) << where << " s2";
}

// --- slope kept ------------------------------------------------------------------

TEST_F(Recalc, SlopeKeptCarriesThePipeDownTheSegment) {
    for (int8_t sign : {1, -1}) {
        model().profiles.clear();
        model().slope_sign = sign;
        const uint16_t p = run("a", 1, 2, 50);
        profile(p).stala = 2;
        node(p, 0).dno = value_pair(100);
        node(p, 0).spad = 2 * sign;  // 2 % falling, shown with the sign
        przelicz(p, false, all_columns);
        expect_pair(node(p, 1).dno, {99, 99}, "sign " + std::to_string(sign));
        EXPECT_EQ(node(p, 0).spad, 2 * sign);
    }
}

TEST_F(Recalc, DiameterChangeKeepsTheReferenceLevelContinuous) {
    // The pipe leaving node 1 is changed from 200 mm to 300 mm; node 2 has a
    // drop of 0.2 m at the reference level with no change of diameter.
    const struct {
        int mode;
        value_pair node1, node2, node3;
    } cases[] = {
        {0, {99, 99}, {98, 97.3}, {96.3, 96.3}},
        {1, {99, 98.95}, {97.95, 97.3}, {96.3, 96.3}},
        {2, {99, 98.9}, {97.9, 97.3}, {96.3, 96.3}},
    };
    for (const auto& c : cases) {
        model().profiles.clear();
        const uint16_t p = run("a", 1, 4, 50);
        model().current_profile = p;
        profile(p).stala = 2;
        profile(p).rzedna = static_cast<uint8_t>((c.mode + 1) % 3);  // the side panel shows the current profile
        Form1->rg_PipeOrdinateMode->SetItemIndex(c.mode);
        const double fi[] = {200, 200, 300, 0};
        for (std::size_t i = 0; i < 4; ++i) {
            node(p, i).fi = value_pair(fi[i]);
            node(p, i).spad = i < 3 ? 2 : 0;
        }
        node(p, 0).dno = value_pair(100);
        node(p, 1).dno = value_pair(99);
        node(p, 2).dno = {97.5, 97.3};
        model().node_before_edit = node(p, 1);  // as the table holds it while the cell is edited
        node(p, 1).fi = value_pair(300);
        node(p, 2).fi = value_pair(300);
        przelicz(p, true, at(column_kind::fi));
        const std::string m = "mode " + std::to_string(c.mode);
        expect_pair(node(p, 0).dno, {100, 100}, m + " node 0");
        expect_pair(node(p, 1).dno, c.node1, m + " node 1");
        expect_pair(node(p, 2).dno, c.node2, m + " node 2");
        expect_pair(node(p, 3).dno, c.node3, m + " node 3");
    }
}

// With the slope kept, node_before_edit ends as a copy of the last node
// whose id differed from the one it held, as that node was when its step
// began, also when a setting that does not convert stops the pass.
TEST_F(Recalc, SlopeKeptLeavesTheLastNodeAsItWasBeforeThePass) {
    o.cb_TrenchWidth->SetChecked(true);
    o.rg_AutoTrenchWidth->SetItemIndex(2);
    o.cb_Node->SetChecked(true);
    o.rg_NodePrefix->SetItemIndex(1);
    o.e_wez->SetText("K");
    o.cb_NodeIncrementation->SetChecked(false);
    mat_rura_typosz series;
    series.adds.material = "PE";
    model().project.pipe_series.assign(1, series);
    const struct {
        const char* name;
        const char* allowance;
        std::vector<uint16_t> ids;
        std::size_t copied;  // the node node_before_edit holds afterwards
    } cases[] = {
        {"whole pass", "0.5", {1, 2, 3}, 2},
        {"repeated last id", "0.5", {1, 2, 2}, 1},
        {"stopped at the first node", "x", {1, 2, 3}, 0},
    };
    for (const auto& c : cases) {
        model().profiles.clear();
        o.e_AutoAdd2Diameter->SetText(c.allowance);
        const uint16_t p = run("a", 1, 3, 50);
        profile(p).stala = 2;
        for (std::size_t i = 0; i < 3; ++i) {
            wezel& w = node(p, i);
            w.id = c.ids[i];
            w.dno = value_pair(100 - static_cast<double>(i));
            w.spad = 1;
            w.zag = value_pair(7);
            w.depth_below_terrain = value_pair(8);
            w.szer = value_pair(0.25);
            w.fi = value_pair(200);
            w.ter_used = value_pair(103);
            w.wez.clear();
            w.mat = "PVC";
            w.series_index = 0;
            w.size_index = 0;
        }
        model().node_before_edit = wezel{};
        const std::vector<wezel> before = profile(p).nodes;
        if (std::string(c.allowance) == "x") EXPECT_THROW(przelicz(p, false, all_columns), EConvertError);
        else przelicz(p, false, all_columns);
        const wezel& held = model().node_before_edit;
        const wezel& was = before[c.copied];
        EXPECT_EQ(held.id, was.id) << c.name;
        EXPECT_EQ(held.dno, was.dno) << c.name;
        EXPECT_EQ(held.zag, was.zag) << c.name;
        EXPECT_EQ(held.depth_below_terrain, was.depth_below_terrain) << c.name;
        EXPECT_EQ(held.szer, was.szer) << c.name;
        EXPECT_EQ(held.wez, was.wez) << c.name;
        EXPECT_EQ(held.mat, was.mat) << c.name;
        // The node itself has moved on.
        EXPECT_NE(node(p, c.copied).zag, was.zag) << c.name;
        if (c.copied > 0) {
            EXPECT_NE(node(p, c.copied).dno, was.dno) << c.name;
            EXPECT_EQ(node(p, c.copied).wez, "K") << c.name;
            EXPECT_EQ(node(p, c.copied).mat, "PE") << c.name;
        }
    }
}

TEST_F(Recalc, ProfilesAreRecalculatedWithTheirOwnReferenceLevel) {
    // Node 1 has the reference level continuous across 200 -> 300 mm; the
    // slope before it changes. The current profile follows the side panel,
    // any other profile its own setting.
    for (bool current : {true, false}) {
        for (int mode : {0, 1, 2}) {
            model().profiles.clear();
            const uint16_t other = run("other", 1, 2, 10);
            const uint16_t p = run("a", 2, 3, 50);
            model().current_profile = current ? p : other;
            const int panel = current ? mode : (mode + 1) % 3;
            Form1->rg_PipeOrdinateMode->SetItemIndex(panel);
            profile(p).rzedna = static_cast<uint8_t>(current ? (mode + 2) % 3 : mode);
            profile(p).stala = 2;
            node(p, 0).fi = value_pair(200);
            node(p, 1).fi = value_pair(300);
            node(p, 0).dno = value_pair(100);
            node(p, 1).dno = {99, 99 - 0.05 * mode};
            node(p, 0).spad = 1;
            node(p, 1).spad = 1;
            przelicz(p, false, at(column_kind::spad));
            const std::string where = (current ? "current, mode " : "other, mode ") + std::to_string(mode);
            expect_pair(node(p, 1).dno, {99.5, 99.5 - 0.05 * mode}, where);
            expect_pair(node(p, 2).dno, value_pair(99 - 0.05 * mode), where + " last");
            EXPECT_EQ(rec.refreshed.empty(), !current) << where;
            rec.refreshed.clear();
        }
    }
}

// --- pipe ordinate and depth kept ---------------------------------------------------

TEST_F(Recalc, PipeOrdinateKeptGivesDepthAndSlope) {
    const uint16_t p = run("a", 1, 3, 50);
    profile(p).stala = 0;
    const double ter[] = {102, 102, 101};
    const value_pair dno[] = {{100, 100}, {99.5, 99.4}, {99, 99}};
    for (std::size_t i = 0; i < 3; ++i) {
        node(p, i).ter = value_pair(ter[i]);
        node(p, i).dno = dno[i];
    }
    node(p, 1).dlug = 0;  // a zero length leaves the slope as it was
    node(p, 1).spad = 7;
    przelicz(p, false, all_columns);
    expect_pair(node(p, 0).zag, {2, 2}, "zag 0");
    expect_pair(node(p, 1).zag, {2.5, 2.6}, "zag 1");
    expect_pair(node(p, 1).depth_below_terrain, {2.5, 2.6}, "below terrain 1");
    EXPECT_NEAR(node(p, 0).spad, 1, 1e-12);
    EXPECT_EQ(node(p, 1).spad, 7);

    model().slope_sign = -1;
    node(p, 1).dlug = 50;
    przelicz(p, false, at(column_kind::dno));
    EXPECT_NEAR(node(p, 1).spad, -0.8, 1e-12);
}

TEST_F(Recalc, DepthKeptGivesPipeOrdinateOrTerrain) {
    const struct {
        const char* name;
        bool current;
        bool panel_box;
        bool parallel;
        value_pair zag1;
        value_pair dno1;
        value_pair ter1;
    } cases[] = {
        {"pipe follows", true, false, false, {1.5, 1.4}, {100.5, 100.6}, {102, 102}},
        {"parallel to the terrain", true, false, true, {2, 1.4}, {100, 100.6}, {102, 102}},
        {"terrain from depth", true, true, false, {1.5, 1.4}, {90, 91}, {91.5, 92.4}},
        // The side panel's box belongs to the current profile only.
        {"other profile ignores the box", false, true, false, {1.5, 1.4}, {100.5, 100.6}, {102, 102}},
    };
    for (const auto& c : cases) {
        model().profiles.clear();
        const uint16_t other = run("other", 1, 1, 0);
        const uint16_t p = run("a", 2, 2, 10);
        model().current_profile = c.current ? p : other;
        Form1->cb_CalculateTerrainFromDepth->SetChecked(c.panel_box);
        profile(p).stala = 1;
        profile(p).rownol = c.parallel;
        node(p, 0).ter = node(p, 0).ter_used = value_pair(102);  // terrain in use from an earlier pass
        node(p, 0).zag = value_pair(2);
        node(p, 0).dno = value_pair(90);
        node(p, 1).ter = node(p, 1).ter_used = value_pair(102);
        node(p, 1).zag = {1.5, 1.4};
        node(p, 1).dno = {90, 91};
        przelicz(p, false, at(column_kind::zag));
        expect_pair(node(p, 1).zag, c.zag1, std::string(c.name) + " zag");
        expect_pair(node(p, 1).dno, c.dno1, std::string(c.name) + " dno");
        expect_pair(node(p, 1).ter, c.ter1, std::string(c.name) + " ter");
    }
}

TEST_F(Recalc, DepthToDesignTerrainOrToTheDitchBottom) {
    const uint16_t p = run("a", 1, 2, 10);
    profile(p).stala = 0;
    for (std::size_t i = 0; i < 2; ++i) {
        node(p, i).ter = value_pair(102);
        node(p, i).terp = value_pair(103);
        node(p, i).dno = value_pair(100);
    }
    node(p, 1).obiekt = "rów"_cp;
    node(p, 1).var = "100.7";
    przelicz(p, false, all_columns);
    expect_pair(node(p, 0).zag, {2, 2}, "terrain");
    expect_pair(node(p, 1).zag, {0.7, 0.7}, "ditch bottom");
    expect_pair(node(p, 1).depth_below_terrain, {2, 2}, "below terrain");

    o.cb_WhereTrenchCalculateDepthToGroundLevel->SetChecked(true);
    o.cb_CalculateDepthToProjGroundLevel->SetChecked(true);
    przelicz(p, false, all_columns);
    expect_pair(node(p, 0).zag, {3, 3}, "design terrain");
    expect_pair(node(p, 1).zag, {3, 3}, "ditch measured from the design terrain");
    expect_pair(node(p, 1).depth_below_terrain, {2, 2}, "below the existing terrain");
}

// --- lengths, chainages, coordinates --------------------------------------------------

TEST_F(Recalc, ChainagesFromLengthsOrLengthsFromChainages) {
    const struct {
        const char* name;
        bool current;
        int panel;
        uint8_t own;
        bool from_lengths;
    } cases[] = {
        {"current, lengths", true, 0, 1, true},
        {"current, chainages", true, 1, 0, false},
        // Another profile keeps its own mode whatever the side panel shows.
        {"other, lengths", false, 1, 0, true},
        {"other, chainages", false, 0, 1, false},
    };
    for (const auto& c : cases) {
        model().profiles.clear();
        const uint16_t other = run("other", 1, 1, 0);
        const uint16_t p = add_profile("a", 2, {5, 12, 20});
        model().current_profile = c.current ? p : other;
        Form1->rg_ManuallyValueDistance->SetItemIndex(c.panel);
        profile(p).stala_odleglosci = c.own;
        node(p, 0).dlug = 3;
        node(p, 1).dlug = 4;
        przelicz(p, false, all_columns);
        const std::vector<double> odl = {node(p, 0).odl, node(p, 1).odl, node(p, 2).odl};
        const std::vector<double> dlug = {node(p, 0).dlug, node(p, 1).dlug};
        EXPECT_EQ(odl, (c.from_lengths ? std::vector<double>{5, 8, 12} : std::vector<double>{5, 12, 20})) << c.name;
        EXPECT_EQ(dlug, (c.from_lengths ? std::vector<double>{3, 4} : std::vector<double>{7, 8})) << c.name;
    }
}

TEST_F(Recalc, CoordinatesGiveLengthsDirectionsAndAngles) {
    const struct {
        const char* name;
        std::vector<plan_point> points;
        double start;        // angle of node 0
        double deflection;   // angle of node 1
        double length0;
    } cases[] = {
        {"straight", {{0, 0}, {10, 0}, {20, 0}}, 0, 0, 10},
        {"left turn", {{0, 0}, {10, 0}, {20, 10}}, 0, -45, 10},
        {"right turn", {{0, 0}, {10, 0}, {20, -10}}, 0, 45, 10},
        {"left from a slope", {{0, 0}, {10, 10}, {20, 30}}, -45, -18.43494882, std::sqrt(200.0)},
        {"right from a slope", {{0, 0}, {10, 10}, {20, 15}}, -45, 18.43494882, std::sqrt(200.0)},
        {"north then right", {{0, 0}, {0, 10}, {10, 20}}, -90, 45, 10},
        {"north then left", {{0, 0}, {0, 10}, {-10, 20}}, -90, -45, 10},
        {"then north, left", {{0, 0}, {10, 10}, {10, 20}}, -45, -45, std::sqrt(200.0)},
        {"then east, right", {{0, 0}, {10, 10}, {20, 10}}, -45, 45, std::sqrt(200.0)},
        {"westward", {{0, 0}, {-10, -10}, {-20, -20}}, 135, 0, std::sqrt(200.0)},
        {"north-west", {{0, 0}, {-10, 10}, {-20, 20}}, -135, 0, std::sqrt(200.0)},
        {"3-4-5", {{0, 0}, {30, 40}, {60, 80}}, -53.13010235, 0, 50},
    };
    for (const auto& c : cases) {
        model().profiles.clear();
        const uint16_t p = run("a", 1, 3, 1);
        for (std::size_t i = 0; i < 3; ++i) {
            node(p, i).wsplx = c.points[i].x;
            node(p, i).wsply = c.points[i].y;
        }
        node(p, 2).kat = 33;
        przelicz(p, false, all_columns);
        EXPECT_NEAR(node(p, 0).kat, c.start, 1e-5) << c.name;
        EXPECT_NEAR(node(p, 1).kat, c.deflection, 1e-5) << c.name;
        EXPECT_EQ(node(p, 2).kat, 33) << c.name;  // the last node's angle is not computed
        EXPECT_NEAR(node(p, 0).dlug, c.length0, 1e-9) << c.name;
        EXPECT_NEAR(node(p, 1).odl, c.length0, 1e-9) << c.name;
    }
}

TEST_F(Recalc, CoincidentPointsAndTheCoordinateColumn) {
    const uint16_t p = run("a", 1, 4, 5);
    const plan_point pts[] = {{0, 0}, {10, 0}, {10, 0}, {20, 0}};
    for (std::size_t i = 0; i < 4; ++i) {
        node(p, i).wsplx = pts[i].x;
        node(p, i).wsply = pts[i].y;
        node(p, i).kat = 9;
    }
    przelicz(p, false, at(column_kind::wsplx));
    EXPECT_EQ(node(p, 0).dlug, 10);
    EXPECT_EQ(node(p, 1).dlug, 5);  // same point as node 2: unchanged
    EXPECT_EQ(node(p, 2).dlug, 10);
    EXPECT_EQ(node(p, 1).kat, 9);   // its next node is at the same point: skipped
    EXPECT_EQ(node(p, 2).kat, 0);   // its previous node is at the same point
    EXPECT_EQ(node(p, 1).odl, 5);   // chainages are not a coordinate step
    przelicz(p, false, all_columns);
    EXPECT_EQ(node(p, 3).odl, 25);

    // Lengths are taken from coordinates only while lengths are entered and
    // the setting is on.
    node(p, 0).dlug = 1;
    o.CalcLengthAngleFromCoords->SetChecked(false);
    przelicz(p, false, all_columns);
    EXPECT_EQ(node(p, 0).dlug, 1);
}

TEST_F(Recalc, NamedFirstNodeTakesItsAngleFromTheRunItStartsOn) {
    const uint16_t trunk = run("trunk", 1, 3, 10);
    const char* names[] = {"a", "x", "b"};
    for (std::size_t i = 0; i < 3; ++i) {
        node(trunk, i).wez = names[i];
        node(trunk, i).wsplx = 10.0 * static_cast<double>(i);
    }
    const uint16_t branch = run("branch", 2, 2, 10);
    node(branch, 0).wsplx = 10;
    node(branch, 1).wsplx = 10;
    node(branch, 1).wsply = 10;
    const struct {
        const char* name;
        double want;
    } cases[] = {{"x", -90}, {"a", 33}, {"b", 33}, {"", -90}};
    for (const auto& c : cases) {
        node(branch, 0).wez = c.name;
        node(branch, 0).kat = 33;
        przelicz(branch, false, at(column_kind::wsply));
        EXPECT_NEAR(node(branch, 0).kat, c.want, 1e-9) << c.name;
    }
}

// Two runs and a branch; the runs bear some names twice, the branch bears
// one of its own on an inner node. Each case names the branch's first node
// and expects the angle against the last inner node of another profile that
// bears the name, searched node by node or looked up in an index.
TEST_F(Recalc, NamedFirstNodeTakesTheLastRunBearingItsName) {
    const uint16_t a = run("a", 1, 4, 10);
    const uint16_t b = run("b", 2, 5, 10);
    const uint16_t branch = run("branch", 3, 3, 10);
    const std::vector<std::pair<uint16_t, std::vector<const char*>>> names = {
        {a, {"a0", "x", "y", "a3"}}, {b, {"b0", "y", "x", "y", "b4"}}, {branch, {"", "z", "c2"}}};
    for (const auto& [p, list] : names) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            node(p, i).wez = list[i];
            node(p, i).wsplx = 10.0 * static_cast<double>(i) + 3.0 * p;
            node(p, i).wsply = static_cast<double>((i * i + 7 * p) % 11);
        }
    }
    node(branch, 0).wsplx = 40;
    node(branch, 0).wsply = -5;
    const struct {
        const char* name;
        int profile;  // of the node the angle is taken against; -1 none
        std::size_t node;
    } cases[] = {
        {"x", b, 2},  {"y", b, 3},         // the later profile, its later node
        {"a0", -1, 0}, {"b4", -1, 0},      // first and last nodes are not searched
        {"z", -1, 0},  {"nowhere", -1, 0}, // nor the branch itself
    };
    for (bool indexed : {false, true}) {
        for (const auto& c : cases) {
            node(branch, 0).wez = c.name;
            node(branch, 0).kat = 33;
            node_name_index index;
            if (indexed) przelicz(branch, false, at(column_kind::wsplx), index);
            else przelicz(branch, false, at(column_kind::wsplx));
            const std::string where = std::string(c.name) + (indexed ? ", indexed" : ", searched");
            if (c.profile < 0) {
                EXPECT_EQ(node(branch, 0).kat, 33) << where;
                continue;
            }
            const auto q = static_cast<uint16_t>(c.profile);
            const double want = kat_skalarny({node(branch, 1).wsplx, node(branch, 1).wsply},
                                             {node(q, c.node).wsplx, node(q, c.node).wsply},
                                             {node(q, c.node + 1).wsplx, node(q, c.node + 1).wsply}, -1);
            EXPECT_EQ(node(branch, 0).kat, want) << where;
            EXPECT_NE(want, 33) << where;
        }
    }
}

// The index against a search of every profile while nodes receive names as
// the recalculation gives them (an empty name becomes a name): in the last
// profile bearing the name below its last such node, in the profile before
// it, in a later profile, a name first nodes bear and one the index did not
// hold. After each step every profile asks for every name.
TEST_F(Recalc, NameIndexAnswersAsASearchWhileNodesAreNamed) {
    const std::vector<std::vector<const char*>> names = {
        {"", "A", "", ""}, {"A", "", "", "", "A", ""}, {"", "", "", "A", ""}, {"B", "", ""}, {"A"}};
    for (std::size_t p = 0; p < names.size(); ++p) {
        const auto id = static_cast<uint16_t>(p + 1);
        const uint16_t q = run("p" + std::to_string(p), id, static_cast<int>(names[p].size()), 1);
        for (std::size_t i = 0; i < names[p].size(); ++i) node(q, i).wez = names[p][i];
    }
    const struct {
        uint16_t profile;
        std::size_t node;
        const char* name;
    } steps[] = {{2, 1, "A"}, {1, 2, "A"}, {3, 1, "A"}, {0, 2, "B"}, {2, 2, "C"}, {1, 1, "C"}, {0, 3, "C"}};
    auto search = [](const std::string& name, uint16_t p, std::size_t& other, std::size_t& at) {
        bool found = false;
        const auto& profiles = model().profiles;
        for (std::size_t q = 0; q < profiles.size(); ++q)
            for (std::size_t j = 1; q != p && j + 1 < profiles[q].nodes.size(); ++j)
                if (profiles[q].nodes[j].wez == name) {
                    other = q;
                    at = j;
                    found = true;
                }
        return found;
    };
    node_name_index index;
    for (std::size_t step = 0; step <= std::size(steps); ++step) {
        if (step > 0) {
            const auto& s = steps[step - 1];
            node(s.profile, s.node).wez = s.name;
            index.named(s.profile, s.node, s.name);
        }
        for (uint16_t p = 0; p < names.size(); ++p) {
            for (const char* name : {"A", "B", "C", "D"}) {
                const std::string where =
                    "step " + std::to_string(step) + ", profile " + std::to_string(p) + ", " + name;
                std::size_t want_profile = 0, want_node = 0, got_profile = 0, got_node = 0;
                const bool want = search(name, p, want_profile, want_node);
                ASSERT_EQ(index.find(name, p, got_profile, got_node), want) << where;
                if (!want) continue;
                EXPECT_EQ(got_profile, want_profile) << where;
                EXPECT_EQ(got_node, want_node) << where;
            }
        }
    }
}

// One index over a run in which the recalculation names nodes: a later
// profile starts on a node named earlier in the run, as with a search.
TEST_F(Recalc, IndexedRunSeesTheNamesItGives) {
    o.cb_Node->SetChecked(true);
    o.rg_NodePrefix->SetItemIndex(1);
    o.e_wez->SetText("K");
    o.cb_NodeIncrementation->SetChecked(false);
    const uint16_t trunk = run("trunk", 1, 5, 10);
    const uint16_t named_in_run = run("named in the run", 2, 4, 10);
    const uint16_t branch = run("branch", 3, 2, 10);
    for (uint16_t p : {trunk, named_in_run, branch})
        for (std::size_t i = 0; i < profile(p).nodes.size(); ++i) {
            node(p, i).wez = "n" + std::to_string(p) + "_" + std::to_string(i);
            node(p, i).wsplx = 10.0 * static_cast<double>(i) + p;
            node(p, i).wsply = static_cast<double>((3 * i * i + 5 * p) % 13);
        }
    node(trunk, 2).wez = "K";
    node(named_in_run, 2).wez.clear();
    node(branch, 0).wez = "K";
    const std::vector<uint16_t> order = {branch, named_in_run, branch};
    const std::vector<odcinek> before = model().profiles;
    std::vector<double> searched;
    for (uint16_t p : order) {
        przelicz(p, false, all_columns);
        searched.push_back(node(p, 0).kat);
    }
    model().profiles = before;
    node_name_index index;
    for (std::size_t k = 0; k < order.size(); ++k) {
        przelicz(order[k], false, all_columns, index);
        EXPECT_EQ(node(order[k], 0).kat, searched[k]) << "step " << k;
    }
    ASSERT_EQ(node(named_in_run, 2).wez, "K");
    auto angle_on = [&](uint16_t q, std::size_t j) {
        return kat_skalarny({node(branch, 1).wsplx, node(branch, 1).wsply}, {node(q, j).wsplx, node(q, j).wsply},
                            {node(q, j + 1).wsplx, node(q, j + 1).wsply}, -1);
    };
    EXPECT_EQ(searched[0], angle_on(trunk, 2));
    EXPECT_EQ(searched[2], angle_on(named_in_run, 2));
    EXPECT_NE(searched[0], searched[2]);
}

TEST_F(Recalc, DeflectionAngleSignsAndDegenerateSegments) {
    const struct {
        plan_point a, b, c;
        int8_t factor;
        double want;
    } cases[] = {
        {{0, 0}, {10, 0}, {20, 0}, 1, 0},
        {{0, 0}, {10, 0}, {10, 10}, 1, -90},
        {{0, 0}, {10, 0}, {10, -10}, 1, 90},
        {{10, 0}, {0, 0}, {0, 10}, 1, 90},   // heading west, turning north: right
        {{10, 0}, {0, 0}, {0, -10}, 1, -90},
        {{0, 0}, {10, 10}, {0, 20}, 1, -90},
        {{0, 0}, {10, 0}, {10, 0}, 1, 0},   // coincident points
        {{5, 5}, {5, 5}, {9, 1}, 1, 0},
        {{0, 0}, {10, 0}, {20, 0}, -1, 180},
        // Collinear points whose cosine rounds past 1 or -1.
        {{0, 0}, {66.8, 38.9}, {178.13333333333333, 103.73333333333332}, 1, 0},
        {{0, 0}, {31.1, 29.1}, {-62.20000000000001, -58.20000000000001}, 1, 180},
    };
    for (const auto& c : cases) {
        const double got = kat_skalarny(c.a, c.b, c.c, c.factor);
        ASSERT_TRUE(std::isfinite(got)) << c.b.x << "," << c.b.y;
        EXPECT_NEAR(std::fabs(c.want) == 180 ? std::fabs(got) : got, c.want, 1e-5) << c.b.x << "," << c.b.y;
    }
}

// --- terrain in use, triggers -------------------------------------------------------

TEST_F(Recalc, DesignTerrainDefaultsFromTheTerrain) {
    o.cb_TerrainProj->SetChecked(true);
    const struct {
        int when;
        value_pair terp;
        value_pair want;
    } cases[] = {
        {0, {0, 0}, {101, 100}},
        {0, {98, 98}, {98, 98}},
        {1, {98, 98}, {101, 100}},
        {0, {0, 98}, {0, 98}},
    };
    for (const auto& c : cases) {
        model().profiles.clear();
        const uint16_t p = run("a", 1, 1, 0);
        o.cb_AutoTerrainProjLikeTerrainExist->SetItemIndex(c.when);
        node(p, 0).ter = {101, 100};
        node(p, 0).terp = c.terp;
        przelicz(p, false, at(column_kind::ter));
        expect_pair(node(p, 0).terp, c.want, "when " + std::to_string(c.when));
    }
    // The test is against 0, not against the empty value.
    model().profiles.clear();
    model().empty_value = 5;
    const uint16_t p = run("a", 1, 1, 0);
    o.cb_AutoTerrainProjLikeTerrainExist->SetItemIndex(0);
    node(p, 0).ter = value_pair(101);
    przelicz(p, false, all_columns);
    expect_pair(node(p, 0).terp, {5, 5}, "empty value");
}

TEST_F(Recalc, StepsRunForTheirChangedColumns) {
    const uint16_t p = run("a", 1, 3, 10);
    model().current_profile = p;
    profile(p).stala = 0;
    o.cb_InterpolationPipeBottom->SetChecked(true);
    Form1->rg_ManuallyValue->SetItemIndex(0);
    mat_rura_typosz series;
    series.adds.material = "PE";
    model().project.pipe_series.push_back(series);
    for (std::size_t i = 0; i < 3; ++i) {
        node(p, i).ter = value_pair(105);
        node(p, i).zag = value_pair(9);
        node(p, i).lin = value_pair(50 + static_cast<double>(i));
        node(p, i).lin_used = value_pair(1);
    }
    node(p, 0).dno = value_pair(100);
    node(p, 2).dno = value_pair(98);
    node(p, 1).series_index = 0;
    node(p, 1).size_index = 0;
    node(p, 1).lin = value_pair(0);

    przelicz(p, false, at(column_kind::kom));
    EXPECT_FALSE(profile(p).terrain_edited);
    expect_pair(node(p, 1).dno, {99, 99}, "pipe interpolated");
    expect_pair(node(p, 0).zag, {9, 9}, "no depth derived");
    expect_pair(node(p, 1).depth_below_terrain, {-99, -99}, "terrain in use not yet computed");
    expect_pair(node(p, 1).lin_used, {0, 0}, "line reset to the entered one");
    EXPECT_EQ(node(p, 1).mat, "PE");

    przelicz(p, false, at(column_kind::ter));
    EXPECT_TRUE(profile(p).terrain_edited);
    expect_pair(node(p, 0).zag, {5, 5}, "depth derived");
    expect_pair(node(p, 1).depth_below_terrain, {6, 6}, "below terrain");
    przelicz(p, false, at(column_kind::lin));
    expect_pair(node(p, 1).lin_used, {51, 51}, "line interpolated");

    // The pipe interpolation needs the pipe ordinate (or all) entered.
    node(p, 1).dno = value_pair(0);
    Form1->rg_ManuallyValue->SetItemIndex(1);
    przelicz(p, false, at(column_kind::kom));
    expect_pair(node(p, 1).dno, {0, 0}, "no pipe interpolation");

    // Steps go by the column's position, not by its kind: with "kom" moved
    // to the first position, position 0 is a comment.
    auto& map = model().column_map;
    auto& order = model().column_order;
    std::swap(map[index_of(column_kind::ter)], map[index_of(column_kind::kom)]);
    std::swap(order[index_of(column_kind::ter)], order[index_of(column_kind::kom)]);
    profile(p).terrain_edited = false;
    przelicz(p, false, 0);
    EXPECT_FALSE(profile(p).terrain_edited);
    przelicz(p, false, at(column_kind::ter));
    EXPECT_TRUE(profile(p).terrain_edited);
}

TEST_F(Recalc, ProfileWithoutNodesOnlyMarksAndRefreshes) {
    const uint16_t p = add_profile("empty", 1);
    const uint16_t q = add_profile("other", 2);
    model().current_profile = p;
    EXPECT_TRUE(przelicz(p, true, at(column_kind::terp)));
    EXPECT_TRUE(profile(p).terrain_edited);
    ASSERT_EQ(rec.refreshed.size(), 1u);
    EXPECT_EQ(rec.refreshed[0], std::make_pair(p, true));
    EXPECT_TRUE(przelicz(q, false, all_columns));
    EXPECT_EQ(rec.refreshed.size(), 1u);  // not the current profile
}

// --- trench width, names, defaults --------------------------------------------------

TEST_F(Recalc, TrenchWidthFromTheDiameterAllowance) {
    o.cb_TrenchWidth->SetChecked(true);
    o.rg_AutoTrenchWidth->SetItemIndex(2);
    const struct {
        const char* allowance;
        double fi;
        double recalculated;  // whole centimetres up
        double filled;        // whole decimetres up
    } cases[] = {
        {"0.5", 315, 0.82, 0.9},
        {"0.3", 250, 0.55, 0.6},
        {"0.5", 200, 0.70, 0.7},
        {"0,4", 160, 0.56, 0.6},
    };
    for (const auto& c : cases) {
        decimal_separator = std::string(c.allowance).find(',') != std::string::npos ? ',' : '.';
        o.e_AutoAdd2Diameter->SetText(c.allowance);
        model().profiles.clear();
        const uint16_t p = run("a", 1, 2, 10);
        node(p, 0).fi = value_pair(c.fi);
        przelicz(p, false, at(column_kind::fi));
        expect_pair(node(p, 0).szer, value_pair(c.recalculated), c.allowance);
        node(p, 0).szer = value_pair(0);
        autouzupelnianie(p, 0, at(column_kind::szer), false);
        expect_pair(node(p, 0).szer, value_pair(c.filled), c.allowance);
    }
    decimal_separator = '.';

    // A step in the width is kept; sloped walls widen the top.
    model().profiles.clear();
    o.e_AutoAdd2Diameter->SetText("0.5");
    const uint16_t p = run("a", 1, 2, 10);
    node(p, 0).fi = value_pair(315);
    node(p, 0).szer = {1.2, 1.0};
    przelicz(p, false, at(column_kind::szer));
    expect_pair(node(p, 0).szer, {0.82, 1.0}, "step kept");
    o.cb_AutoTrenchSlope->SetChecked(true);
    o.e_AutoTrenchSlope->SetText("1.5");
    node(p, 0).zag = {2, 2};
    przelicz(p, false, at(column_kind::szer));
    expect_pair(node(p, 0).szer, {1.5 * 2 * 2 + 1.0, 1.0}, "sloped walls");
    node(p, 0).zag = {-1, -1};
    przelicz(p, false, at(column_kind::szer));
    expect_pair(node(p, 0).szer, {1.0, 1.0}, "no negative slope width");

    // Texts that do not convert raise; empty ones skip the step.
    o.e_AutoAdd2Diameter->SetText("x");
    EXPECT_THROW(przelicz(p, false, at(column_kind::fi)), EConvertError);
    o.e_AutoAdd2Diameter->SetText("");
    o.cb_AutoTrenchSlope->SetChecked(false);
    node(p, 0).szer = {3, 3};
    przelicz(p, false, at(column_kind::fi));
    expect_pair(node(p, 0).szer, {3, 3}, "empty allowance");
    EXPECT_NO_THROW(przelicz(p, false, at(column_kind::kom)));
}

TEST_F(Recalc, NextNodeName) {
    const uint16_t p = add_profile("a", 1, {0, 1, 2, 3});
    const char* names[] = {"s1", "s7", "k3", "xs12"};
    for (std::size_t i = 0; i < 4; ++i) node(p, i).wez = names[i];
    const uint16_t q = add_profile("b", 2, {0});
    node(q, 0).wez = "s20";
    model().current_profile = p;
    const struct {
        bool whole_project;
        const char* prefix;
        const char* want;
    } cases[] = {
        {false, "s", "s8"},  // xs12 holds the prefix but "s12" is no number
        {false, "k", "k4"},  {false, "x", "x1"}, {false, "w", "w1"},
        {true, "s", "s21"},  {true, "abcdefgh", "abcdefgh1"},
    };
    for (const auto& c : cases) {
        o.cb_WholeProjectNodeIncrementation->SetChecked(c.whole_project);
        EXPECT_EQ(inkrem(c.prefix), c.want) << c.prefix;
    }
    node(q, 0).wez = "abcdefg99";
    EXPECT_EQ(inkrem("abcdefg"), "abcdefg10");  // "abcdefg100" cut to 9 characters
}

TEST_F(Recalc, AutomaticNodeNames) {
    o.cb_Node->SetChecked(true);
    o.cb_WholeProjectNodeIncrementation->SetChecked(false);
    const char* objects[] = {"sump", "sump", "inne", "", "armatura", "hydrant nadz."};
    const struct {
        int prefix_mode;
        bool numbered;
        std::vector<std::string> want;
    } cases[] = {
        {0, true, {"s1", "s2", "", "", "", "h1"}},
        {0, false, {"s", "s", "", "", "", "h"}},
        {1, true, {"k1", "k2", "k3", "k4", "k5", "k6"}},
    };
    for (const auto& c : cases) {
        model().profiles.clear();
        const uint16_t p = run("a", 1, 6, 1);
        model().current_profile = p;
        for (std::size_t i = 0; i < 6; ++i) node(p, i).obiekt = objects[i];
        o.rg_NodePrefix->SetItemIndex(c.prefix_mode);
        o.e_wez->SetText("k");
        o.cb_NodeIncrementation->SetChecked(c.numbered);
        przelicz(p, false, at(column_kind::kom));
        EXPECT_EQ(node(p, 0).wez, "");  // not a naming column
        przelicz(p, false, at(column_kind::obiekt));
        std::vector<std::string> got;
        for (const wezel& w : profile(p).nodes) got.push_back(w.wez);
        EXPECT_EQ(got, c.want);
    }
}

TEST_F(Recalc, AutomaticDefaultsOfANode) {
    settings().data_lists[0] = "PVC\xa4PE\xa4";
    o.cb_Drop->SetChecked(true);
    o.Edit1->SetText("1.5");
    o.cb_Material->SetChecked(true);
    o.cb_AutoFillMaterialLikePrevious->SetChecked(true);
    o.cb_Diameter->SetChecked(true);
    o.e_AutoDiameter->SetText("160");
    o.cb_TrenchWidth->SetChecked(true);
    o.e_szer->SetText("0.8");
    const struct {
        const char* name;
        int drop_mode, diameter_mode, width_mode;
        bool force;
        double spad;
        const char* mat;
        value_pair fi, szer;
    } cases[] = {
        {"like the previous node", 0, 0, 0, false, 3, "PE", {200, 200}, {1.1, 1.1}},
        {"from the settings", 1, 1, 1, false, 1.5, "PE", {160, 160}, {0.8, 0.8}},
        {"forced", 0, 0, 0, true, 1.5, "PVC", {160, 160}, {1.1, 1.1}},
        {"allowance", 0, 0, 2, false, 3, "PE", {200, 200}, {0.7, 0.7}},
    };
    for (const auto& c : cases) {
        model().profiles.clear();
        const uint16_t p = run("a", 1, 2, 10);
        node(p, 0).spad = 3;
        node(p, 0).mat = "PE";
        node(p, 0).fi = value_pair(200);
        node(p, 0).szer = value_pair(1.1);
        o.rg_AutoDrop->SetItemIndex(c.drop_mode);
        o.rg_AutoDiameter->SetItemIndex(c.diameter_mode);
        o.rg_AutoTrenchWidth->SetItemIndex(c.width_mode);
        o.e_AutoAdd2Diameter->SetText("0.5");
        autouzupelnianie(p, 1, all_columns, c.force);
        const wezel& w = node(p, 1);
        EXPECT_EQ(w.spad, c.spad) << c.name;
        EXPECT_EQ(w.mat, c.mat) << c.name;
        expect_pair(w.fi, c.fi, c.name);
        // The width from the allowance takes the diameter filled by the same call.
        expect_pair(w.szer, c.szer, c.name);
    }

    // Only the named column, only empty values, and node 0 has no previous node.
    model().profiles.clear();
    const uint16_t p = run("a", 1, 2, 10);
    o.rg_AutoDrop->SetItemIndex(0);
    node(p, 1).mat = "stal";
    autouzupelnianie(p, 1, model().position_of(column_kind::spad), false);
    EXPECT_EQ(node(p, 1).fi, value_pair(0));
    EXPECT_EQ(node(p, 1).mat, "stal");
    autouzupelnianie(p, 0, all_columns, false);
    EXPECT_EQ(node(p, 0).spad, 0);
    EXPECT_EQ(node(p, 0).mat, "");
    node(p, 1).spad = 0.4;
    o.Edit1->SetText("x");
    EXPECT_NO_THROW(autouzupelnianie(p, 1, all_columns, true));  // a slope is there already
    node(p, 1).spad = 0;
    EXPECT_THROW(autouzupelnianie(p, 1, all_columns, true), EConvertError);
    o.Edit1->SetText("");
    EXPECT_NO_THROW(autouzupelnianie(p, 1, all_columns, true));
    EXPECT_EQ(node(p, 1).spad, 0);
}

TEST_F(Recalc, SameReferenceLevelOverTheProject) {
    EXPECT_TRUE(takie_same_odniesienia_rzednej_rury());
    add_profile("a", 1);
    EXPECT_TRUE(takie_same_odniesienia_rzednej_rury());
    const uint16_t b = add_profile("b", 2);
    EXPECT_TRUE(takie_same_odniesienia_rzednej_rury());
    profile(b).rzedna = 1;
    EXPECT_FALSE(takie_same_odniesienia_rzednej_rury());
}

TEST_F(Recalc, NoValueOfANodeBecomesNaN) {
    // Coincident points, zero lengths and every kept value.
    for (uint8_t kept : {0, 1, 2, 3}) {
        model().profiles.clear();
        const uint16_t p = run("a", 1, 4, 0);
        profile(p).stala = kept;
        node(p, 1).rad = 3;
        przelicz(p, true, all_columns);
        for (const wezel& w : profile(p).nodes)
            for (double v : {w.dlug, w.odl, w.kat, w.spad, w.direction, w.dno.s1, w.dno.s2, w.zag.s1, w.zag.s2,
                             w.ter_used.s1, w.terp_used.s2, w.depth_below_terrain.s1, w.szer.s1})
                EXPECT_TRUE(std::isfinite(v)) << int(kept);
    }
}

}  // namespace
