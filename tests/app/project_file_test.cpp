// Project files as the main window writes and opens them: the hand-checked
// golden file, the round trips, older forms of the file, damaged files and
// the legacy text.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "files/project_format.h"
#include "files/project_reader.h"
#include "files/project_writer.h"
#include "files/title_block.h"
#include "forms/dane.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/state.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/input.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"
#include "support/fixture.h"

namespace {

const std::string ra = "\xA4";  // the item separator
const std::string data_folder = std::string(HALVOREN_TEST_DATA) + "/project/";

std::string text_of(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

// The sections and keys that the project format fixes itself: the profile,
// sump and pipe-series sections, the project data, the title block and the
// project keys of the settings sections ("kolumny" follows the main table);
// the rest is the settings writer's.
std::string projection(const std::string& file) {
    const project_text text(file);
    std::string out;
    std::string section;
    bool whole = false;
    for (std::string_view line : text.lines()) {
        const std::string t = Trim(line);
        if (!t.empty() && t[0] == '[') {
            section = LowerCase(t.substr(1, t.find(']') - 1));
            whole = (section.size() > 1 && section[0] == 'p' && std::isdigit(static_cast<unsigned char>(section[1]))) ||
                    section == "sumps" || section.rfind("pipe", 0) == 0 || section == "dane_proj" ||
                    section.rfind("tabs", 0) == 0 || section == "rozne";
            if (whole) out += std::string(line) + "\r\n";
            continue;
        }
        const std::string key = LowerCase(Trim(line.substr(0, line.find('='))));
        static const std::vector<std::pair<std::string, std::string>> keys = {
            {"format", "wersja"},        {"format", "configfile"},   {"format", "offx_profil"},
            {"format", "offy_profil"},   {"format", "offx_przekroj"}, {"format", "offy_przekroj"},
            {"inne", "main_profile"},    {"inne", "next_typosz_id"}, {"calc", "saveparamsinhlv"},
            {"calc", "savecalcparamsinhlv"}};
        bool listed = false;
        for (const auto& [s, k] : keys) listed = listed || (s == section && k == key);
        if (whole || listed) out += (whole ? "" : "[" + section + "] ") + std::string(line) + "\r\n";
    }
    return out;
}

class ProjectFile : public ProgramTest {
protected:
    ProjectFile() {
        decimal_separator = ',';
        euro_rounding = true;
        Form1->sb_nowy_projektClick(nullptr);  // as the program's start does
    }

    // A new program in place of this one (its windows and state fresh), with
    // the separator given.
    void fresh_program(char separator) {
        prog.reset();
        prog = std::make_unique<Program>(*services_, std::vector<std::string>{home.file("bin/halvoren")});
        decimal_separator = separator;
        euro_rounding = true;
        Form1->sb_nowy_projektClick(nullptr);
    }

    static std::string write(const std::string& path) {
        write_project_file(path);
        return read_file(path);
    }
    // The body lines alone: what the project holds.
    static std::string body() {
        std::string out;
        project_body(out);
        return out;
    }

    // Reads a file into the open project as the open command does.
    void open(const std::string& path) { Form1->otworz(path, false); }

    // The hand-built project of the golden file.
    static void build_project() {
        model_state& m = model();
        m.profiles.clear();

        odcinek empty;
        empty.idp = 7;
        empty.nazwa = "Kanał boczny"_cp;
        empty.rownol = true;
        empty.rysuj = false;
        empty.poziom = true;
        empty.poziom_wart = 101.25;
        empty.pskala = true;
        empty.pskalax = 500;
        empty.pl2r = true;
        empty.pl2r_wart = false;
        empty.rzedna = 2;
        empty.stala = 3;
        empty.stala_odleglosci = 1;
        empty.networktype = 'k';
        empty.main_typosz_id = 2;
        empty.startX = 1234.5;
        empty.startY = -56.25;
        empty.startAngle = 45.5;
        empty.domysl_typ_kresk = 3;
        m.profiles.push_back(empty);

        odcinek one;
        one.idp = 3;
        one.nazwa = "Przyłącze nr 2"_cp;
        one.rysuj = true;
        one.pl2r_wart = true;
        one.networktype = 'w';
        one.main_typosz_id = -1;
        wezel lone;
        lone.id = 4;
        lone.ter = {100.5, 100.5};
        lone.dno = {98.25, 98.25};
        lone.zag = {2.25, 2.25};
        lone.fi = {110, 110};
        lone.mat = "PE 110"_cp;
        lone.wez = "Hydrant główny"_cp;
        lone.obiekt = "hydrant podz.";
        lone.tidx = -1;
        one.nodes.push_back(lone);
        m.profiles.push_back(one);

        odcinek three;
        three.idp = 12;
        three.nazwa = "Sieć kanalizacyjna"_cp;
        three.rysuj = true;
        three.pl2r_wart = true;
        three.networktype = 'd';
        three.main_typosz_id = 1;
        three.startAngle = -90;
        for (int i = 0; i < 3; ++i) {
            wezel w;
            w.id = static_cast<uint16_t>(i == 2 ? 9 : i + 1);
            w.ter = {120.5 + i, 120.75 + i};
            w.dno = {118.125 - i, 118.125 - i};
            w.zag = {2.375, 2.625 + i};
            w.dlug = 25.5 + i;
            w.spad = 0.5123456789123 + i;
            w.mat = "PVC lite"_cp;
            w.fi = {200, i == 1 ? 250.0 : 200.0};
            w.odl = 10 + 25.5 * i;
            w.flow = 1.25 * (i + 1);
            w.sflow = 1.25 * (i + 1) * (i + 2) / 2;  // the flows summed downstream, as opening finds them
            w.scale = 250 + i;
            w.obiekt = i == 2 ? "osadnik" : "rewizyjna";
            w.kom = "Węzeł przy drodze nr "_cp + std::to_string(i + 1);
            w.wez = "S" + std::to_string(i + 1);
            w.lin = {119.0 + i, 119.5 + i};
            w.lin2 = {117.75, 117.75};
            w.kat = 12.5 * i + 1;
            w.wsplx = 5512345.125 + i;
            w.wsply = 4623456.5 - i;
            w.szer = {0.8, 0.9};
            w.terp = {121.125, 121.125};
            w.var = i == 0 ? "1,2|3|" : "";
            w.var2 = i == 1 ? "5" : "";
            w.tidx = static_cast<int16_t>(i == 1 ? 2 : -1);
            w.rad = 1.5 * (i + 1);
            three.nodes.push_back(w);
        }
        // A comment with the item separator, the list byte and a line break.
        three.nodes[1].kom = "uwaga"_cp + ra + "x\x1Ey\r\nz";

        kolizja k;
        k.node_id = 2;
        k.distance = 1.5;
        k.medium = "gaz ś/c"_cp;
        k.description = "@_tk_medium DN@_tk_srednica";
        k.ordinate = 119.25;
        k.diameter = 160;
        k.chainage = 35.5;
        k.diameter2 = 90;
        k.projected = true;
        k.to_remove = true;
        k.twin_profile_id = 3;
        k.twin_node_id = 4;
        k.twin_distance = 2.75;
        k.height = 0.4;
        k.automatic = true;
        k.angle = 75.5;
        three.crossings.push_back(k);

        oslonowa o;
        o.node_id = 1;
        o.distance = 2.5;
        o.diameter = 300;
        o.length = -6;
        o.material = "stal";
        o.description = "rura osłonowa"_cp;
        o.chainage = 10;
        o.kind = "A";
        three.casings.push_back(o);

        przekroj s;
        s.node_id = 9;
        s.distance = 0.5;
        s.name = "A-A";
        s.chainage = 61;
        s.layer_names = "glina\x1Epiasek drobny\x1E";
        s.layer_abbreviations = "G\x1EPd\x1E";
        s.layer_thicknesses = "0,5\x1E" "1,25\x1E";
        s.layer_name_list = {"glina", "piasek drobny"};
        s.layer_abbreviation_list = {"G", "Pd"};
        s.layer_thickness_list = {"0,5", "1,25"};
        s.ground_water = 117.5;
        three.sections.push_back(s);

        teren_opis t;
        t.node_id = 1;
        t.distance = 3;
        t.chainage = 10;
        t.length = 12.5;
        t.description = "łąka"_cp;
        t.abbreviation = "Ł"_cp;
        t.hatching = "grunt";
        three.terrain_descriptions.push_back(t);

        granica_opis g;
        g.node_id = 2;
        g.distance = 4.5;
        g.chainage = 35.5;
        g.left_text = "dz. 12/3";
        g.right_text = "dz. 12/4 Kowalski";
        g.automatic = true;
        g.angle = 80;
        three.boundaries.push_back(g);

        rzedne_npm r;
        r.node_id = 9;
        r.distance = 1.25;
        r.chainage = 61;
        r.ordinate = {122.5, 122.75};
        r.line_code = 8;
        r.description = "skarpa";
        three.ordinates.push_back(r);

        mat_osadnik tank;
        tank.adds.node_id = 9;
        tank.main.name = "Osadnik 2000"_cp;
        tank.adds.description = "osadnik gnilny";
        tank.adds.producer = "Eko Sp. z o.o.";
        tank.adds.index = "OS-2";
        tank.volume = 2000;
        tank.length = 2000;
        tank.width = 1200;
        tank.height = 1500;
        tank.height_inlet_bottom = 1100;
        tank.height_outlet_bottom = -1050;
        tank.inlet_diameter = 160;
        tank.r_top = {300, 250};
        tank.r_bottom = 100;
        tank.covers[0] = {600, 610, 200, 150, 80, 400, 120, 3};
        tank.covers[1] = {620, 630, 350, 160, 90, 410, 130, 2};
        tank.covers[2] = {640, 650, 1400, 170, 95, 420, 140, 1};
        tank.base1_distance_from_left = 10;
        tank.base1_width = 20;
        tank.base1_height = 30;
        tank.base2_distance_from_right = 40;
        tank.base2_width = 50;
        tank.basement_length = 2100;
        tank.basement_width = 1300;
        tank.basement_height = 150;
        tank.thickness = 80;
        tank.partition1_left = 900;
        tank.partition2_left = 1500;
        tank.adds.color = 0x00336699;
        tank.adds.material = "beton";
        tank.adds.date = "2024-05-01";
        tank.partition1_height = 1200;
        tank.partition2_height = -5;
        three.tanks.push_back(tank);
        m.profiles.push_back(three);
        m.project.main_profile = 1;

        for (int i = 0; i < 2; ++i) {
            mat_studzienka st;
            st.adds.node_id = static_cast<uint16_t>(i + 1);
            st.main.name = "Studnia "_cp + std::to_string(i + 1);
            st.adds.description = "studnia betonowa";
            st.adds.producer = "Prefabet";
            st.adds.index = "SB-100" + std::to_string(i);
            st.height_all = static_cast<uint16_t>(2500 + i);
            st.height_bottom2inlet = 300;
            st.height_ordinate = -1200 + i;
            st.diameter = 1000;
            st.cover_diameter = 600;
            st.cover_distance_from_border = 100;
            st.cover_height = 120;
            st.cone_height = 600;
            st.extension_height = 250;
            st.max_extension_count = static_cast<int8_t>(-2 + i);
            st.fittings = "zasuwa;kolano";
            st.connections = "12|1\x1E" "12|2\x1E";
            st.height_above_terrain = 50;
            st.kind = i == 0 ? 'k' : 'd';
            st.adds.node_name = "S" + std::to_string(i + 1);
            st.thickness = 120;
            st.anchor2ground = true;
            st.without_bottom = i == 1;
            st.drop = true;
            st.adds.color = 0x00A0B0C0;
            st.adds.material = "beton B45";
            st.adds.date = "2023-11-30";
            st.extra_inlet = "1,5";
            st.bottom_thickness = 150;
            st.filter_diameter = 315;
            st.filter_top_to_pipe_bottom_distance = 200;
            st.drop_size = -160;
            st.drop_corr_y = 75;
            st.drop_diameter = 160;
            m.project.sumps.push_back(st);
        }
        for (int j = 0; j < 2; ++j) {
            mat_rura_typosz ps;
            ps.main.id = j + 1;
            ps.main.name = std::string("PVC-U klasa ") + (j == 0 ? "S" : "N");
            ps.adds.type = "pipe";
            ps.adds.description = "rury kanalizacyjne";
            ps.adds.producer = "Wavin";
            ps.adds.index = "W-" + std::to_string(j);
            ps.adds.color = 0x0000FF00;
            ps.adds.material = "PVC";
            ps.adds.date = "2022-01-15";
            ps.diameter = {"160", "200", "250/200"};
            ps.thickness = {"4,7", "5,9", "7,3"};
            ps.indexes = {"K160", "K200", "K250"};
            ps.length = {"3", "3", "6"};
            ps.pipe_class = "S";
            ps.sdr = "34";
            ps.sn = "8";
            ps.pn = "";
            ps.mop = "0";
            ps.roughness = "0,01";
            ps.medium = "ścieki"_cp;
            m.project.pipe_series.push_back(ps);
        }
        m.project.next_typosz_id = 3;

        projekt_dane& d = m.project.dane;
        d = {"Gmina Łódź"_cp, "ul. Piotrkowska 104"_cp, "90-926", "Łódź"_cp, "Kanalizacja",
             "Budowa kanału"_cp, "Kraków ul. Długa"_cp, "30-001", "Kraków"_cp, "Kraków"_cp,
             "123/4", "sanitarna", "Z-17/2024", "2024-06-11", "wł. 1"_cp, "wł. 2"_cp, "wł. 3"_cp};
        for (int r = 1; r <= 10; ++r)
            for (int c = 1; c <= 4; ++c)
                tdane->sag_dane_kadra->SetCell(c, r, "Osoba "_cp + std::to_string(r) + " pole " + std::to_string(c));

        TMemo* box = Form1->make_text_box(1, 10, 20, 300, 60);
        box->Lines().Add("  Projektant:\tJan Kowalski");
        box->Lines().Add("Branża sanitarna"_cp);
        TMemo* second = Form1->make_text_box(2, 320, 20, 200, 19);
        second->Lines().Add("Skala 1:500");
        cre_combo(540, 5, "PROFIL PODŁUŻNY"_cp, 300);
        Form1->a_it_TitleList->SetChecked(true);
    }
};

TEST_F(ProjectFile, TheWriterGivesTheHandCheckedGoldenFile) {
    build_project();
    const std::string written = write(home.file("golden.hlv"));
    EXPECT_EQ(projection(written), projection(read_file(data_folder + "golden.hlv")));
}

TEST_F(ProjectFile, TheGoldenFileReadIntoAFreshProgramIsWrittenAgainAlike) {
    const std::string copy = home.file("golden.hlv");
    write_file(copy, read_file(data_folder + "golden.hlv"));
    open(copy);
    ASSERT_EQ(model().profiles.size(), 3u);
    EXPECT_EQ(projection(write(home.file("again.hlv"))), projection(read_file(data_folder + "golden.hlv")));
    // The comment's separator, list byte and line break became blanks, and
    // the cells after it kept their nodes.
    const auto& nodes = model().profiles[2].nodes;
    EXPECT_EQ(nodes[1].kom, "uwaga x y z");
    EXPECT_EQ(nodes[1].wez, "S2");
    EXPECT_EQ(nodes[2].kom, "Węzeł przy drodze nr 3"_cp);
    EXPECT_EQ(nodes[1].tidx, 2);
    EXPECT_EQ(nodes[0].tidx, -1);
    EXPECT_EQ(model().project.main_profile, 1);
}

TEST_F(ProjectFile, WritingReadingAndWritingGivesTheSameBytes) {
    build_project();
    const std::string first = write(home.file("first.hlv"));
    fresh_program(',');
    open(home.file("first.hlv"));
    EXPECT_EQ(write(home.file("second.hlv")), first);
    EXPECT_FALSE(model().project_modified);
}

TEST_F(ProjectFile, AFileWrittenWithOneSeparatorReadsAlikeWithTheOther) {
    for (const char written_with : {',', '.'}) {
        const char read_with = written_with == ',' ? '.' : ',';
        fresh_program(written_with);
        build_project();
        // Texts take the separator of the system that reads them ("var",
        // a pipe series' wall thickness, a sump's item 28, a layer
        // thickness); these hold none here.
        model_state& m = model();
        m.profiles[2].nodes[0].var = "7|3|";
        m.profiles[2].sections[0].layer_thicknesses = "1\x1E" "2\x1E";
        m.profiles[2].sections[0].layer_thickness_list = {"1", "2"};
        for (mat_rura_typosz& ps : m.project.pipe_series) ps.thickness = {"5", "6", "7"};
        for (mat_studzienka& st : m.project.sumps) st.extra_inlet = "2";
        const std::string before = body();
        write(home.file("sep.hlv"));
        fresh_program(read_with);
        open(home.file("sep.hlv"));
        decimal_separator = written_with;
        EXPECT_EQ(body(), before) << written_with;
    }
}

// --- older and shorter forms ----------------------------------------------------------------

struct older_case {
    const char* what;
    std::vector<std::string> lines;
    std::function<void(const project_content&)> check;
};

TEST_F(ProjectFile, OlderAndShorterFormsReadWithTheirDefaults) {
    decimal_separator = ',';
    topcje->cb_InterpolationGroundExists->SetChecked(true);
    topcje->cb_InterpolationLine1->SetChecked(false);
    topcje->e_szer->SetText("0,65");
    const std::vector<older_case> cases = {
        {"short crossing line",
         {"[p0]", "wiersze=0", "ko0=2" + ra + "1,5" + ra + "gaz" + ra + "" + ra + "119" + ra + "160" + ra + "35" + ra +
                                   "90" + ra + "1" + ra + "0" + ra + "3" + ra + "4"},
         [](const project_content& c) {
             const kolizja& k = c.profiles[0].crossings.at(0);
             EXPECT_EQ(k.twin_node_id, 4);
             EXPECT_EQ(k.twin_distance, 0);
             EXPECT_EQ(k.height, 0);
             EXPECT_FALSE(k.automatic);
             EXPECT_EQ(k.angle, 90);
             EXPECT_TRUE(k.projected);
         }},
        {"short terrain, boundary and section lines",
         {"[p0]", "wiersze=0", "te0=1" + ra + "2" + ra + "3" + ra + "4" + ra + "opis" + ra + "sk",
          "gr0=1" + ra + "2" + ra + "3" + ra + "lewa" + ra + "prawa" + ra + "1",
          "pr0=1" + ra + "2" + ra + "A" + ra + "4" + ra + "g\x1E" + ra + "G\x1E" + ra + "0.5\x1E" + ra},
         [](const project_content& c) {
             EXPECT_EQ(c.profiles[0].terrain_descriptions.at(0).hatching, "brak");
             EXPECT_EQ(c.profiles[0].terrain_descriptions.at(0).abbreviation, "sk");
             EXPECT_EQ(c.profiles[0].boundaries.at(0).angle, 90);
             EXPECT_TRUE(c.profiles[0].boundaries.at(0).automatic);
             const przekroj& s = c.profiles[0].sections.at(0);
             EXPECT_EQ(s.ground_water, -111);
             EXPECT_EQ(s.layer_thicknesses, "0,5\x1E");
             EXPECT_EQ(s.layer_thickness_list, std::vector<std::string>{"0,5"});
         }},
        {"tank cover 2 from the left, from the right, and a filter as wide as the cover",
         {"[p0]", "wiersze=0",
          "m_os0=1" + ra + "T" + ra + "" + ra + "" + ra + "" + ra + "0" + ra + "2000" + ra + "1000" + ra + "0" + ra +
              "0" + ra + "0" + ra + "0" + ra + "400" + ra + "0" + ra + "0" + ra + "0" + ra + "0" + ra + "0" + ra +
              "600" + ra + "0" + ra + "-350" + ra + "0" + ra + "0" + ra + "1",
          "m_os1=1" + ra + "T" + ra + "" + ra + "" + ra + "" + ra + "0" + ra + "2000" + ra + "1000" + ra + "0" + ra +
              "0" + ra + "0" + ra + "0" + ra + "400/380" + ra + "0" + ra + "0" + ra + "0" + ra + "0" + ra + "0" +
              ra + "600" + ra + "0" + ra + "350" + ra + "0" + ra + "0" + ra + "250"},
         [](const project_content& c) {
             const auto& tanks = c.profiles[0].tanks;
             ASSERT_EQ(tanks.size(), 2u);
             EXPECT_EQ(tanks[0].covers[1].distance_from_left, 350);
             EXPECT_EQ(tanks[0].covers[1].filter_diameter, 600);
             EXPECT_EQ(tanks[0].r_top, (std::array<int32_t, 2>{400, 400}));
             EXPECT_EQ(tanks[1].covers[1].distance_from_left, 1050);
             EXPECT_EQ(tanks[1].covers[1].filter_diameter, 250);
             EXPECT_EQ(tanks[1].r_top, (std::array<int32_t, 2>{400, 380}));
         }},
        {"missing node count, ids and pipe-series references",
         {"[p0]", "ter=5" + ra},
         [](const project_content& c) {
             ASSERT_EQ(c.profiles[0].nodes.size(), 1u);
             EXPECT_EQ(c.profiles[0].nodes[0].id, 1);
             EXPECT_EQ(c.profiles[0].nodes[0].tidx, -1);
             EXPECT_EQ(c.profiles[0].nodes[0].ter, value_pair(5));
             EXPECT_EQ(c.profiles[0].idp, 1);
             EXPECT_EQ(c.profiles[0].nazwa, "profil1");
             EXPECT_TRUE(c.profiles[0].rysuj);
             EXPECT_EQ(c.profiles[0].networktype, 'i');
         }},
        {"an old comment carrying object values, and one with a template variable",
         {"[p0]", "wiersze=4", "obiekt=zasuwa" + ra + "zasuwa" + ra, "kom=Zasuwa @1,2/3" + ra + "Opis @_wez" + ra},
         [](const project_content& c) {
             const auto& nodes = c.profiles[0].nodes;
             EXPECT_EQ(nodes[0].kom, "Zasuwa 1,2");
             EXPECT_EQ(nodes[0].var, "1,2|3|");
             EXPECT_EQ(nodes[1].kom, "Opis @_wez");
             EXPECT_EQ(nodes[1].var, "");
         }},
        {"a text holding [p1] before the profile's own section, and that section in capitals",
         {"[p0]", "wiersze=3", "mat=[p1]" + ra, "[P1]", "wiersze=3", "mat=PE" + ra, "ter=7" + ra},
         [](const project_content& c) {
             ASSERT_EQ(c.profiles.size(), 2u);
             EXPECT_EQ(c.profiles[0].nodes[0].mat, "[p1]");
             EXPECT_EQ(c.profiles[1].nodes[0].mat, "PE");
             EXPECT_EQ(c.profiles[1].nodes[0].ter, value_pair(7));
         }},
        {"a first cell with a leading blank",
         {"[p0]", "wiersze=4", "mat= rura" + ra + "b" + ra, "ter= 5/6" + ra + "8" + ra},
         [](const project_content& c) {
             EXPECT_EQ(c.profiles[0].nodes[0].mat, " rura");
             EXPECT_EQ(c.profiles[0].nodes[0].ter, value_pair(5, 6));
             EXPECT_EQ(c.profiles[0].nodes[1].ter, value_pair(8));
         }},
    };
    for (const older_case& oc : cases) {
        SCOPED_TRACE(oc.what);
        const project_text text(text_of(oc.lines));
        project_content content;
        read_project(text, project_kind::project, content);
        oc.check(content);
    }

    // Version fixes: before 213 a hydrant's "@" becomes "@/1" and a zero
    // trench width takes the default; names with "*" lose their entered
    // terrain (interpolated instead) and the star, in every version.
    for (const char* version : {static_cast<const char*>("2.12"), static_cast<const char*>(nullptr)}) {
        std::vector<std::string> lines = {"[p0]",
                                          "wiersze=4",
                                          "obiekt=hydrant podz." + ra + "rewizyjna" + ra,
                                          "kom=Hydrant @80" + ra + "@" + ra,
                                          "var=80" + ra + "x" + ra,
                                          "ter=120" + ra + "121" + ra,
                                          "lin=119" + ra + "118" + ra,
                                          "wez=H1" + ra + "S*2" + ra};
        if (version) lines.insert(lines.end(), {"[format]", std::string("wersja=") + version});
        const project_text text(text_of(lines));
        project_content content;
        read_project(text, project_kind::project, content);
        zgodnosc_wstecz(content.profiles, content.version);
        const auto& nodes = content.profiles[0].nodes;
        if (version) {
            EXPECT_EQ(content.version, 212);
            EXPECT_EQ(nodes[0].kom, "Hydrant @/180");
            EXPECT_EQ(nodes[0].szer, value_pair(0.65));
        } else {
            EXPECT_EQ(content.version, 0);
        }
        EXPECT_EQ(nodes[1].kom, "@");  // not a hydrant
        EXPECT_EQ(nodes[1].wez, "S2");
        EXPECT_EQ(nodes[1].ter, value_pair());
        EXPECT_EQ(nodes[1].lin, value_pair(118));  // its interpolation is off
        EXPECT_EQ(nodes[0].ter, value_pair(120));
    }
}

// --- damaged files -------------------------------------------------------------------------------

TEST_F(ProjectFile, ADamagedFileIsRefusedAndTheOpenProjectStays) {
    build_project();
    const std::string good = write(home.file("good.hlv"));
    open(home.file("good.hlv"));
    model().profiles[2].nodes[0].mat = "zmienione";
    set_project_modified(true);
    topcje->e_szer->SetText("0,77");
    const std::string before = body();
    const std::string caption = Form1->Caption();
    auto unchanged = [&](const std::string& what) {
        EXPECT_EQ(body(), before) << what;
        EXPECT_EQ(model().project_path, home.file("good.hlv")) << what;
        EXPECT_EQ(Form1->Caption(), caption) << what;
        EXPECT_TRUE(model().project_modified) << what;
        EXPECT_TRUE(Form1->a_ProjectSave->Enabled()) << what;
        EXPECT_EQ(topcje->e_szer->Text(), "0,77") << what;
    };
    struct Case {
        std::string what;
        std::string content;
        std::string reason;  // a part of the message
    };
    const std::string mega(10'000'000, '7');
    const std::vector<Case> cases = {
        {"a header number", "[p0]\r\nidp=x\r\n", "[p0] idp"},
        {"a header number too large", "[p0]\r\nidp=70000\r\n", "70000"},
        {"a node count above 65535", "[p0]\r\nwiersze=1000000000\r\n", "wiersze"},
        {"a node count below 0, the nodes in the file", "[p0]\r\nwiersze=-5\r\nter=1" + ra + "2" + ra + "\r\n",
         "[p0] wiersze"},
        {"an id cell", "[p0]\r\nwiersze=3\r\nid=x" + ra + "\r\n", "[p0] id (1)"},
        {"a series reference", "[p0]\r\nwiersze=3\r\ntidx=40000" + ra + "\r\n", "tidx"},
        {"a crossing item", "[p0]\r\nko0=1" + ra + "abc\r\n", "[p0] ko0 (2)"},
        {"a tank size too large", "[p0]\r\nm_os0=1" + ra + "T" + ra + ra + ra + ra + "0" + ra + "70000\r\n", "m_os0 (7)"},
        {"a sump item", "[p0]\r\n[sumps]\r\nm_st0=1" + ra + "S" + ra + ra + ra + ra + "x\r\n", "m_st0"},
        {"a scale cell too large", "[p0]\r\nwiersze=3\r\nscale=3000000000" + ra + "\r\n", "scale"},
        {"no profile section", "[format]\r\nwersja=4.11\r\n", "[p0]"},
        {"random bytes", std::string("\x01\x9F\xFE[\x00\x10ko=\xA4\r\n\xA4", 14), "[p0]"},
        {"one line of ten megabytes", mega, "[p0]"},
    };
    for (const Case& c : cases) {
        ui().boxes.clear();
        const std::string path = home.file("bad.hlv");
        write_file(path, c.content);
        open(path);
        ASSERT_EQ(ui().boxes.size(), 1u) << c.what;
        const std::string& text = ui().boxes[0].text;
        EXPECT_EQ(text.rfind("Uszkodzony plik: \r" + path + "\r", 0), 0u) << c.what << ": " << cp1250_to_utf8(text);
        EXPECT_NE(text.find(c.reason), std::string::npos) << c.what << ": " << cp1250_to_utf8(text);
        unchanged(c.what);
    }
    // A folder is no file to read.
    ui().boxes.clear();
    ForceDirectories(home.file("folder.hlv"));
    open(home.file("folder.hlv"));
    EXPECT_EQ(ui().boxes.size(), 1u);
    unchanged("unreadable");

    // Cut anywhere, the file is refused or read, never a crash.
    for (const std::size_t cut : {good.size() / 7, good.size() / 3, good.size() / 2, good.size() - 40}) {
        ui().boxes.clear();
        write_file(home.file("cut.hlv"), good.substr(0, cut));
        const project_text text(read_file(home.file("cut.hlv")));
        project_content content;
        try {
            read_project(text, project_kind::project, content);
            EXPECT_FALSE(content.profiles.empty());
            EXPECT_FALSE(content.missing.empty()) << cut;  // and it says so
        } catch (const project_file_error& e) {
            EXPECT_NE(std::string(e.what()).find('['), std::string::npos);
        }
    }
}

TEST_F(ProjectFile, AFileLackingWhatItDeclaresOpensWithoutItsNameAndSaysWhat) {
    build_project();
    const std::string good = write(home.file("good.hlv"));
    const std::string path = home.file("damaged.hlv");
    auto section_at = [&good](const std::string& header) { return good.find("\r\n" + header + "\r\n") + 2; };
    const std::size_t p2 = section_at("[p2]");
    const std::size_t sumps = section_at("[sumps]");
    const std::size_t p2_dno = good.find("\r\ndno=", p2) + 2;
    struct Case {
        std::string what;
        std::string content;
        std::size_t profiles;                 // read
        std::vector<std::string> named;       // parts of the message
    };
    const std::vector<Case> cases = {
        {"cut before the third profile", good.substr(0, p2), 2, {"profile nr 3 [p2]", "[sumps], [pipe1], [pipe2]"}},
        {"cut inside a node column of the third profile", good.substr(0, p2_dno + 9), 3,
         {"dane węzłów profilu Sieć kanalizacyjna [p2] (pełne 0 z 3)"_cp, "[sumps]", "(+"}},
        {"the sumps taken out", good.substr(0, sumps) + good.substr(good.find("\r\n[", sumps) + 2), 3,
         {"sekcje [sumps]"}},
        {"cut inside the last line", good.substr(0, good.size() - 3), 3, {"końcowe wiersze (jest "_cp}},
        {"an older file, without the header, cut inside a node column",
         good.substr(good.find("[p0]"), p2_dno + 9 - good.find("[p0]")), 3,
         {"dane węzłów profilu Sieć kanalizacyjna [p2] (pełne 0 z 3)"_cp}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        write_file(path, c.content);
        ui().boxes.clear();
        open(path);
        ASSERT_EQ(ui().boxes.size(), 1u);
        const std::string& text = ui().boxes[0].text;
        EXPECT_EQ(text.rfind("Uszkodzony plik: \r" + path + "\rBrakuje w nim: ", 0), 0u) << cp1250_to_utf8(text);
        for (const std::string& part : c.named) EXPECT_NE(text.find(part), std::string::npos) << cp1250_to_utf8(text);
        EXPECT_EQ(ui().boxes[0].icon(), MB_ICONWARNING);
        EXPECT_EQ(model().profiles.size(), c.profiles);
        // Opened without its name and modified: a save asks for a new name,
        // and the damaged file stays as it was.
        EXPECT_TRUE(model().project_path.empty());
        EXPECT_EQ(Form1->Caption(), "___Halvoren___");
        EXPECT_TRUE(model().project_modified);
        EXPECT_TRUE(Form1->a_ProjectSave->Enabled());
        const std::size_t dialogs = ui().file_dialogs.size();
        ui().cancel_file_dialog();
        user::key('S', ssCtrl);
        ASSERT_EQ(ui().file_dialogs.size(), dialogs + 1);
        EXPECT_TRUE(ui().file_dialogs.back().save);
        EXPECT_EQ(read_file(path), c.content);
    }

    // The whole file opens under its name, unmodified, without a word; so
    // does an older file without the header.
    for (const std::string& whole : {good, good.substr(good.find("[p0]"))}) {
        write_file(path, whole);
        ui().boxes.clear();
        open(path);
        EXPECT_TRUE(ui().boxes.empty());
        EXPECT_EQ(model().project_path, path);
        EXPECT_FALSE(model().project_modified);
        EXPECT_EQ(model().profiles.size(), 3u);
    }
    EXPECT_EQ(good.rfind("[naglowek]\r\nprofile=3\r\nsekcje=sumps,pipe1,pipe2,", 0), 0u);
}

TEST_F(ProjectFile, LongValuesAndCellsThatDoNotConvert) {
    decimal_separator = '.';
    const std::string mega(10'000'000, '7');
    std::string cells;
    for (int i = 0; i < 20000; ++i) cells += "1.5/2" + ra;
    const project_text text(text_of({"[p0]", "wiersze=20002", "ter=" + cells, "mat=" + mega + ra,
                                     "dno=abc" + ra + "1" + ra + "x/2" + ra, "ko0=1" + ra + "2" + ra + mega}));
    project_content content;
    read_project(text, project_kind::project, content);
    const odcinek& p = content.profiles[0];
    ASSERT_EQ(p.nodes.size(), 20000u);
    EXPECT_EQ(p.nodes[19999].ter, value_pair(1.5, 2));
    EXPECT_EQ(p.nodes[0].mat.size(), mega.size());
    EXPECT_EQ(p.crossings.at(0).medium.size(), mega.size());
    EXPECT_EQ(p.nodes[0].dno, value_pair());
    EXPECT_EQ(p.nodes[1].dno, value_pair(1));
    EXPECT_EQ(content.faults.count, 2u);
    EXPECT_EQ(content.faults.first, "abc");

    // The open command reports them once, with the first text and the count.
    write_file(home.file("cells.hlv"), text_of({"[p0]", "wiersze=4", "dno=abc" + ra + "x/2" + ra}));
    Form1->otworz(home.file("cells.hlv"), false);
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_NE(ui().boxes[0].text.find("\" abc \""), std::string::npos);
    EXPECT_NE(ui().boxes[0].text.find(": 2;"), std::string::npos);
    EXPECT_EQ(model().profiles[0].nodes.size(), 2u);
}

// --- the legacy text ----------------------------------------------------------------------------------

TEST_F(ProjectFile, ALegacyTextOpensSavesBesideItselfAndReopensFromTheRecentMenu) {
    decimal_separator = '.';
    const std::string text_path = home.file("stary.txt");
    const std::string original = read_file(data_folder + "legacy.txt");
    write_file(text_path, original);
    open(text_path);
    const auto& nodes = model().profiles.at(0).nodes;
    ASSERT_EQ(nodes.size(), 3u);
    EXPECT_EQ(nodes[0].ter, value_pair(120.5, 120.7));
    EXPECT_EQ(nodes[0].dno, value_pair(118.25));
    EXPECT_EQ(nodes[0].dlug, 25.5);
    EXPECT_EQ(nodes[0].mat, "PVC 200");
    EXPECT_EQ(nodes[0].obiekt, "rewizyjna");
    EXPECT_EQ(nodes[0].kom, "początek"_cp);
    EXPECT_EQ(nodes[1].dno, value_pair());  // an empty line leaves the value unset
    EXPECT_EQ(nodes[1].spad, 0.75);
    EXPECT_EQ(nodes[2].fi, value_pair(200, 160));
    EXPECT_EQ(nodes[2].obiekt, "rewizyjna");
    EXPECT_EQ(nodes[2].id, 3);
    EXPECT_EQ(model().project_path, text_path);

    // An edit: the pipe ordinate taken at the axis recalculates the profile,
    // as opening the saved file recalculates it.
    user::choose(Form1->rg_PipeOrdinateMode, 1);
    set_project_modified(true);
    user::key('S', ssCtrl);
    EXPECT_EQ(model().project_path, text_path + ".hlv");
    EXPECT_EQ(read_file(text_path), original);
    const std::string saved = read_file(text_path + ".hlv");

    // A new project puts the file into the recent list; the menu opens it again.
    user::key('N', ssCtrl);
    EXPECT_TRUE(model().profiles.at(0).nodes.empty());
    ui().pick_from_popup(text_path + ".hlv");
    Form1->pm_rec->Popup(0, 0);
    EXPECT_EQ(model().project_path, text_path + ".hlv");
    EXPECT_EQ(write(home.file("again.hlv")), saved);
}

}  // namespace
