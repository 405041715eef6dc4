// Writes the drawing files of three projects (a small profile project, an
// empty project, one with Polish names in layers, title block and
// profiles), each for every sheet button with [inne] "acad" off and on,
// into the folder given, with the layer names and texts each must carry
// (UTF-8, "layer=" and "text=" lines in "<file>.expect"), for the check by
// independent readers (check_drawing_files.py). Our own reader reads each
// file first; a message of it fails the run.
#include <stdlib.h>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "drawing/containers.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/project.h"
#include "model/settings_state.h"
#include "model/state.h"
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
    std::vector<std::string> layers;  // expected in the LAYER table
    std::vector<std::string> texts;   // expected among the texts
};

sample small_project() {
    model().profiles = {profile("K1", 1, {"sl-rr", "sump", "", "sl-rbou"}), profile("K2", 2, {"", "kolizja", ""})};
    return {"small", {}, {}};
}

sample empty_project() {
    model().profiles = {odcinek{}};
    model().profiles[0].nazwa = "P1";
    return {"empty", {}, {}};
}

sample polish_project() {
    model().profiles = {profile("Kanał Łąkowy"_cp, 1, {"", "", ""}), profile("Przyłącze żółte"_cp, 2, {"", ""})};
    set_layer(1, "Rury ściekowe"_cp);
    set_layer(2, "Opisy źródeł"_cp);
    const std::string title = "Projekt sieci – Łódź, ul. Żółkiewskiego"_cp;
    if (TMemo* box = Form1->make_text_box(1, 10, 10, 300, 20)) box->SetText(title);
    return {"polish", {"Rury ściekowe"_cp, "Opisy źródeł"_cp}, {title}};
}

void write_expectations(const std::string& path, const sample& s) {
    std::string text;
    for (const std::string& l : s.layers) text += "layer=" + cp1250_to_utf8(l) + "\n";
    for (const std::string& t : s.texts) text += "text=" + cp1250_to_utf8(t) + "\n";
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
        for (auto make : {small_project, empty_project, polish_project}) {
            const sample s = make();
            for (const auto& [sheet, button] : sheets) {
                button->SetDown(true);
                for (bool acad : {false, true}) {
                    settings().add_entity_handles = acad;
                    Form1->draw_make("in");
                    const std::string name = s.name + "_" + sheet + (acad ? "_acad" : "") + ".dxf";
                    const std::string target = path_join(out, name);
                    CopyFile(folders().config_folder + "rysunek.dxf", target, false);
                    write_expectations(target + ".expect", s);
                    const std::size_t boxes = services.boxes.size();
                    auto drawing = DXF_Object::create_from_file(target);
                    if (services.boxes.size() != boxes) {
                        std::cerr << name << ": our reader says " << cp1250_to_utf8(services.boxes.back().text) << "\n";
                        ++failures;
                    }
                }
            }
        }
    }
    unsetenv("HALVOREN_HOME");
    delete_folder_tree(home);
    return failures == 0 ? 0 : 1;
}
