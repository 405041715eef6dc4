// A drawn profile for the tests of the profile's annotations: the text
// styles, elements, layers and band rows of a small sheet, one profile of
// three nodes placed on it, and the writer's groups read back as entities.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drawing/drawing_state.h"
#include "drawing/dxf_writer.h"
#include "drawing/written_entities.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "model/terrain.h"
#include "platform/sysutils.h"
#include "support/fixture.h"
#include "support/model_builders.h"

namespace annotation_test {

using written::entity;
using written::entities_of;
using written::group;
using written::of_type;

// The lines on a layer, as (start, end) pairs.
inline std::vector<entity> on_layer(const std::vector<entity>& all, const std::string& layer) {
    std::vector<entity> r;
    for (const entity& e : all)
        if (e.value(8) == layer) r.push_back(e);
    return r;
}

inline void expect_point(const point3& p, double x, double y, const std::string& what = "") {
    EXPECT_NEAR(p.x, x, 1e-6) << what;
    EXPECT_NEAR(p.y, y, 1e-6) << what;
}

inline void expect_line(const entity& e, double x1, double y1, double x2, double y2, const std::string& what = "") {
    EXPECT_EQ(e.type, "LINE") << what;
    expect_point(e.point(10), x1, y1, what + " start");
    expect_point(e.point(11), x2, y2, what + " end");
}

// The sheet: U = 1000 (millimetres), vertical 1:100 (Fy 1000); profile
// "P1" starts at x 5000 with its datum 96; nodes at chainages 0, 20 and 50
// drawn at 1:500 (200 units a metre) on the first segment and 1:1000 (100)
// on the second, so at x 5000, 9000 and 12000. Pipe 100.00, 99.80/99.70,
// 99.40 (1 % falls), diameter 200; terrain 102.40, 102.10, 101.60.
class AnnotationTest : public ProgramTest {
protected:
    AnnotationTest() {
        decimal_separator = ',';
        euro_rounding = false;
        const char* const rows[8][5] = {
            {"19", "7", "4", "90%", "Opisy"}, {"19", "7", "4", "100%", "Metryka"}, {"19", "8", "4", "70%", "Komentarze"},
            {"15", "84", "4", "70%", "0"},     {"17", "12", "4", "70%", "0"},       {"16", "130", "4", "70%", "Oslony"},
            {"14", "112", "4", "70%", "0"},    {"15", "7", "18", "70%", "0"},
        };
        written::set_font_table(rows);
        topcje->cb_fonts->SetText("");
        topcje->cb_DescriptionOnLeft->SetChecked(false);
        topcje->cb_TextHeightInTableLikeForType->SetChecked(false);
        topcje->cb_TextColorInTableLikeForType->SetChecked(false);
        TStringGrid& layers = *topcje->sag_Layers;
        const char* const names[] = {"Opisy", "Metryka", "Komentarze", "Symbole", "Oslony", "Teren", "Linie"};
        layers.SetRowCount(2 + 7);
        for (int i = 0; i < 7; ++i) layers.SetCell(1, 2 + i, names[i]);
        std::vector<linia_def>& defs = settings().line_defs;
        if (defs.size() < builtin_element_count) defs.resize(builtin_element_count);
        element(element_koment, "Komentarze", 3);
        element(element_obi_symb, "Symbole", 6);
        element(element_oslon, "Oslony", 4);
        element(element_ter, "Teren", 1);
        element(element_lin1, "Linie", 2);
        element(element_terp, "Teren", 5);
        settings().symbol_size_factor = 0.2;
        drawing_state& d = drawing();
        d.unit_factor = 1;
        d.units_per_metre = 1000;
        d.y_factor = 1000;
        d.x_factor = 200;
        d.drawn_profile = 0;
        Form1->tb_PreviewProfile->SetDown(true);
        Form1->tb_PreviewScheme->SetDown(false);

        model_state& m = model();
        m.slope_sign = 1;
        m.empty_value = 0;
        m.profiles.clear();
        add_profile("P1", 1, {0, 20, 50});
        odcinek& p = m.profiles[0];
        p.networktype = 'k';
        p.sheet_x = 5000;
        p.drawing_block = 200;
        p.poziom_wart = 96;
        const double pipe[3][2] = {{100, 100}, {99.8, 99.7}, {99.4, 99.4}};
        const double terrain[3] = {102.4, 102.1, 101.6};
        const double factor[3] = {200, 100, 100};
        const double x[3] = {0, 4000, 7000};
        for (std::size_t i = 0; i < 3; ++i) {
            wezel& w = p.nodes[i];
            w.dno = value_pair(pipe[i][0], pipe[i][1]);
            w.ter = w.ter_used = value_pair(terrain[i]);
            w.fi = value_pair(200);
            w.dlug = i == 0 ? 20 : (i == 1 ? 30 : 0);
            w.spad = i < 2 ? 1 : 0;
            w.draw_factor = factor[i];
            w.draw_x = x[i];
        }
        przygotuj_linie_terenu(0, line_terrain);
        Form1->rg_PipeOrdinateMode->SetItemIndex(0);

        // Band rows, each 1 m of the layout high, from the table top down.
        settings().profile_table_rows.clear();
        band("teren", 0, false);
        band("teren_proj", 1, false);
        band("linia", 2, false);
        band("dno", 3, false);
        band("zaglebienie", 4, false);
        band("odleglosc", 5, false);
    }

    static void element(int index, const char* layer, int colour) {
        linia_def& e = settings().line_defs[static_cast<std::size_t>(index)];
        e.layer = layer;
        e.color = colour;
        e.draw = true;
        e.media = "a";
    }

    static dane_pod_profil& band(const char* key, float position, bool shown) {
        dane_pod_profil row;
        row.key = key;
        row.title = key;
        row.shown = shown;
        row.position = position;
        row.height = 100;
        row.precision = 2;
        settings().profile_table_rows.push_back(row);
        return settings().profile_table_rows.back();
    }
    static dane_pod_profil& row(const char* key) {
        for (dane_pod_profil& r : settings().profile_table_rows)
            if (r.key == key) return r;
        throw std::runtime_error(key);
    }

    static odcinek& profile() { return model().profiles[0]; }

    DXF_Writer writer{"rysunek.dxf"};
};

}  // namespace annotation_test
