#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/profiles.h"
#include "model/project.h"
#include "model/sumps.h"
#include "model/warnings.h"
#include "platform/types.h"
#include "support/profile_fixture.h"

namespace {

class Profiles : public ProfileTest {
protected:
    // Profiles a, b, c ... with ids 1, 2, 3 ..., two nodes each.
    static void lettered(int count) {
        for (int i = 0; i < count; ++i)
            add_profile(std::string(1, static_cast<char>('a' + i)), static_cast<uint16_t>(i + 1), {0, 10});
    }
    static void four_profiles() { lettered(4); }

    // Six nodes with a tank on node 3 and another on the first node.
    static uint16_t profile_with_tanks() {
        const uint16_t p = line("t", 1, {0, 10, 20, 30, 40, 50});
        odcinek& q = profile(p);
        q.nodes[3].obiekt = "osadnik";
        q.nodes[3].wez = "OS1";
        q.nodes[3].kom = "Osadnik 2 m3";
        q.nodes[0].obiekt = "separatort";
        q.tanks.resize(2);
        q.tanks[0].adds.node_id = q.nodes[3].id;
        q.tanks[1].adds.node_id = q.nodes[0].id;
        return p;
    }
};

std::vector<std::string> names() {
    std::vector<std::string> out;
    for (const odcinek& p : model().profiles) out.push_back(p.nazwa);
    return out;
}

// --- deletion and reset ------------------------------------------------------

TEST_F(Profiles, DeletingTheSelectedLastTabSelectsTheNewLastOne) {
    lettered(3);
    model().current_profile = 2;
    ui().answer(IDYES);
    EXPECT_TRUE(profile_delete(2, false, true));
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text, "Czy na pewno usunąć profil: \r\n\"c\"?"_cp);
    EXPECT_EQ(ui().boxes[0].buttons(), MB_YESNO);
    EXPECT_EQ(ui().boxes[0].icon(), MB_ICONQUESTION);
    EXPECT_EQ(names(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(model().current_profile, 1);
    EXPECT_TRUE(rec.called("tabs 2"));  // the strip selects the one before a tab past the last
}

TEST_F(Profiles, DeletionRefusedChangesNothing) {
    add_profile("only", 1, {0});
    EXPECT_FALSE(profile_delete(0, true, true));
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text, "Projekt musi zawierać przynajmniej jeden profil.\r\nWybrany profil nie zostanie usunięty."_cp);
    EXPECT_EQ(ui().boxes[0].buttons(), MB_OK);

    add_profile("second", 2, {0});
    ui().answer(IDNO);
    EXPECT_FALSE(profile_delete(0, false, true));
    EXPECT_EQ(names(), (std::vector<std::string>{"only", "second"}));
    EXPECT_FALSE(rec.called("tabs 0"));
}

TEST_F(Profiles, DeletionRemovesTheReferencesToTheDeletedId) {
    four_profiles();
    model().project.sumps.resize(2);
    model().project.sumps[0].connections = "1|1\x1e" "2|3\x1e" "12|3\x1e";
    model().project.sumps[1].connections = "2|1";  // written by the node chooser
    kolizja to_deleted, to_other;
    to_deleted.twin_profile_id = 2;
    to_deleted.twin_node_id = 1;
    to_deleted.twin_distance = 4;
    to_other.twin_profile_id = 3;
    to_other.twin_node_id = 2;
    profile(0).crossings = {to_deleted, to_other};
    tundo of_deleted, of_other;
    of_deleted.profile_id = 2;
    of_other.profile_id = 1;
    model().undo_list = {of_deleted, of_other};
    model().redo_list = {of_deleted};

    EXPECT_TRUE(profile_delete(1, true, false));
    EXPECT_EQ(model().project.sumps[0].connections, "1|1\x1e" "12|3\x1e");
    EXPECT_EQ(model().project.sumps[1].connections, "");
    const kolizja& cleared = profile(0).crossings[0];
    EXPECT_EQ(cleared.twin_profile_id, 0);
    EXPECT_EQ(cleared.twin_node_id, 0);
    EXPECT_EQ(cleared.twin_distance, 0);
    EXPECT_EQ(profile(0).crossings[1].twin_profile_id, 3);
    ASSERT_EQ(model().undo_list.size(), 1u);
    EXPECT_EQ(model().undo_list[0].profile_id, 1);
    EXPECT_TRUE(model().redo_list.empty());

    // A new profile takes the largest id plus one: nothing names it from before.
    EXPECT_EQ(next_profile_id(), 5);
}

TEST_F(Profiles, ResetLeavesOneEmptyProfileAndEmptiesTheLists) {
    four_profiles();
    odcinek& first = profile(0);
    first.nazwa = "profil1";
    first.idp = 7;
    first.rysuj = false;
    first.networktype = 'k';
    first.poziom = true;
    first.poziom_wart = 95;
    first.main_typosz_id = 3;
    first.terrain_edited = true;
    first.pskalax = 250;  // another field keeps its value
    first.crossings.resize(2);
    first.tanks.resize(1);
    model().project.sumps.resize(2);
    model().project.pipe_series.resize(1);
    model().project.dane.inwestor = "Gmina";
    model().project.main_profile = 2;
    model().undo_list.resize(3);
    model().redo_list.resize(1);
    error_spec warning;
    warning.kind = 'u';
    error_add(warning);

    kasowanie_profili(true);
    ASSERT_EQ(model().profiles.size(), 1u);
    const odcinek& p = profile(0);
    EXPECT_EQ(p.nazwa, "profil2");
    EXPECT_EQ(p.idp, 1);
    EXPECT_TRUE(p.rysuj);
    EXPECT_FALSE(p.poziom);
    EXPECT_EQ(p.poziom_wart, 0);
    EXPECT_EQ(p.networktype, 'i');
    EXPECT_EQ(p.main_typosz_id, -1);
    EXPECT_EQ(p.crossing_source, 1);
    EXPECT_FALSE(p.terrain_edited);
    EXPECT_EQ(p.pskalax, 250);
    EXPECT_TRUE(p.nodes.empty());
    EXPECT_TRUE(p.crossings.empty());
    EXPECT_TRUE(p.tanks.empty());
    EXPECT_TRUE(model().project.sumps.empty());
    EXPECT_TRUE(model().project.pipe_series.empty());
    EXPECT_TRUE(model().warnings.empty());
    EXPECT_TRUE(model().undo_list.empty());
    EXPECT_TRUE(model().redo_list.empty());
    EXPECT_EQ(model().project.dane.inwestor, "");
    EXPECT_EQ(model().project.main_profile, -1);
    EXPECT_EQ(model().current_profile, 0);
    for (const char* call : {"clear", "table 0", "project data", "tabs 0"}) EXPECT_TRUE(rec.called(call)) << call;
}

TEST_F(Profiles, TabCaptions) {
    add_profile("profil3", 1);
    struct Case {
        bool included;
        int16_t main;
        const char* caption;
    };
    const Case cases[] = {
        {true, -1, "[+] profil3"}, {false, -1, "[-] profil3"}, {true, 0, "[[+]] profil3"}, {false, 0, "[[-]] profil3"},
    };
    for (const Case& c : cases) {
        profile(0).rysuj = c.included;
        model().project.main_profile = c.main;
        EXPECT_EQ(tabs_name_create(0), c.caption);
    }
}

// --- the main profile ------------------------------------------------------------

TEST_F(Profiles, TheMainMarkStaysOnItsProfile) {
    struct Case {
        const char* what;
        std::function<void()> run;
        const char* main_name;  // "" for none
    };
    const Case cases[] = {
        {"new profile before it", [] { prof_kreator(0, "new", false, false); }, "c"},
        {"new profile after it", [] { prof_kreator(2, "new", false, false); }, "c"},
        {"new profile at the end", [] { prof_kreator(0, "new", true, false); }, "c"},
        {"duplicate before it", [] { profil_duplikuj(0, false); }, "c"},
        {"duplicate of it", [] { profil_duplikuj(2, false); }, "c"},
        {"split before it", [] { profil_podziel(1, 1, false, false); }, "c"},
        {"deletion before it", [] { profile_delete(0, true, false); }, "c"},
        {"deletion after it", [] { profile_delete(3, true, false); }, "c"},
        {"deletion of it", [] { profile_delete(2, true, false); }, ""},
        {"move across it", [] { profil_przenies(0, 3); }, "c"},
        {"move of it", [] { profil_przenies(2, 0); }, "c"},
    };
    for (const Case& c : cases) {
        model().profiles.clear();
        four_profiles();
        profile(1).nodes.push_back(node_at(3, 20));
        model().project.main_profile = 2;
        c.run();
        const int16_t main = model().project.main_profile;
        const std::string got = main < 0 ? "" : profile(static_cast<uint16_t>(main)).nazwa;
        EXPECT_EQ(got, c.main_name) << c.what;
    }
}

TEST_F(Profiles, MovingProfileZeroToThreeKeepsTheMainAndTheCurrentProfile) {
    lettered(5);
    model().project.main_profile = 2;
    model().current_profile = 0;
    profil_przenies(0, 3);
    EXPECT_EQ(names(), (std::vector<std::string>{"b", "c", "d", "a", "e"}));
    EXPECT_EQ(model().project.main_profile, 1);
    EXPECT_EQ(model().current_profile, 3);
}

// --- reversing -------------------------------------------------------------------

TEST_F(Profiles, ReversingMovesSegmentValuesToTheOtherEnd) {
    const uint16_t p = line("r", 1, {0, 10, 30});
    node(p, 0).wez = "A";
    node(p, 1).wez = "B";
    node(p, 2).wez = "C";
    node(p, 0).spad = 2;
    node(p, 1).spad = 3;
    node(p, 0).mat = "PVC";
    node(p, 1).mat = "PE";
    node(p, 0).fi = value_pair(160);
    node(p, 1).fi = value_pair(200);
    node(p, 1).dno = {101.20, 100.90};
    node(p, 1).zag = {1.5, 1.8};

    odwroc_kolejnosc(p);
    EXPECT_EQ(node(p, 0).wez, "C");
    EXPECT_EQ(node(p, 2).wez, "A");
    EXPECT_EQ(node(p, 0).spad, -3);
    EXPECT_EQ(node(p, 1).spad, -2);
    EXPECT_EQ(node(p, 0).dlug, 20);
    EXPECT_EQ(node(p, 1).dlug, 10);
    EXPECT_EQ(node(p, 0).mat, "PE");
    EXPECT_EQ(node(p, 1).fi, value_pair(160));
    EXPECT_EQ(node(p, 2).spad, 2);  // A keeps its own former values
    EXPECT_EQ(node(p, 2).dlug, 10);
    EXPECT_EQ(node(p, 1).dno, value_pair(100.90, 101.20));
    EXPECT_EQ(node(p, 1).zag, value_pair(1.8, 1.5));
    EXPECT_EQ(chainages(p), (std::vector<double>{0, 20, 30}));
    EXPECT_TRUE(profile(p).pl2r_wart);
    for (const char* call : {"crossings 0", "direction 0", "table 0", "preview"}) EXPECT_TRUE(rec.called(call)) << call;
    EXPECT_EQ(rec.cursors, (std::vector<TCursor>{TCursor::crHourGlass, TCursor::crDefault}));
    EXPECT_EQ(Screen::Cursor(), TCursor::crDefault);
}

TEST_F(Profiles, ReversingSwapsTheSidesOfEnteredLines) {
    const uint16_t p = line("r", 1, {0, 10, 20});
    for (std::size_t i = 0; i < 3; ++i) node(p, i).ter = node(p, i).ter_used = value_pair(100 + i);
    wezel& step = node(p, 1);
    step.ter = step.ter_used = {100.0, 101.0};  // a step up in the terrain at B
    step.terp = step.terp_used = {99.0, 99.5};
    step.lin = {98.0, 98.2};
    step.lin2 = {97.0, 97.3};

    odwroc_kolejnosc(p);
    const wezel& b = node(p, 1);
    EXPECT_EQ(b.ter, value_pair(101.0, 100.0));
    EXPECT_EQ(b.ter_used, value_pair(101.0, 100.0));
    EXPECT_EQ(b.terp, value_pair(99.5, 99.0));
    EXPECT_EQ(b.lin, value_pair(98.2, 98.0));
    EXPECT_EQ(b.lin2, value_pair(97.3, 97.0));
}

TEST_F(Profiles, ReversingWithChainagesEnteredMirrorsThem) {
    set_modes(1, 3, 0);
    const uint16_t p = line("r", 1, {100, 130, 150});
    profile(p).stala_odleglosci = 1;
    odwroc_kolejnosc(p);
    EXPECT_EQ(chainages(p), (std::vector<double>{100, 120, 150}));
    EXPECT_EQ(node(p, 0).dlug, 20);
    EXPECT_EQ(node(p, 1).dlug, 30);
}

TEST_F(Profiles, ReversingMirrorsTheAnnotationsAboutTheirNodes) {
    const uint16_t p = line("r", 1, {0, 10, 20});
    odcinek& q = profile(p);
    oslonowa casing;
    casing.node_id = 2;
    casing.distance = 2;
    casing.length = 5;
    q.casings = {casing};
    teren_opis terrain;
    terrain.node_id = 1;
    terrain.distance = 1;
    terrain.length = 4;
    q.terrain_descriptions = {terrain};
    kolizja crossing;
    crossing.node_id = 2;
    crossing.distance = 3;
    q.crossings = {crossing};
    granica_opis boundary;
    boundary.node_id = 3;
    boundary.distance = -1;
    boundary.left_text = "Kowalski";
    boundary.right_text = "Nowak";
    q.boundaries = {boundary};
    rzedne_npm ordinate;
    ordinate.node_id = 1;
    ordinate.distance = 2;
    ordinate.ordinate = {101, 102};
    q.ordinates = {ordinate};

    odwroc_kolejnosc(p);
    EXPECT_EQ(q.casings[0].distance, -7);  // starts 7 m before its node
    EXPECT_EQ(q.terrain_descriptions[0].distance, -5);
    EXPECT_EQ(q.crossings[0].distance, -3);
    EXPECT_EQ(q.boundaries[0].distance, 1);
    EXPECT_EQ(q.boundaries[0].left_text, "Nowak");
    EXPECT_EQ(q.boundaries[0].right_text, "Kowalski");
    EXPECT_EQ(q.ordinates[0].distance, -2);
    EXPECT_EQ(q.ordinates[0].ordinate, value_pair(102, 101));
    EXPECT_EQ(q.crossings[0].chainage, 10);  // the copies follow the mirrored chainages
    EXPECT_EQ(q.ordinates[0].chainage, 20);
}

TEST_F(Profiles, ReversingKeepsATankOnItsStretchOfPipe) {
    const uint16_t p = profile_with_tanks();
    odwroc_kolejnosc(p);
    EXPECT_EQ(ids(p), (std::vector<uint16_t>{6, 5, 4, 3, 2, 1}));
    const wezel& tank = node(p, 1);  // the former node 4
    EXPECT_EQ(tank.obiekt, "osadnik");
    EXPECT_EQ(tank.wez, "OS1");
    EXPECT_EQ(tank.kom, "Osadnik 2 m3");
    EXPECT_EQ(profile(p).tanks[0].adds.node_id, tank.id);
    EXPECT_EQ(node(p, 2).obiekt, "");
    EXPECT_EQ(node(p, 5).obiekt, "separatort");  // the first node's tank is now on the last node
    EXPECT_EQ(profile(p).tanks[1].adds.node_id, node(p, 5).id);
}

TEST_F(Profiles, ReversingTwiceGivesTheProfileBack) {
    const uint16_t p = profile_with_tanks();
    for (std::size_t i = 0; i < 6; ++i) {
        node(p, i).dno = {100.0 - i, 99.9 - i};
        node(p, i).spad = 1.0 + i;
        node(p, i).ter = node(p, i).ter_used = {105.0 + i, 105.5 + i};
    }
    oslonowa casing;
    casing.node_id = 3;
    casing.distance = 2;
    casing.length = 5;
    profile(p).casings = {casing};
    const odcinek before = profile(p);

    odwroc_kolejnosc(p);
    odwroc_kolejnosc(p);
    const odcinek& after = profile(p);
    EXPECT_EQ(ids(p), (std::vector<uint16_t>{1, 2, 3, 4, 5, 6}));
    for (std::size_t i = 0; i < 6; ++i) {
        const wezel& a = after.nodes[i];
        const wezel& b = before.nodes[i];
        EXPECT_EQ(a.dno, b.dno) << i;
        EXPECT_EQ(a.ter, b.ter) << i;
        EXPECT_EQ(a.odl, b.odl) << i;
        EXPECT_EQ(a.obiekt, b.obiekt) << i;
        if (i + 1 < 6) {
            EXPECT_EQ(a.spad, b.spad) << i;
        }
    }
    EXPECT_EQ(after.tanks[0].adds.node_id, 4);
    EXPECT_EQ(after.tanks[1].adds.node_id, 1);
    EXPECT_EQ(after.casings[0].distance, 2);
    EXPECT_EQ(after.pl2r_wart, before.pl2r_wart);
}

// --- duplicating -----------------------------------------------------------------

TEST_F(Profiles, DuplicateTwoOfFourStartsAsACopyOfTheSource) {
    four_profiles();
    odcinek& source = profile(2);
    source.startAngle = 30;
    source.startX = 500;
    source.crossing_source = 1;
    source.crossings.resize(2);
    source.tanks.resize(1);
    source.scheme_text = "S1";
    profile(3).startAngle = 60;
    model().current_profile = 2;

    EXPECT_EQ(profil_duplikuj(2, true), 3);
    EXPECT_EQ(names(), (std::vector<std::string>{"a", "b", "c", "profil1", "d"}));
    const odcinek& copy = profile(3);
    EXPECT_EQ(copy.idp, 5);
    EXPECT_EQ(copy.startAngle, 30);
    EXPECT_EQ(copy.startX, 0);
    EXPECT_EQ(copy.crossing_source, 0);
    EXPECT_EQ(copy.scheme_text, "");
    EXPECT_EQ(copy.crossings.size(), 2u);
    EXPECT_EQ(copy.tanks.size(), 1u);
    EXPECT_EQ(ids(3), ids(2));
    EXPECT_EQ(profile(4).idp, 4);
    EXPECT_TRUE(rec.called("tabs 2"));
}

// --- splitting -------------------------------------------------------------------

TEST_F(Profiles, SplitAtAnInnerNodeSharesIt) {
    const uint16_t p = line("s", 1, {0, 10, 20, 23, 30, 40});
    for (std::size_t i = 0; i < 6; ++i) node(p, i).wez = "N" + std::to_string(i);
    odcinek& q = profile(p);
    kolizja before_cut;  // bound to N3 but lying at 18 m, in the first part
    before_cut.node_id = 4;
    before_cut.chainage = 23;
    before_cut.distance = -5;
    before_cut.medium = "gaz";
    kolizja at_cut;
    at_cut.node_id = 3;
    at_cut.chainage = 20;
    at_cut.distance = 1;
    at_cut.medium = "woda";
    q.crossings = {before_cut, at_cut};
    q.tanks.resize(2);
    q.tanks[0].adds.node_id = 1;
    q.tanks[1].adds.node_id = 5;
    wezel& n2 = node(p, 2);
    n2.ter = {0, 0};
    n2.ter_used = {101.5, 101.7};
    n2.kat = 12;

    EXPECT_TRUE(profil_podziel(p, 2, false, true));
    ASSERT_EQ(model().profiles.size(), 2u);
    const odcinek& a = profile(0);
    const odcinek& b = profile(1);
    EXPECT_EQ(ids(0), (std::vector<uint16_t>{1, 2, 3}));
    EXPECT_EQ(ids(1), (std::vector<uint16_t>{3, 4, 5, 6}));
    EXPECT_EQ(a.nodes.back().wez, "N2");
    EXPECT_EQ(b.nodes.front().wez, "N2");
    EXPECT_EQ(chainages(1), (std::vector<double>{0, 3, 10, 20}));

    ASSERT_EQ(a.crossings.size(), 1u);
    EXPECT_EQ(a.crossings[0].medium, "gaz");
    EXPECT_EQ(a.crossings[0].node_id, 2);
    EXPECT_DOUBLE_EQ(a.crossings[0].distance, 8);
    ASSERT_EQ(b.crossings.size(), 1u);
    EXPECT_EQ(b.crossings[0].medium, "woda");
    EXPECT_EQ(b.crossings[0].node_id, 3);
    EXPECT_EQ(b.crossings[0].chainage, 0);  // copies follow the shifted chainages
    ASSERT_EQ(a.tanks.size(), 1u);
    EXPECT_EQ(a.tanks[0].adds.node_id, 1);
    ASSERT_EQ(b.tanks.size(), 1u);
    EXPECT_EQ(b.tanks[0].adds.node_id, 5);

    EXPECT_EQ(a.nodes.back().ter, value_pair(101.5, 101.5));
    EXPECT_EQ(a.nodes.back().kat, 0);
    EXPECT_EQ(b.nodes.front().ter, value_pair(101.7, 101.7));
}

TEST_F(Profiles, SplitWithChainagesEnteredKeepsTheSegmentLengths) {
    set_modes(1, 3, 0);
    const uint16_t p = line("s", 1, {100, 110, 120, 123, 130});
    profile(p).stala_odleglosci = 1;
    model().current_profile = p;
    EXPECT_TRUE(profil_podziel(p, 2, true, true));
    EXPECT_EQ(chainages(1), (std::vector<double>{0, 3, 10}));
    EXPECT_EQ(node(1, 0).dlug, 3);
    EXPECT_EQ(node(1, 1).dlug, 7);
    EXPECT_EQ(node(0, 1).dlug, 10);
}

TEST_F(Profiles, SplitAtTheEndsSplitsNothing) {
    const uint16_t p = line("s", 1, {0, 10, 20});
    for (int at : {0, 2, 3}) {
        EXPECT_FALSE(profil_podziel(p, at, true, true)) << at;
        EXPECT_EQ(model().profiles.size(), 1u) << at;
    }
}

// --- joining ---------------------------------------------------------------------

TEST_F(Profiles, JoinByNameSharesTheNodeAndMapsTheIds) {
    const uint16_t t = line("target", 1, {0, 50});
    const uint16_t s = line("source", 2, {200, 230, 260});
    node(t, 1).wez = "K";
    node(s, 0).wez = "K";
    node(s, 0).dlug = 30;
    node(s, 0).spad = 1.5;
    node(s, 0).mat = "PVC";
    node(s, 0).fi = value_pair(160);
    node(s, 0).dno = {99.5, 99.4};
    node(s, 0).kat = 15;
    node(t, 1).dno = {99.6, 99.6};
    kolizja bound, unbound;
    bound.node_id = 2;
    unbound.node_id = 9;
    profile(s).crossings = {bound, unbound};
    profile(s).tanks.resize(1);
    profile(s).tanks[0].adds.node_id = 3;
    model().project.sumps.resize(1);
    model().project.sumps[0].connections = "2|2\x1e" "1|1\x1e";

    EXPECT_TRUE(profil_polacz(t, s, false, true));
    ASSERT_EQ(model().profiles.size(), 1u);
    EXPECT_EQ(ids(0), (std::vector<uint16_t>{1, 2, 3, 4}));
    EXPECT_EQ(model().scratch[0], "00001=00002");
    EXPECT_EQ(model().scratch[1], "00002=00003");
    const wezel& joint = node(0, 1);
    EXPECT_EQ(joint.dlug, 30);
    EXPECT_EQ(joint.spad, 1.5);
    EXPECT_EQ(joint.mat, "PVC");
    EXPECT_EQ(joint.fi, value_pair(160));
    EXPECT_EQ(joint.dno, value_pair(99.6, 99.4));
    EXPECT_EQ(joint.kat, 15);
    EXPECT_EQ(chainages(0), (std::vector<double>{0, 50, 80, 110}));
    ASSERT_EQ(profile(0).crossings.size(), 2u);
    EXPECT_EQ(profile(0).crossings[0].node_id, 3);
    EXPECT_EQ(profile(0).crossings[1].node_id, 0);
    EXPECT_EQ(profile(0).tanks[0].adds.node_id, 4);
    EXPECT_EQ(model().project.sumps[0].connections, "1|3\x1e" "1|1\x1e");  // the link follows its node
}

TEST_F(Profiles, JoinWithChainagesEnteredKeepsTheSegmentLengths) {
    set_modes(1, 3, 0);
    const uint16_t t = line("target", 1, {0, 50});
    const uint16_t s = line("source", 2, {200, 230, 265});
    for (uint16_t p : {t, s}) profile(p).stala_odleglosci = 1;
    node(t, 1).wez = "K";
    node(s, 0).wez = "K";
    EXPECT_TRUE(profil_polacz(t, s, true, true));
    EXPECT_EQ(chainages(0), (std::vector<double>{0, 50, 80, 115}));
    EXPECT_EQ(node(0, 1).dlug, 30);
    EXPECT_EQ(node(0, 2).dlug, 35);
}

TEST_F(Profiles, JoinByPlanPositionOnlyAwayFromTheOrigin) {
    struct Case {
        double x, y;
        std::size_t nodes;
    };
    for (const Case c : {Case{100, 200, 4u}, Case{0, 0, 5u}, Case{100, 0, 5u}}) {
        model().profiles.clear();
        const uint16_t t = line("target", 1, {0, 50});
        const uint16_t s = line("source", 2, {0, 30, 60});
        node(t, 1).wsplx = node(s, 0).wsplx = c.x;
        node(t, 1).wsply = node(s, 0).wsply = c.y;
        EXPECT_TRUE(profil_polacz(t, s, false, false));
        EXPECT_EQ(profile(t).nodes.size(), c.nodes) << c.x << "," << c.y;
        EXPECT_TRUE(profile(s).nodes.empty());
    }
}

TEST_F(Profiles, JoinPastTheLastIdIsRefused) {
    const uint16_t t = line("target", 1, {0, 50});
    const uint16_t s = line("source", 2, {0, 30, 60});
    node(t, 1).id = 65533;
    EXPECT_FALSE(profil_polacz(t, s, true, true));
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_NE(ui().boxes[0].text.find("65535"), std::string::npos);
    EXPECT_EQ(model().profiles.size(), 2u);
    EXPECT_EQ(profile(t).nodes.size(), 2u);

    node(t, 1).id = 65532;  // three new ids fit exactly
    EXPECT_TRUE(profil_polacz(t, s, false, true));
    EXPECT_EQ(profile(0).nodes.back().id, 65535);
}

TEST_F(Profiles, JoinShowsTheTargetAtItsNewIndex) {
    const uint16_t s = line("source", 1, {0, 10});
    line("other", 2, {0, 10});
    const uint16_t t = line("target", 3, {0, 20});
    model().current_profile = s;
    EXPECT_TRUE(profil_polacz(t, s, true, true));
    EXPECT_EQ(names(), (std::vector<std::string>{"other", "target"}));
    EXPECT_EQ(model().current_profile, 1);
    EXPECT_TRUE(rec.called("tabs 1"));
    EXPECT_TRUE(rec.called("table 1"));  // the target, now current, was recalculated
    EXPECT_EQ(chainages(1), (std::vector<double>{0, 20, 20, 30}));
}

// --- node predicates, node insertion, annotation delete ---------------------------

TEST_F(Profiles, InnerNodeNames) {
    const uint16_t a = line("a", 1, {0, 10, 20});
    const uint16_t b = line("b", 2, {0, 10});
    node(a, 0).wez = "S1";
    node(a, 1).wez = "S2";
    node(a, 2).wez = "S3";
    node(b, 0).wez = "S4";
    node(b, 1).wez = "S5";
    const std::pair<const char*, bool> cases[] = {{"S1", false}, {"S2", true}, {"S3", false}, {"S4", false}, {"", false}};
    for (const auto& [name, inner] : cases) EXPECT_EQ(czy_wezel_wewn(name), inner) << name;
    node(b, 1).wez = "S1";
    line("c", 3, {0, 10, 20});
    node(2, 1).wez = "S1";
    EXPECT_TRUE(czy_wezel_wewn("S1"));  // the first node's name is an inner node elsewhere
}

TEST_F(Profiles, SamePlanPosition) {
    const uint16_t a = line("a", 1, {0, 10});
    const uint16_t b = line("b", 2, {0, 10});
    struct Case {
        double ax, ay, bx, by;
        bool same;
    };
    const Case cases[] = {{5, 6, 5, 6, true}, {5, 6, 5, 7, false}, {0, 6, 0, 6, false}, {5, 0, 5, 0, false}};
    for (const Case& c : cases) {
        node(a, 1).wsplx = c.ax;
        node(a, 1).wsply = c.ay;
        node(b, 0).wsplx = c.bx;
        node(b, 0).wsply = c.by;
        EXPECT_EQ(czy_wezly_takie_same_wspl(a, b, 1, 0), c.same) << c.ax << " " << c.ay;
    }
    EXPECT_FALSE(czy_wezly_takie_same_wspl(a, 5, 1, 0));
    EXPECT_FALSE(czy_wezly_takie_same_wspl(a, b, 1, 2));
}

TEST_F(Profiles, InsertingANodeBeforeTheCurrentRow) {
    const uint16_t p = line("a", 1, {0, 10, 20});
    node(p, 2).id = 7;
    model().current_profile = p;
    rec.row = 1;
    EXPECT_EQ(wstaw(false), 1);
    EXPECT_EQ(ids(p), (std::vector<uint16_t>{1, 8, 2, 7}));
    EXPECT_EQ(rec.calls.front(), "finish edit");  // the open cell edit is stored first
    EXPECT_TRUE(rec.called("colours"));
    EXPECT_EQ(wstaw(true), 4);
    EXPECT_EQ(profile(p).nodes.back().id, 9);

    const uint16_t empty = add_profile("empty", 2);
    model().current_profile = empty;
    rec.row = 5;
    EXPECT_EQ(wstaw(false), 0);
    EXPECT_EQ(ids(empty), (std::vector<uint16_t>{1}));
}

TEST_F(Profiles, SilentAnnotationDelete) {
    const uint16_t p = line("a", 1, {0, 10});
    profile(p).casings.resize(3);
    for (int i = 0; i < 3; ++i) profile(p).casings[static_cast<std::size_t>(i)].description = std::to_string(i);
    usun_adnotacje(annotation_kind::casing, p, 1);
    usun_adnotacje(annotation_kind::casing, p, 5);
    ASSERT_EQ(profile(p).casings.size(), 2u);
    EXPECT_EQ(profile(p).casings[1].description, "2");
    EXPECT_TRUE(ui().boxes.empty());
}

}  // namespace
