#include <gtest/gtest.h>

#include "model/project.h"
#include "model/state.h"
#include "model/warnings.h"
#include "platform/exceptions.h"
#include "support/fixture.h"
#include "support/model_builders.h"

namespace {

// Records what the model tells the window.
struct RecordingView : model_view {
    std::vector<std::string> calls;
    void profile_count_changed(std::size_t n) override { calls.push_back("count " + std::to_string(n)); }
    void czysc_dane() override { calls.push_back("clear"); }
    void tabs_odswiez(int selected) override { calls.push_back("tabs " + std::to_string(selected)); }
    void warnings_changed(bool any) override { calls.push_back(any ? "warnings on" : "warnings off"); }
};

class Model : public ProgramTest {
protected:
    RecordingView rec;
    scoped_view use{rec};
};

TEST_F(Model, NodeBeforeChainage) {
    const uint16_t p = add_profile("a", 1, {0, 10, 20});
    const std::pair<double, uint16_t> cases[] = {{5, 0}, {10, 1}, {15, 1}, {20, 65535}, {25, 65535}, {-3, 0}, {0, 0}};
    for (const auto& [chainage, want] : cases) EXPECT_EQ(znajdz_wezel_przed_odl(p, chainage), want) << chainage;
    EXPECT_EQ(znajdz_wezel_przed_odl(add_profile("empty", 2), 0), 65535);
    const uint16_t one = add_profile("one", 3, {4});
    EXPECT_EQ(znajdz_wezel_przed_odl(one, 4), 65535);
    EXPECT_EQ(znajdz_wezel_przed_odl(one, 1), 65535);  // one node: no node after it
}

TEST_F(Model, IdLookUpsAndTheLastNodeId) {
    const uint16_t p = add_profile("a", 7, {0, 10});
    model().profiles[p].nodes[0].id = 12;
    EXPECT_EQ(max_id(p), 12);
    EXPECT_EQ(next_node_id(p), 13);
    EXPECT_EQ(profil_id2idx(7), p);
    EXPECT_EQ(profil_id2idx(8), 65535);
    model().profiles[p].nodes[1].id = 65535;
    EXPECT_THROW(next_node_id(p), Exception);  // never wraps to 0, "not attached"
    EXPECT_EQ(max_id(add_profile("empty", 8)), 0);
}

TEST_F(Model, BlankNodeUsesTheEmptyValueForOrdinatesNotEntered) {
    model().empty_value = 5;
    wezel w;
    w.id = 9;
    w.dno = {3, 3};
    w.obiekt = "sump";
    czysty_wezel(w);
    EXPECT_EQ(w.id, 9);
    for (const value_pair* v : {&w.ter, &w.ter_used, &w.terp, &w.terp_used, &w.lin_used, &w.lin2_used})
        EXPECT_EQ(*v, value_pair(5));
    EXPECT_EQ(w.lin, value_pair(0));
    EXPECT_EQ(w.lin2, value_pair(0));
    EXPECT_EQ(w.dno, value_pair(0));
    EXPECT_EQ(w.obiekt, "");
    EXPECT_EQ(w.object_index, -1);
    EXPECT_EQ(w.tidx, -1);
    EXPECT_EQ(w.series_index, -1);
    EXPECT_EQ(w.size_index, -1);
}

TEST_F(Model, InsertedProfileTakesTheDisplacedProfilesSettingsButNoContent) {
    add_profile("p1", 1, {0});
    const uint16_t second = add_profile("p2", 2, {0, 5});
    add_profile("p3", 3);
    odcinek& p2 = model().profiles[second];
    p2.poziom_wart = 101.5;
    p2.rysuj = true;
    p2.stala = 2;
    p2.networktype = 'k';
    p2.startX = 3;
    p2.startAngle = 45;
    p2.crossing_source = 1;
    p2.main_typosz_id = 4;
    p2.casings.push_back({});

    const uint16_t i = prof_kreator(0, "nowy", false, true);
    ASSERT_EQ(i, 1);
    const auto& profiles = model().profiles;
    ASSERT_EQ(profiles.size(), 4u);
    const odcinek& n = profiles[1];
    EXPECT_EQ(n.idp, 4);
    EXPECT_EQ(n.nazwa, "nowy");
    EXPECT_DOUBLE_EQ(n.poziom_wart, 101.5);  // kept from p2
    EXPECT_TRUE(n.rysuj);
    EXPECT_EQ(n.stala, 2);
    EXPECT_DOUBLE_EQ(n.startAngle, 45);
    EXPECT_DOUBLE_EQ(n.startX, 0);  // set anew
    EXPECT_EQ(n.networktype, 'i');
    EXPECT_EQ(n.crossing_source, 0);
    EXPECT_EQ(n.main_typosz_id, -1);
    EXPECT_TRUE(n.nodes.empty());
    EXPECT_TRUE(n.casings.empty());
    EXPECT_EQ(profiles[2].nazwa, "p2");  // the rest moved up, unchanged
    EXPECT_EQ(profiles[2].nodes.size(), 2u);
    EXPECT_EQ(profiles[3].nazwa, "p3");
    EXPECT_EQ(rec.calls, (std::vector<std::string>{"count 4", "clear", "tabs 1"}));

    rec.calls.clear();
    const uint16_t a = prof_kreator(0, "end", true, false);
    EXPECT_EQ(a, 4);
    EXPECT_EQ(model().profiles[4].idp, 5);
    EXPECT_DOUBLE_EQ(model().profiles[4].poziom_wart, 0);  // appended: starts from zero
    EXPECT_FALSE(model().profiles[4].rysuj);
    EXPECT_EQ(rec.calls, (std::vector<std::string>{"count 5", "clear"}));

    // Inserting after the last profile is appending.
    const uint16_t last = prof_kreator(4, "after last", false, false);
    EXPECT_EQ(last, 5);
    EXPECT_DOUBLE_EQ(model().profiles[5].poziom_wart, 0);
}

TEST_F(Model, WarningsLoseOneKindAndKeepTheOthersInOrder) {
    auto entry = [](char kind, const char* msg) {
        error_spec e;
        e.kind = kind;
        e.message = msg;
        return e;
    };
    for (auto [k, m] : std::initializer_list<std::pair<char, const char*>>{
             {'s', "s1"}, {'d', "d1"}, {'s', "s2"}, {'r', "r1"}, {'s', "s3"}})
        error_add(entry(k, m));
    EXPECT_EQ(rec.calls.back(), "warnings on");
    error_del('S');  // kinds are case-sensitive
    EXPECT_EQ(model().warnings.size(), 5u);
    error_del('s');
    ASSERT_EQ(model().warnings.size(), 2u);
    EXPECT_EQ(model().warnings[0].message, "d1");
    EXPECT_EQ(model().warnings[1].message, "r1");
    error_add(entry('u', "u1"));
    EXPECT_EQ(model().warnings.back().message, "u1");
    error_del('d');
    error_del('r');
    error_del('u');
    EXPECT_TRUE(model().warnings.empty());
    EXPECT_EQ(rec.calls.back(), "warnings off");
    error_del('a');
    EXPECT_EQ(rec.calls.back(), "warnings off");
    error_add(entry('k', "k1"));
    error_add(entry('l', "l1"));
    error_del('a');
    EXPECT_TRUE(model().warnings.empty());
}

}  // namespace
