// Writes the drawing files of three projects (a small profile project, an
// empty project, one with Polish names in layers, title block and
// profiles), each for every sheet button, and of three hand-made profile
// projects (a gravity sewer with sumps, drops, trench bottom and backfill;
// a pressure main with sag and crest bends and crossings; two profiles with
// Polish names and every kind of annotation), each on the profile sheet,
// all with [inne] "acad" off and on, into the folder given. Beside each
// file, "<file>.expect" (UTF-8) says what it must carry: "layer=" and
// "text=" lines always; "sheet_layer=" names the layer of the table frame,
// whose entities show that the profile sheet itself was drawn, and then
// the "sheet_text=" texts must be there too and every bend must be one of
// the "bend=" lines (block name without its element, the run's start and
// end point), each of which must be there. The last line of the output is
// "files=" and the count of drawing files written. The check by
// independent readers is check_drawing_files.py. Our own reader reads each
// file first; a message of it fails the run.
#include <stdlib.h>

#include <cmath>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "drawing/containers.h"
#include "drawing/drawing_state.h"
#include "drawing/profile_sheet.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/project.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "model/sumps.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/paths.h"
#include "platform/sysutils.h"

namespace {

wezel node(uint16_t id, double chainage, double length, const std::string& object) {
    wezel w;
    w.id = id;
    czysty_wezel(w);
    w.odl = chainage;
    w.dlug = length;
    w.ter = w.ter_used = value_pair(101.5);
    w.dno = value_pair(99 - chainage / 100);
    w.obiekt = object;
    w.wez = "S" + std::to_string(id);
    return w;
}

odcinek profile(const std::string& name, uint16_t id, const std::vector<std::string>& objects) {
    odcinek p;
    p.nazwa = name;
    p.idp = id;
    p.rysuj = true;
    p.stala = 3;
    for (std::size_t i = 0; i < objects.size(); ++i)
        p.nodes.push_back(node(static_cast<uint16_t>(i + 1), 20.0 * static_cast<double>(i),
                               i + 1 < objects.size() ? 20 : 0, objects[i]));
    return p;
}

void set_layer(int row, const std::string& name) {
    TStringAlignGrid& g = *topcje->sag_Layers;
    if (g.RowCount() <= row) g.SetRowCount(row + 1);
    g.SetCell(1, row, name);
    g.SetCell(2, row, std::to_string(row + 1));
    g.SetCell(3, row, topcje->cb_LineType->Items()[row % topcje->cb_LineType->Items().Count()]);
    g.SetCell(4, row, "1");
    g.SetCell(5, row, "\xA8");
}

struct sample {
    std::string name;
    std::vector<std::string> layers;       // expected in the LAYER table
    std::vector<std::string> texts;        // expected among the texts
    std::vector<std::string> sheet_texts;  // expected once the profile sheet is drawn
    bool profile_only = false;             // drawn on the profile sheet alone
};

sample small_project() {
    model().profiles = {profile("K1", 1, {"sl-rr", "sump", "", "sl-rbou"}), profile("K2", 2, {"", "kolizja", ""})};
    return {"small", {}, {}, {}, false};
}

sample empty_project() {
    model().profiles = {odcinek{}};
    model().profiles[0].nazwa = "P1";
    return {"empty", {}, {}, {}, false};
}

sample polish_project() {
    model().profiles = {profile("Kanał Łąkowy"_cp, 1, {"", "", ""}), profile("Przyłącze żółte"_cp, 2, {"", ""})};
    set_layer(1, "Rury ściekowe"_cp);
    set_layer(2, "Opisy źródeł"_cp);
    const std::string title = "Projekt sieci – Łódź, ul. Żółkiewskiego"_cp;
    if (TMemo* box = Form1->make_text_box(1, 10, 10, 300, 20)) box->SetText(title);
    return {"polish", {"Rury ściekowe"_cp, "Opisy źródeł"_cp}, {title}, {}, false};
}


// ---- the hand-made profile projects ------------------------------------------------

constexpr const char* table_layer = "Tabela profilu";

wezel station(uint16_t id, const std::string& name, double chainage, double terrain, value_pair pipe,
              double diameter, const std::string& object = "") {
    wezel w;
    w.id = id;
    czysty_wezel(w);
    w.odl = chainage;
    w.ter = w.ter_used = value_pair(terrain);
    w.dno = pipe;
    w.zag = value_pair(terrain - pipe.s1, terrain - pipe.s2);
    w.fi = value_pair(diameter);
    w.wez = name;
    w.obiekt = object;
    return w;
}

// A profile of the nodes, every value kept, its lengths from the
// chainages, drawn from its own comparison level.
odcinek run(const std::string& name, uint16_t id, char network, double datum, std::vector<wezel> nodes) {
    odcinek p;
    p.nazwa = name;
    p.idp = id;
    p.networktype = network;
    p.rysuj = true;
    p.stala = 3;
    p.poziom = true;
    p.poziom_wart = datum;
    for (std::size_t i = 0; i + 1 < nodes.size(); ++i) {
        nodes[i].dlug = nodes[i + 1].odl - nodes[i].odl;
        nodes[i].spad = (nodes[i].dno.s2 - nodes[i + 1].dno.s1) / nodes[i].dlug * 100;
    }
    p.nodes = std::move(nodes);
    return p;
}

void element(int index, bool draw, const std::string& layer = "") {
    linia_def& d = settings().line_defs.at(static_cast<std::size_t>(index));
    d.draw = draw;
    d.media = "a";
    if (!layer.empty()) d.layer = layer;
}

void band(const std::string& key, const std::string& title, bool at_nodes, int precision, bool join = false,
          const std::string& formula = "") {
    dane_pod_profil r;
    r.key = key;
    r.name = title;
    r.title = title;
    r.at_nodes = at_nodes;
    r.precision = static_cast<int8_t>(precision);
    r.join = join;
    r.formula = formula;
    r.shown = true;
    r.height = 100;
    settings().profile_table_rows.push_back(r);
}

void title_box(const std::string& text) {
    if (auto* box = dynamic_cast<TMemo*>(Form1->FindComponent("tabs1")))
        box->SetText(text);
    else if (TMemo* made = Form1->make_text_box(1, 10, 10, 300, 20))
        made->SetText(text);
}

// What every hand-made project shares: the table frame on a layer of its
// own, the pipe in two lines, profile names on, the band rows replaced.
void sheet_settings() {
    set_layer(3, table_layer);
    topcje->sag_Layers->SetCell(3, 3, topcje->cb_LineType->Items()[0]);  // continuous
    element(element_tabela, true, table_layer);
    element(element_ter, true);
    element(element_rura, true);
    element(element_koment, true);
    topcje->cb_1PipeLine->SetChecked(false);
    topcje->cb_ProfilesNames->SetChecked(true);
    topcje->cb_DescriptionOnLeft->SetChecked(true);
    settings().profile_table_rows.clear();
    model().project.sumps.clear();
    while (settings().line_defs.size() > builtin_element_count) settings().line_defs.pop_back();
}

mat_studzienka project_sump(uint16_t profile, int node, const std::string& name, bool drop) {
    mat_studzienka s;
    s.adds.node_name = name;
    s.connections = link_text(profile, node) + link_end;
    s.diameter = 1000;
    s.thickness = 1000;
    s.bottom_thickness = 1500;
    s.cover_diameter = 600;
    s.cover_height = 100;
    s.cone_height = 600;
    s.drop = drop;
    s.kind = 'b';
    return s;
}

sample gravity_sewer() {
    sheet_settings();
    model().profiles = {run("Kanał deszczowy K1"_cp, 1, 'k', 95,
                            {station(1, "S1", 0, 102.0, value_pair(100.2), 300),
                             station(2, "S2", 45, 101.8, value_pair(99.95), 300, "sump"),
                             station(3, "S3", 90, 101.6, value_pair(99.7, 98.4), 300, "sump"),
                             station(4, "S4", 135, 101.2, value_pair(98.1), 300, "sump"),
                             station(5, "S5", 180, 100.9, value_pair(97.85), 300)})};
    model().project.sumps = {project_sump(0, 1, "S2", false), project_sump(0, 2, "S3", true),
                             project_sump(0, 3, "S4", false)};
    settings().bedding_height = 0.15;
    settings().sidefill_height = 0.3;
    topcje->e_podsypka->SetText("0,15");
    topcje->e_obsypka->SetText("0,30");
    element(element_dno_wyk, true);
    element(element_obsyp, true);
    band("teren", "Rzędna terenu [m n.p.m.]"_cp, true, 2);
    band("dno", "Rzędna dna kanału [m n.p.m.]"_cp, true, 2);
    band("zaglebienie", "Zagłębienie [m]"_cp, true, 2);
    band("dlug_spad", "Długość/Spadek [%]"_cp, false, 2, true);
    band("odleglosc", "Odległość [m]"_cp, true, 2);
    band("wez", "Studzienka", true, 0);
    const std::string title = "Kanalizacja deszczowa – ul. Źródlana"_cp;
    title_box(title);
    return {"sewer",
            {table_layer},
            {title},
            {"Kanał deszczowy K1"_cp, "Rzędna terenu [m n.p.m.]"_cp, "Zagłębienie [m]"_cp, "Odległość [m]"_cp, "S3"},
            true};
}

kolizja crossing(uint16_t node_id, double chainage, double distance, const std::string& medium, double ordinate,
                 double diameter) {
    kolizja k;
    k.node_id = node_id;
    k.chainage = chainage;
    k.distance = distance;
    k.medium = medium;
    k.description = medium;
    k.ordinate = ordinate;
    k.diameter = diameter;
    k.pipe_ordinate = 100.9;
    k.depth = 1.5;
    return k;
}

sample pressure_main() {
    sheet_settings();
    std::vector<wezel> nodes = {station(1, "W1", 0, 103.0, value_pair(101.2), 200),
                                station(2, "W2", 40, 102.5, value_pair(100.8), 200),
                                station(3, "W3", 100, 102.8, value_pair(100.9), 200),
                                station(4, "W4", 150, 103.1, value_pair(101.3), 200),
                                station(5, "W5", 200, 103.4, value_pair(101.6), 200)};
    nodes[1].rad = 150;   // a sag from W2 to W3
    nodes[2].rad = -200;  // a crest from W3 to W4
    nodes[1].kat = 12;
    nodes[2].kat = -8;
    model().profiles = {run("Wodociąg W1 – magistrala"_cp, 1, 'w', 96, nodes)};
    odcinek& p = model().profiles[0];
    kolizja existing = crossing(1, 0, 20, "kabel energetyczny", 101.9, 100);
    kolizja designed = crossing(2, 40, 25, "kanalizacja deszczowa", 99.9, 300);
    designed.projected = true;
    kolizja duct = crossing(3, 100, 20, "kanał technologiczny"_cp, 101.8, 500);
    duct.height = 300;
    kolizja removed = crossing(4, 150, 30, "wodociąg stary"_cp, 101.5, 150);
    removed.to_remove = true;
    p.crossings = {existing, designed, duct, removed};
    element(element_os_rury, true);
    band("teren", "Rzędna terenu [m n.p.m.]"_cp, true, 2);
    band("dno", "Rzędna @r rury [m n.p.m.]"_cp, true, 2);
    band("fi_spad", "Średnica/Spadek [%]"_cp, false, 2, true);
    band("kat", "Kąt załamania"_cp, true, 1);
    band("wez", "Węzeł"_cp, true, 0);
    const std::string title = "Magistrala wodociągowa – Żółków"_cp;
    title_box(title);
    return {"pressure",
            {table_layer},
            {title},
            {"Wodociąg W1 – magistrala"_cp, "Średnica/Spadek [%]"_cp, "Kąt załamania"_cp, "W4"},
            true};
}

sample annotated_profiles() {
    sheet_settings();
    std::vector<wezel> first = {station(1, "Ś1"_cp, 0, 104.2, value_pair(102.4), 250),
                                station(2, "Ż2"_cp, 50, 103.9, value_pair(102.1), 250),
                                station(3, "Ł3"_cp, 110, 103.1, value_pair(101.7), 250)};
    std::vector<wezel> second = {station(1, "Ć1"_cp, 0, 103.1, value_pair(102.0), 160),
                                 station(2, "Ń2"_cp, 35, 102.7, value_pair(101.6), 160)};
    model().profiles = {run("Kolektor Źródlany"_cp, 1, 'd', 97, first),
                        run("Przykanalik Ścieżka"_cp, 2, 'd', 97, second)};
    odcinek& p = model().profiles[0];
    p.domysl_typ_kresk = 1;
    teren_opis clay;
    clay.abbreviation = "Gł"_cp;
    clay.description = "glina łupkowa"_cp;
    clay.hatching = "grunt";
    clay.node_id = 1;
    clay.chainage = 0;
    clay.distance = 5;
    clay.length = 30;
    teren_opis meadow;
    meadow.description = "łąka"_cp;
    meadow.hatching = "brak";
    meadow.node_id = 2;
    meadow.chainage = 50;
    meadow.distance = 10;
    meadow.length = 25;
    p.terrain_descriptions = {clay, meadow};
    granica_opis boundary;
    boundary.left_text = "dz. 12/3 Łęczyca"_cp;
    boundary.right_text = "dz. 12/4 Żabno"_cp;
    boundary.node_id = 2;
    boundary.chainage = 50;
    boundary.distance = 12;
    p.boundaries = {boundary};
    oslonowa casing;
    casing.material = "stal";
    casing.description = "rura osłonowa"_cp;
    casing.kind = "stalowa";
    casing.node_id = 2;
    casing.chainage = 50;
    casing.distance = 20;
    casing.length = 12;
    casing.diameter = 500;
    p.casings = {casing};
    p.crossings = {crossing(1, 0, 30, "gazociąg"_cp, 103.0, 110)};
    przekroj bore;
    bore.name = "Otwór P-1"_cp;
    bore.node_id = 2;
    bore.chainage = 50;
    bore.distance = 5;
    bore.layer_name_list = {"piasek średni"_cp, "glina pylasta"};
    bore.layer_abbreviation_list = {"Ps", "Gp"};
    bore.layer_thickness_list = {"1,2", "2,0"};
    bore.layer_names = join_items(bore.layer_name_list, list_separator);
    bore.layer_abbreviations = join_items(bore.layer_abbreviation_list, list_separator);
    bore.layer_thicknesses = join_items(bore.layer_thickness_list, list_separator);
    bore.ground_water = 1.5;
    p.sections = {bore};
    rzedne_npm ditch;
    ditch.ordinate = value_pair(103.6);
    ditch.description = "rów melioracyjny"_cp;
    ditch.line_code = 0;
    ditch.node_id = 2;
    ditch.chainage = 50;
    ditch.distance = 30;
    p.ordinates = {ditch};
    element(element_kreskowanie, true);
    element(element_terp, true);
    const std::string user_title = "Głębokość względna [m]"_cp;
    band("teren", "Rzędna terenu [m n.p.m.]"_cp, true, 2);
    band("dno", "Rzędna dna [m n.p.m.]"_cp, true, 2);
    band("teren_opis", "Opis terenu", false, 0);
    band("user", user_title, true, 2, false, "@_td_zaglebienie-1");
    band("odleglosc", "Odległość [m]"_cp, true, 2);
    band("wez", "Węzeł"_cp, true, 0);
    linia_def user_line;
    user_line.key = "linia_uzytkownika";
    user_line.name = user_title;
    user_line.layer = "Linie użytkownika"_cp;
    user_line.media = "a";
    user_line.color = 30;
    user_line.draw = true;
    settings().line_defs.push_back(user_line);
    set_layer(4, "Linie użytkownika"_cp);
    const std::string title = "Sieć kanalizacyjna – Łódź, ul. Świętojańska"_cp;
    title_box(title);
    return {"annotated",
            {table_layer, "Linie użytkownika"_cp},
            {title},
            {"Kolektor Źródlany"_cp, "Przykanalik Ścieżka"_cp, user_title, "łąka"_cp, "Gł"_cp,
             "   Gł - glina łupkowa"_cp, "dz. 12/3 Łęczyca"_cp, "dz. 12/4 Żabno"_cp, "Ż2"_cp},
            true};
}

// The bends the drawn sheet must hold: for every run whose start node has
// a radius more than half its length, between nodes without objects, the
// invert's start and end as the profile sheet places them (two pipe
// lines, so the invert stands at the pipe ordinate).
std::vector<std::string> expected_bends() {
    std::vector<std::string> out;
    const auto& profiles = model().profiles;
    const double fy = drawing().y_factor;
    for (std::size_t p = 0; p < profiles.size(); ++p) {
        const odcinek& q = profiles[p];
        if (!q.rysuj || q.length == 0) continue;
        for (std::size_t i = 0; i + 1 < q.nodes.size(); ++i) {
            const wezel& a = q.nodes[i];
            const wezel& b = q.nodes[i + 1];
            if (a.rad == 0 || !(2 * std::fabs(a.rad) > a.dlug) || !a.obiekt.empty() || !b.obiekt.empty()) continue;
            // A circle of the radius through both ends in true proportions.
            if (std::hypot(a.dlug, b.dno.s1 - a.dno.s2) > 2 * std::fabs(a.rad)) continue;
            const double x1 = q.sheet_x + a.draw_x;
            const double x2 = q.sheet_x + b.draw_x;
            const double y1 = (a.dno.s2 - q.poziom_wart) * fy;
            const double y2 = (b.dno.s1 - q.poziom_wart) * fy;
            out.push_back(Format("ARC_%d_%d %.9g %.9g %.9g %.9g", {static_cast<int64_t>(p), static_cast<int64_t>(i),
                                                                   x1, y1, x2, y2}));
        }
    }
    return out;
}

// The sheet's own expectations go with the hand-made projects, whose
// table frame has a layer of its own.
void write_expectations(const std::string& path, const sample& s, bool profile_sheet) {
    std::string text;
    for (const std::string& l : s.layers) text += "layer=" + cp1250_to_utf8(l) + "\n";
    for (const std::string& t : s.texts) text += "text=" + cp1250_to_utf8(t) + "\n";
    if (profile_sheet) {
        text += "sheet_layer=" + cp1250_to_utf8(settings().line_defs.at(element_tabela).layer) + "\n";
        for (const std::string& t : s.sheet_texts) text += "sheet_text=" + cp1250_to_utf8(t) + "\n";
        for (const std::string& b : expected_bends()) text += "bend=" + b + "\n";
    }
    write_file(path, text);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string out = argv[1];
    ForceDirectories(out);
    const std::string home = make_temp_folder("halvoren-drawing-samples");
    setenv("HALVOREN_HOME", home.c_str(), 1);
    int failures = 0;
    {
        HeadlessServices services(registry_folder());
        Program program(services, {"halvoren"});
        program.show_main_window();
        decimal_separator = ',';
        euro_rounding = false;
        const std::vector<std::pair<std::string, TToolButton*>> sheets = {
            {"profile", Form1->tb_PreviewProfile},
            {"scheme", Form1->tb_PreviewScheme},
            {"section", Form1->tb_PreviewCrossSection},
            {"sump", Form1->tb_PreviewSump},
        };
        int files = 0;
        for (auto make : {small_project, empty_project, polish_project, gravity_sewer, pressure_main,
                          annotated_profiles}) {
            const sample s = make();
            for (const auto& [sheet, button] : sheets) {
                if (s.profile_only && button != Form1->tb_PreviewProfile) continue;
                button->SetDown(true);
                for (bool acad : {false, true}) {
                    settings().add_entity_handles = acad;
                    Form1->draw_make("in");
                    const std::string name = s.name + "_" + sheet + (acad ? "_acad" : "") + ".dxf";
                    const std::string target = path_join(out, name);
                    CopyFile(folders().config_folder + "rysunek.dxf", target, false);
                    write_expectations(target + ".expect", s, s.profile_only);
                    ++files;
                    const std::size_t boxes = services.boxes.size();
                    auto drawing = DXF_Object::create_from_file(target);
                    if (services.boxes.size() != boxes) {
                        std::cerr << name << ": our reader says " << cp1250_to_utf8(services.boxes.back().text) << "\n";
                        ++failures;
                    }
                }
            }
        }
        std::cout << "files=" << files << std::endl;
    }
    unsetenv("HALVOREN_HOME");
    delete_folder_tree(home);
    return failures == 0 ? 0 : 1;
}
