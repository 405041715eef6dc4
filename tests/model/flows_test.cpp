#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/opcje.h"
#include "model/flows.h"
#include "model/recalculation.h"
#include "model/state.h"
#include "platform/exceptions.h"
#include "platform/sysutils.h"
#include "support/fixture.h"
#include "support/model_builders.h"

namespace {

class Flows : public ProgramTest {
protected:
    Ttopcje& o = *topcje;

    Flows() {
        model().empty_value = 0;
        o.cb_CalculateInvertsAccordToMainSection->SetChecked(false);
        o.cb_DontCalculateNodeWithManholeObject->SetChecked(true);
        o.cb_CalculateTerrainAccordToMainSection->SetChecked(false);
    }
    static wezel& node(uint16_t p, std::size_t i) { return model().profiles[p].nodes[i]; }
    static odcinek& profile(uint16_t p) { return model().profiles[p]; }
    // A drawn profile of the network with named nodes and their own flows.
    static uint16_t network(const std::string& name, uint16_t id, char type, bool left_to_right,
                            std::vector<std::string> names, std::vector<double> flows) {
        const uint16_t p = add_profile(name, id);
        odcinek& r = profile(p);
        r.networktype = type;
        r.pl2r_wart = left_to_right;
        r.rysuj = true;
        for (std::size_t i = 0; i < names.size(); ++i) {
            wezel w = node_at(static_cast<uint16_t>(i + 1), 10.0 * static_cast<double>(i));
            w.wez = names[i];
            w.flow = flows[i];
            w.dlug = 10;
            r.nodes.push_back(w);
        }
        return p;
    }
    static std::vector<double> sflows(uint16_t p) {
        std::vector<double> v;
        for (const wezel& w : profile(p).nodes) v.push_back(w.sflow);
        return v;
    }
};

TEST_F(Flows, NetworkLetters) {
    const std::pair<char, int> cases[] = {{'w', 0}, {'k', 1}, {'d', 2}, {'g', 3}, {'c', 4},
                                          {'m', 5}, {'i', 6}, {'x', 7}, {'W', 7}, {'\0', 7}};
    for (const auto& [letter, want] : cases) EXPECT_EQ(getflowindex(letter), want) << letter;
}

TEST_F(Flows, CumulativeFlowAlongOneProfile) {
    const struct {
        char type;
        bool left_to_right;
        bool forward;
        std::vector<double> want;
    } cases[] = {
        {'d', true, true, {1, 3, 6}},   // sewers gather in the flow direction
        {'k', true, true, {1, 3, 6}},
        {'m', false, false, {6, 5, 3}},
        {'w', true, false, {6, 5, 3}},  // water mains gather from the far end
        {'g', false, true, {1, 3, 6}},
        {'c', true, false, {6, 5, 3}},
        {'i', true, false, {6, 5, 3}},
        {'x', false, true, {1, 3, 6}},  // not a network type: left to right
        {'x', true, true, {1, 3, 6}},
    };
    uint16_t id = 1;
    for (const auto& c : cases) {
        const uint16_t p = network(std::string(1, c.type), id++, c.type, c.left_to_right, {"a", "b", "c"}, {1, 2, 3});
        EXPECT_EQ(przelicz_przeplywy_ustalenie_kierunku_sumowania(p), c.forward) << c.type << c.left_to_right;
        EXPECT_EQ(profile(p).sum_forward, c.forward);
        przelicz_przeplywy_tylko_suma(p);
        EXPECT_EQ(sflows(p), c.want) << c.type << c.left_to_right;
    }
}

TEST_F(Flows, GatheredInflowCountsExceptAtTheOutlet) {
    const uint16_t p = network("d", 1, 'd', true, {"a", "b", "c"}, {1, 2, 3});
    for (std::size_t i = 0; i < 3; ++i) node(p, i).flow_in = 10;
    przelicz_przeplywy_ustalenie_kierunku_sumowania(p);
    przelicz_przeplywy_tylko_suma(p);
    EXPECT_EQ(sflows(p), (std::vector<double>{11, 23, 26}));
    profile(p).sum_forward = false;
    przelicz_przeplywy_tylko_suma(p);
    EXPECT_EQ(sflows(p), (std::vector<double>{26, 25, 13}));

    const uint16_t one = network("one", 2, 'd', true, {"a"}, {4});
    node(one, 0).flow_in = 5;
    przelicz_przeplywy_tylko_suma(one);
    EXPECT_EQ(node(one, 0).sflow, 9);
    const uint16_t none = add_profile("none", 3);
    przelicz_przeplywy_tylko_suma(none);
    EXPECT_TRUE(profile(none).nodes.empty());
}

TEST_F(Flows, BranchIsAddedOnceWhateverTheTabOrder) {
    // A branch b1 -> b2 -> m2 joins the main m1 -> m2 -> m3 at m2.
    for (bool branch_first : {true, false}) {
        model().profiles.clear();
        uint16_t main = 0, branch = 0;
        if (branch_first) branch = network("branch", 1, 'd', true, {"b1", "b2", "m2"}, {1, 1, 1});
        main = network("main", 2, 'd', true, {"m1", "m2", "m3"}, {10, 10, 10});
        if (!branch_first) branch = network("branch", 1, 'd', true, {"b1", "b2", "m2"}, {1, 1, 1});
        model().current_profile = branch;
        for (wezel& w : profile(main).nodes) w.sflow = -1;  // stale
        EXPECT_TRUE(przelicz_przeplywy());
        EXPECT_EQ(sflows(branch), (std::vector<double>{1, 2, 3})) << branch_first;
        // The main profile is not the current one, yet it shows what it gathered.
        EXPECT_EQ(sflows(main), (std::vector<double>{10, 23, 33})) << branch_first;
        EXPECT_EQ(node(main, 1).flow_in, 3);
        EXPECT_TRUE(profile(main).flows_done);
        EXPECT_TRUE(profile(branch).flows_done);
        // A second summation starts afresh.
        przelicz_przeplywy();
        EXPECT_EQ(sflows(main), (std::vector<double>{10, 23, 33})) << branch_first;
    }
}

TEST_F(Flows, WaterMainsGatherTowardsTheirSupply) {
    // Water: the branch's outlet is its first node (it gathers right to left).
    const uint16_t main = network("main", 1, 'w', true, {"m1", "m2", "m3"}, {1, 1, 1});
    const uint16_t branch = network("branch", 2, 'w', true, {"m2", "b2", "b3"}, {2, 2, 2});
    przelicz_przeplywy();
    EXPECT_EQ(sflows(branch), (std::vector<double>{6, 4, 2}));
    EXPECT_EQ(sflows(main), (std::vector<double>{9, 8, 1}));
}

TEST_F(Flows, ConnectionsNeedTheSameTypeADrawnProfileAndANamedOutlet) {
    const struct {
        const char* name;
        char branch_type;
        bool drawn;
        const char* outlet;
        double gathered;
    } cases[] = {
        {"connected", 'd', true, "m2", 3},
        {"other network type", 'k', true, "m2", 0},
        {"not drawn", 'd', false, "m2", 0},
        {"case of the name", 'd', true, "M2", 0},
    };
    for (const auto& c : cases) {
        model().profiles.clear();
        const uint16_t main = network("main", 1, 'd', true, {"m1", "m2", "m3"}, {10, 10, 10});
        const uint16_t branch = network("branch", 2, c.branch_type, true, {"b1", "b2", c.outlet}, {1, 1, 1});
        profile(branch).rysuj = c.drawn;
        przelicz_przeplywy();
        EXPECT_EQ(node(main, 1).flow_in, c.gathered) << c.name;
        EXPECT_EQ(node(main, 2).sflow, 30 + c.gathered) << c.name;
    }
    // Unnamed outlets never connect, even to unnamed nodes.
    model().profiles.clear();
    const uint16_t main = network("main", 1, 'd', true, {"", "", ""}, {10, 10, 10});
    network("branch", 2, 'd', true, {"b1", "b2", ""}, {1, 1, 1});
    przelicz_przeplywy();
    EXPECT_EQ(node(main, 1).flow_in, 0);
}

TEST_F(Flows, TributariesOfTributaries) {
    const uint16_t main = network("main", 1, 'k', true, {"m1", "m2", "m3"}, {0, 0, 0});
    const uint16_t twig = network("twig", 2, 'k', true, {"t1", "b2"}, {5, 5});
    const uint16_t branch = network("branch", 3, 'k', true, {"b1", "b2", "m2"}, {1, 1, 1});
    przelicz_przeplywy();
    EXPECT_EQ(sflows(twig), (std::vector<double>{5, 10}));
    EXPECT_EQ(sflows(branch), (std::vector<double>{1, 12, 13}));
    EXPECT_EQ(sflows(main), (std::vector<double>{0, 13, 13}));
}

class Connection : public Flows {
protected:
    uint16_t main = 0;
    uint16_t branch = 0;
    // A 300 mm main and a 200 mm branch joining it at m2, both referred to the axis.
    Connection() {
        main = network("main", 1, 'd', true, {"m1", "m2", "m3"}, {1, 1, 1});
        branch = network("branch", 2, 'd', true, {"b1", "b2", "m2"}, {1, 1, 1});
        profile(main).rzedna = 1;
        profile(branch).rzedna = 1;
        for (wezel& w : profile(main).nodes) w.fi = value_pair(300);
        for (wezel& w : profile(branch).nodes) w.fi = value_pair(200);
        node(main, 1).dno = value_pair(100);
        node(branch, 2).dno = value_pair(99);
        o.cb_CalculateInvertsAccordToMainSection->SetChecked(true);
    }
};

TEST_F(Connection, BranchOutletContinuesTheMainPipesReferenceLevel) {
    const struct {
        const char* name;
        value_pair outlet_before;
        const char* variables;
        const char* object;
        uint8_t main_reference, branch_reference;
        bool dont_at_sump;
        value_pair want;
    } cases[] = {
        {"axis to axis", {99, 99}, "", "", 1, 1, true, {100.05, 100.05}},
        {"drop at the outlet kept", {99, 98.5}, "", "", 1, 1, true, {99, 100.05}},
        {"extra drop", {99, 99}, "|||0.02", "", 1, 1, true, {100.03, 100.03}},
        {"bottom to bottom", {99, 99}, "", "", 0, 0, true, {100, 100}},
        {"top to bottom", {99, 99}, "", "", 2, 0, true, {100.3, 100.3}},
        {"sump left alone", {99, 99}, "", "sump", 1, 1, true, {99, 99}},
        {"sump in capitals left alone", {99, 99}, "", "SUMP", 1, 1, true, {99, 99}},
        {"sump changed too", {99, 99}, "", "Sump", 1, 1, false, {100.05, 100.05}},
    };
    for (const auto& c : cases) {
        node(branch, 2).dno = c.outlet_before;
        node(branch, 2).var = c.variables;
        node(branch, 2).obiekt = c.object;
        profile(main).rzedna = c.main_reference;
        profile(branch).rzedna = c.branch_reference;
        o.cb_DontCalculateNodeWithManholeObject->SetChecked(c.dont_at_sump);
        przelicz_przeplywy();
        const value_pair& got = node(branch, 2).dno;
        EXPECT_NEAR(got.s1, c.want.s1, 1e-9) << c.name;
        EXPECT_NEAR(got.s2, c.want.s2, 1e-9) << c.name;
    }
}

TEST_F(Connection, AtATeeTheAxesAreAligned) {
    profile(main).rzedna = 0;
    profile(branch).rzedna = 0;
    node(main, 1).obiekt = "Trójnik"_cp;
    przelicz_przeplywy();
    EXPECT_NEAR(node(branch, 2).dno.s2, 100.05, 1e-9);
}

TEST_F(Connection, WaterBranchTakesTheLevelAtItsFirstNode) {
    model().profiles.clear();
    main = network("main", 1, 'w', true, {"m1", "m2", "m3"}, {1, 1, 1});
    branch = network("branch", 2, 'w', true, {"m2", "b2", "b3"}, {1, 1, 1});
    for (wezel& w : profile(main).nodes) w.fi = value_pair(300);
    for (wezel& w : profile(branch).nodes) w.fi = value_pair(200);
    profile(main).rzedna = 1;
    profile(branch).rzedna = 1;
    node(main, 1).dno = value_pair(100);
    node(branch, 0).dno = {99, 98};
    przelicz_przeplywy();
    EXPECT_NEAR(node(branch, 0).dno.s1, 100.05, 1e-9);
    EXPECT_EQ(node(branch, 0).dno.s2, 98);  // a drop at the node is kept
}

TEST_F(Connection, TheMainProfileIsNeverChanged) {
    o.cb_CalculateTerrainAccordToMainSection->SetChecked(true);
    model().project.main_profile = static_cast<int16_t>(branch);
    node(branch, 2).ter = value_pair(55);
    przelicz_przeplywy();
    EXPECT_EQ(node(branch, 2).dno, value_pair(99));
    EXPECT_EQ(node(branch, 2).ter, value_pair(55));
    EXPECT_EQ(node(main, 1).flow_in, 3);  // its flows still count

    model().project.main_profile = static_cast<int16_t>(main);
    przelicz_przeplywy();
    EXPECT_NEAR(node(branch, 2).dno.s2, 100.05, 1e-9);
}

TEST_F(Connection, TerrainOfTheConnectionComesFromTheReceivingNode) {
    o.cb_CalculateInvertsAccordToMainSection->SetChecked(false);
    o.cb_CalculateTerrainAccordToMainSection->SetChecked(true);
    o.cb_TerrainProj->SetChecked(false);
    o.cb_InterpolationGroundExists->SetChecked(true);
    node(main, 0).ter = value_pair(104);
    node(main, 2).ter = value_pair(102);
    node(main, 1).terp_used = value_pair(105);
    node(main, 1).terp = value_pair(105);
    EXPECT_FALSE(profile(main).terrain_edited);
    przelicz_przeplywy();
    EXPECT_TRUE(profile(main).terrain_edited);  // the main was recalculated first
    EXPECT_EQ(node(branch, 2).ter, value_pair(103));
    EXPECT_EQ(node(branch, 2).ter_used, value_pair(103));
    EXPECT_EQ(node(branch, 2).terp, value_pair(105));
    EXPECT_EQ(node(branch, 2).terp_used, value_pair(105));
    EXPECT_EQ(node(branch, 2).dno, value_pair(99));
}

TEST_F(Connection, AVariableThatIsNoNumberRaises) {
    node(branch, 2).var = "|||abc";
    EXPECT_THROW(przelicz_przeplywy(), EConvertError);
}

}  // namespace
