#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "model/objects.h"
#include "model/settings_state.h"
#include "model/sumps.h"
#include "platform/types.h"
#include "support/profile_fixture.h"

namespace {

class Sumps : public ProfileTest {
protected:
    // A profile of three nodes whose middle node S1 is a sump with the given
    // pipe ordinates; the pipes are 160 mm before it and 200 mm after it,
    // the design terrain at it is 103.00.
    static uint16_t through_sump(const std::string& name, uint16_t id, value_pair inverts) {
        const uint16_t p = line(name, id, {0, 10, 20});
        wezel& s = node(p, 1);
        s.wez = "S1";
        s.obiekt = "sump";
        s.dno = inverts;
        s.terp_used = value_pair(103);
        node(p, 0).fi = value_pair(160);
        s.fi = value_pair(200);
        return p;
    }
    // A project sump serving the nodes named S1.
    static mat_studzienka& sump_s1(uint16_t height_bottom2inlet = 100) {
        mat_studzienka s;
        s.adds.node_name = "S1";
        s.height_bottom2inlet = height_bottom2inlet;
        model().project.sumps.push_back(s);
        return model().project.sumps.back();
    }
    static mat_studzienka& sump(std::size_t i) { return model().project.sumps[i]; }
};

TEST_F(Sumps, LinksAreComparedWhole) {
    struct Case {
        const char* list;
        const char* link;
        bool found;
    };
    const Case cases[] = {
        {"11|23\x1e", "1|2", false},        {"1|23\x1e", "1|2", false},
        {"21|2\x1e", "1|2", false},         {"1|2\x1e", "1|2", true},
        {"5|3", "5|3", true},               {"4|4\x1e" "5|3", "5|3", true},
        {"\x1e" "1|2\x1e", "1|2", true},    {"", "1|2", false},
    };
    for (const Case& c : cases) EXPECT_EQ(has_link(c.list, c.link), c.found) << c.list << " " << c.link;
    EXPECT_EQ(split_links("\x1e" "4|4\x1e\x1e" "5|3"), (std::vector<std::string>{"4|4", "5|3"}));
    EXPECT_EQ(join_links({"4|4", "5|3"}), "4|4\x1e" "5|3\x1e");
}

TEST_F(Sumps, ANodeFindsTheSumpThatLinksItExactly) {
    const uint16_t p = through_sump("a", 1, value_pair(100));
    node(p, 1).wez.clear();  // found by its link, not by a name
    node(p, 1).id = 2;
    mat_studzienka other, linked;
    other.connections = "11|23\x1e";
    linked.connections = "1|2";  // as the node chooser writes it
    model().project.sumps = {other, linked};
    EXPECT_EQ(znajdz_obiekt(p, 1), 1);

    // The sump list refreshes a sump by its index and finds its node by the link.
    EXPECT_EQ(odswiez_studzienke(-1, -1, 1, true), 1);
    EXPECT_EQ(sump(1).inlet_nodes, "\x1e" "1|2\x1e");
    EXPECT_EQ(sump(1).bottom, 100000);
    EXPECT_EQ(odswiez_studzienke(-1, -1, 0, true), 0);
    EXPECT_EQ(sump(0).bottom, bottom_not_computed);  // "1|2" is no link of "11|23"
}

TEST_F(Sumps, TheBottomIsTheLowestInletWhateverTheOrderOfTheProfiles) {
    std::array<double, 3> inverts{100.95, 101.00, 101.20};
    do {
        model().profiles.clear();
        model().project.sumps.clear();
        for (uint16_t i = 0; i < 3; ++i) through_sump("p" + std::to_string(i), i + 1, value_pair(inverts[i]));
        sump_s1(100);
        EXPECT_EQ(odswiez_studzienke(1, 1, -1, true), 0);
        EXPECT_EQ(sump(0).bottom, 100850) << inverts[0] << " " << inverts[1] << " " << inverts[2];
        EXPECT_EQ(split_links(sump(0).inlet_nodes).size(), 3u);
        EXPECT_DOUBLE_EQ(node(1, 1).scheme_block[1], 100.85);  // the node's bottom level
    } while (std::next_permutation(inverts.begin(), inverts.end()));
}

TEST_F(Sumps, ANodeWithTwoPipeOrdinatesGivesTwoEntries) {
    for (const char separator : {'.', ','}) {
        decimal_separator = separator;
        model().profiles.clear();
        model().project.sumps.clear();
        through_sump("a", 1, {101.20, 100.90});
        sump_s1();
        odswiez_studzienke(0, 1, -1, true);
        const std::string s(1, separator);
        EXPECT_EQ(sump(0).inlet_ordinates, "100" + s + "9000\x1e" "101" + s + "2000\x1e");
        EXPECT_EQ(sump(0).inlet_diameters, "200" + s + "00\x1e" "160" + s + "00\x1e");
        EXPECT_EQ(sump(0).inlet_nodes, "\x1e" "1|2\x1e" "1|2\x1e");
        EXPECT_EQ(sump(0).bottom, 100800);
    }
}

TEST_F(Sumps, ExcludedProfilesAddInletsOnlyWhenTheSettingSaysSo) {
    for (const bool mark : {false, true}) {
        model().profiles.clear();
        model().project.sumps.clear();
        topcje->cb_MarkInletsFromDeactivatedProfiles->SetChecked(mark);
        through_sump("in", 1, value_pair(101));
        const uint16_t out = through_sump("out", 2, value_pair(100));
        profile(out).rysuj = false;
        sump_s1();
        odswiez_studzienke(0, 1, -1, true);
        EXPECT_EQ(split_links(sump(0).inlet_nodes).size(), mark ? 2u : 1u) << mark;
        EXPECT_EQ(sump(0).bottom, mark ? 99900 : 100900) << mark;
    }
}

TEST_F(Sumps, FixedBottomAndTotalHeight) {
    struct Case {
        int8_t extension_count;
        uint16_t extension_height;
        uint16_t total;
    };
    const Case cases[] = {{0, 0, 3080}, {2, 250, 2500}, {-1, 0, 2000}, {5, 250, 3080}};
    for (const Case& c : cases) {
        model().profiles.clear();
        model().project.sumps.clear();
        through_sump("a", 1, value_pair(101.5));
        mat_studzienka& s = sump_s1();
        s.height_ordinate = 100000;  // the bottom whatever the inlets
        s.height_above_terrain = 80;
        s.height_all = 2000;
        s.max_extension_count = c.extension_count;
        s.extension_height = c.extension_height;
        s.fittings = "kineta;stopnie;pokrywa";
        odswiez_studzienke(0, 1, -1, true);
        EXPECT_EQ(sump(0).bottom, 100000);
        EXPECT_EQ(sump(0).total_height, c.total) << int(c.extension_count);
        EXPECT_EQ(sump(0).fittings_count, 3);
    }
}

TEST_F(Sumps, DropPipe) {
    struct Case {
        uint16_t height_bottom2inlet;
        double slope_before;  // > 0: the segment before flows into the sump
        double own_slope;
        uint16_t drop_diameter;
        bool always;
        int16_t drop;
    };
    const Case cases[] = {
        {100, 1, 1, 0, false, 0},      // 400 mm above the bottom: below the threshold
        {300, 1, 1, 0, false, -160},   // 600 mm: a drop on the incoming pipe
        {300, 1, 1, 150, false, -150}, // its own diameter
        {100, 1, 1, 0, true, -160},    // always drawn
        {300, -1, -1, 0, false, 200},  // the own segment flows into it
        {300, -1, 1, 0, false, 0},     // nothing flows into it
    };
    for (const Case& c : cases) {
        model().profiles.clear();
        model().project.sumps.clear();
        const uint16_t p = through_sump("a", 1, {101.20, 100.90});
        node(p, 0).spad = c.slope_before;
        node(p, 1).spad = c.own_slope;
        mat_studzienka& s = sump_s1(c.height_bottom2inlet);
        s.drop_diameter = c.drop_diameter;
        s.drop = c.always;
        odswiez_studzienke(0, 1, -1, true);
        EXPECT_EQ(sump(0).drop_size, c.drop) << c.height_bottom2inlet << " " << c.slope_before << " " << c.own_slope;
    }
}

TEST_F(Sumps, DeletionAsksWhenNodesAreConnected) {
    struct Case {
        const char* what;
        int profile, node;
        bool force;
        int answer;  // 0: no question
        bool deleted;
    };
    const Case cases[] = {
        {"no inlets", -1, -1, false, 0, true},
        {"forced", 0, 1, true, 0, true},
        {"yes", 0, 1, false, IDYES, true},
        {"no", 0, 1, false, IDNO, false},
    };
    for (const Case& c : cases) {
        model().profiles.clear();
        model().project.sumps.clear();
        ui().boxes.clear();
        through_sump("a", 1, value_pair(101));
        through_sump("b", 2, value_pair(101));
        mat_studzienka& s = sump_s1();
        if (c.profile < 0) s.adds.node_name.clear();  // serving no node
        if (c.answer) ui().answer(c.answer);
        EXPECT_EQ(usun_studzienke(c.profile, c.node, c.force, c.profile < 0 ? 0 : -1), c.deleted) << c.what;
        EXPECT_EQ(model().project.sumps.empty(), c.deleted) << c.what;
        ASSERT_EQ(ui().boxes.size(), c.answer ? 1u : 0u) << c.what;
        if (c.answer) {
            EXPECT_EQ(ui().boxes[0].text, "Na pewno usunąć studzienkę? \r\nLiczba profili, w których ona występuje: 2"_cp);
            EXPECT_EQ(ui().boxes[0].buttons(), MB_YESNO);
        }
    }
}

TEST_F(Sumps, DeletionWhileTheSumpListIsOpenKeepsTheShownBottom) {
    through_sump("a", 1, value_pair(101));
    sump_s1();
    odswiez_studzienke(0, 1, -1, true);  // as the sump list does when it opens
    sump(0).bottom = 95000;
    rec.sump_window = true;
    ui().answer(IDNO);
    EXPECT_FALSE(usun_studzienke(0, 1, false, 0));
    EXPECT_EQ(sump(0).bottom, 95000);
    rec.sump_window = false;
    ui().answer(IDNO);
    EXPECT_FALSE(usun_studzienke(0, 1, false, 0));
    EXPECT_EQ(sump(0).bottom, 100900);
}

TEST_F(Sumps, ResetAndDetach) {
    mat_studzienka s;
    s.adds.node_name = "S1";
    s.connections = "1|2\x1e";
    s.bottom = 100000;
    s.inlet_nodes = "\x1e" "1|2\x1e";
    s.inlet_ordinates = "100.0000\x1e";
    s.total_height = 2500;
    model().project.sumps = {s, s};
    zeruj_studzienki();
    EXPECT_EQ(sump(1).bottom, bottom_not_computed);
    EXPECT_EQ(sump(1).inlet_nodes, "");
    EXPECT_EQ(sump(1).inlet_ordinates, "");
    EXPECT_EQ(sump(1).total_height, 0);
    EXPECT_TRUE(sump(1).volume_pending);
    EXPECT_TRUE(sump(1).drawing_pending);
    EXPECT_EQ(sump(1).adds.node_name, "S1");
    odlacz_studzienke(0);
    odlacz_studzienke(2);  // past the list: nothing
    EXPECT_EQ(sump(0).adds.node_name, "");
    EXPECT_EQ(sump(0).connections, "");
    EXPECT_EQ(sump(1).connections, "1|2\x1e");

    mat_adds adds = s.adds;
    adds.description = "d";
    adds.node_id = 4;
    adds.hide = true;
    adds.color = clRed;
    czysc_Mat_adds(adds);
    EXPECT_EQ(adds.description, "");
    EXPECT_EQ(adds.node_name, "");
    EXPECT_EQ(adds.node_id, 0);
    EXPECT_EQ(adds.color, 0xFFFFFF);
    EXPECT_EQ(adds.cad_color, 1);
    EXPECT_TRUE(adds.hide);
}

TEST_F(Sumps, CascadeAtThePipeOrdinateReferenceOfItsProfile) {
    struct Case {
        value_pair inverts;
        int reference;
        bool cascade;
    };
    // 160 mm before the node, 200 mm after it.
    const Case cases[] = {
        {value_pair(100), 0, false}, {{100.00, 99.98}, 0, true}, {{100.00, 99.98}, 1, false}, {{100.00, 99.98}, 2, true},
    };
    for (const Case& c : cases) {
        model().profiles.clear();
        const uint16_t current = through_sump("current", 1, c.inverts);
        const uint16_t other = through_sump("other", 2, c.inverts);
        set_modes(0, 3, c.reference);
        profile(other).rzedna = static_cast<uint8_t>(c.reference);
        const int stale = c.reference == 1 ? 0 : 1;  // a reference that answers otherwise
        profile(current).rzedna = static_cast<uint8_t>(stale);  // the panel shows the current one
        EXPECT_EQ(jest_kaskada(current, 1), c.cascade) << c.reference;
        set_modes(0, 3, stale);
        EXPECT_EQ(jest_kaskada(other, 1), c.cascade) << c.reference;
    }
}

TEST_F(Sumps, HeightAndDrop) {
    const uint16_t p = through_sump("a", 1, {100.5, 100.4});
    node(p, 1).terp_used = {103.0, 103.2};
    EXPECT_NEAR(wys_studz(p, 1), 2.8, 1e-9);
    node(p, 1).terp_used = value_pair(99);
    EXPECT_EQ(wys_studz(p, 1), 0);

    std::array<double, 3> drop{};
    node(p, 0).spad = 1;  // flows into the sump
    przepad(p, 1, 99000, drop);
    EXPECT_EQ(drop[0], 160);
    EXPECT_DOUBLE_EQ(drop[1], 1.5);
    node(p, 0).spad = -1;
    przepad(p, 1, 99000, drop);
    EXPECT_EQ(drop[0], 200);
    EXPECT_NEAR(drop[1], 1.4, 1e-9);
    node(p, 1).obiekt = "SUMP";  // only the exact text
    przepad(p, 1, 99000, drop);
    EXPECT_EQ(drop, (std::array<double, 3>{0, 0, 0}));
}

TEST_F(Sumps, ObjectSizeAfterTheAtSign) {
    struct Case {
        const char* text;
        const char* kind;
        const char* side;
        double size;
    };
    const Case cases[] = {
        {"DN @150/100 m", "zasuwa", "s1", 150}, {"@150/100", "zasuwa", "s2", 100},
        {"@150", "zasuwa", "s1", 150},          {"@150", "zasuwa", "s2", 0},
        {"@1,5x", "zasuwa", "s1", 1.5},         {"@abc", "zasuwa", "s1", 0},
        {"@150", "zasuwa", "min", 0},           {"", "rewizyjna", "s1", 0.2},
        {"", "wodomierzowa", "s2", 2000},       {"@0.4", "rewizyjna", "s2", 2000},
        {"", "rów"_cp, "s1", 0.5},              {"", "hydrant podz.", "s1", 80},
        {"", "rynna", "s1", 0.1},               {"", "Rynna", "s1", 0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(wyc_kol(c.text, c.kind, c.side), c.size) << c.text << " " << c.kind << " " << c.side;
}

}  // namespace
