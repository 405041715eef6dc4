#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/tanks.h"
#include "platform/files.h"
#include "support/profile_fixture.h"

namespace {

using Tanks = ProfileTest;

// The node ids that the profile's tank records are bound to, in order.
std::vector<uint16_t> bound_ids(uint16_t p) {
    std::vector<uint16_t> out;
    for (const mat_osadnik& t : model().profiles[p].tanks) out.push_back(t.adds.node_id);
    return out;
}

TEST_F(Tanks, PurgeKeepsTheRecordsOfTankNodesAndOfUnknownIds) {
    const uint16_t p = line("a", 1, {0, 10, 20, 30, 40, 50, 60, 70});
    node(p, 4).obiekt = "zasuwa";    // id 5: once a tank, now a valve
    node(p, 6).obiekt = "Osadnik";  // id 7: still a tank
    profile(p).tanks.resize(3);
    profile(p).tanks[0].adds.node_id = 5;
    profile(p).tanks[1].adds.node_id = 7;
    profile(p).tanks[2].adds.node_id = 42;  // no node has this id
    usun_nieuzywane_osadniki(p);
    EXPECT_EQ(bound_ids(p), (std::vector<uint16_t>{7, 42}));
}

TEST_F(Tanks, RemovingOneRecord) {
    const uint16_t p = line("a", 1, {0, 10, 20});
    node(p, 1).obiekt = "osadnik";
    profile(p).tanks.resize(3);
    for (uint16_t i = 0; i < 3; ++i) profile(p).tanks[i].adds.node_id = static_cast<uint16_t>(i + 1);
    usun_osadnik(p, 0, 2);  // by index; the node does not count
    EXPECT_EQ(bound_ids(p), (std::vector<uint16_t>{1, 2}));
    usun_osadnik(p, 1, -1);  // the record of node 1 (id 2)
    EXPECT_EQ(bound_ids(p), (std::vector<uint16_t>{1}));
    usun_osadnik(p, 1, -1);  // none left for it
    usun_osadnik(p, 0, 7);
    EXPECT_EQ(bound_ids(p), (std::vector<uint16_t>{1}));
}

TEST_F(Tanks, TreatmentPlantCodes) {
    const std::pair<const char*, bool> cases[] = {
        {"epurbloc", true}, {"EPURBLOC 3000", true}, {"sl-fe", true}, {"x sl-sg", true},
        {"sl-rr", false},   {"osadnik", false},      {"", false},
    };
    for (const auto& [text, code] : cases) EXPECT_EQ(has_treatment_code(text), code) << text;
}

TEST_F(Tanks, BuiltInElements) {
    struct Case {
        const char* text;
        bool found;
        uint16_t length;
    };
    const Case cases[] = {
        {"epurbloc", true, 1800}, {" epurbloc 3000 ", true, 2300}, {"sl-sg", true, 800},
        {"sl-fe", true, 1500},    {"epurbloc 5000", false, 0},     {"sl-fe2", false, 0},
    };
    for (const Case& c : cases) {
        mat_osadnik t;
        t.length = 99;  // a previous result does not survive
        t.main.name = "old";
        EXPECT_EQ(osadnik_dane2(t, c.text), c.found) << c.text;
        EXPECT_EQ(t.length, c.length) << c.text;
        if (!c.found) {
            EXPECT_EQ(t.main.name, "");
        }
    }

    // Every element can be placed: it has a run length, inlet and outlet
    // heights inside its body, and a cover.
    for (const std::string& name : treatment_element_names()) {
        mat_osadnik t;
        ASSERT_TRUE(osadnik_dane2(t, name)) << name;
        EXPECT_TRUE(has_treatment_code(name)) << name;
        EXPECT_GT(t.length, 0) << name;
        EXPECT_GT(t.width, 0) << name;
        EXPECT_GT(t.height_inlet_bottom, t.height_outlet_bottom) << name;
        EXPECT_LT(t.height_inlet_bottom, t.height) << name;
        EXPECT_GT(t.volume, 0) << name;
        EXPECT_GT(t.covers[0].width, 0) << name;
        EXPECT_EQ(t.adds.type.substr(0, 5), name.substr(0, 5)) << name;
    }
}

TEST_F(Tanks, UnknownElementMessageNamesTheTextAndTheKnownOnes) {
    const std::string known = "Znane elementy: epurbloc, epurbloc 3000, sl-sg, sl-fe.";
    EXPECT_EQ(unknown_treatment_element_message("epurbloc 5000"),
              "Nie znaleziono wymiarów elementu oczyszczalni: \"epurbloc 5000\".\r\n"_cp + known);
}

TEST_F(Tanks, ObjectFilesAreFoundWhateverTheLetterCase) {
    write_file(home.file("Komora2.HLO"), "[object]\r\n");
    write_file(home.file("osadnik.hlo"), "[object]\r\n");
    struct Case {
        std::string path;
        std::string found;
    };
    const std::string dir = home.path();
    const Case cases[] = {
        {dir + "/osadnik.hlo", dir + "/osadnik.hlo"},
        {dir + "/komora2.hlo", dir + "/Komora2.HLO"},
        {dir + "\\KOMORA2.hlo", dir + "/Komora2.HLO"},
        {dir + "/komora3.hlo", ""},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(find_object_file(c.path), c.found) << c.path;
}

}  // namespace
