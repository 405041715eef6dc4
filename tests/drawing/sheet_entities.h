// The entities a drawing writer wrote, read back from its groups, and a
// drawing setup for the profile sheet's routines: text styles, the fifteen
// elements each on a layer of its own, and a small profile.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "drawing/drawing_state.h"
#include "drawing/dxf_writer.h"
#include "drawing/written_entities.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/grids.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"
#include "support/fixture.h"
#include "support/model_builders.h"

namespace sheet_test {

using written::entity;
using written::entities_of;
using written::group;

inline std::vector<entity> of(const std::vector<entity>& all, const std::string& type, const std::string& layer = "") {
    std::vector<entity> r;
    for (const entity& e : all)
        if (e.type == type && (layer.empty() || e.layer() == layer)) r.push_back(e);
    return r;
}

// A LINE's ends, rounded to 1e-6, as "(x1, y1)-(x2, y2)".
inline std::string ends(const entity& line) {
    auto n = [](double v) {
        const double r = std::round(v * 1e6) / 1e6;
        std::string s = std::to_string(r == 0 ? 0.0 : r);
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
        return s;
    };
    return "(" + n(line.x(10)) + ", " + n(line.y(10)) + ")-(" + n(line.x(11)) + ", " + n(line.y(11)) + ")";
}

inline std::vector<std::string> ends_of(const std::vector<entity>& lines) {
    std::vector<std::string> r;
    for (const entity& l : lines) r.push_back(ends(l));
    return r;
}

// Element k draws on layer "E<k>" in colour 20 + k, for every network.
class SheetTest : public ProgramTest {
protected:
    SheetTest() {
        decimal_separator = ',';
        euro_rounding = false;
        const char* const rows[8][5] = {
            {"19", "7", "4", "90%", "Opisy"}, {"19", "7", "4", "100%", "Metryka"}, {"19", "8", "4", "70%", "Komentarze"},
            {"15", "84", "4", "70%", "0"},    {"17", "12", "4", "70%", "0"},       {"16", "130", "4", "70%", "0"},
            {"14", "112", "4", "70%", "0"},   {"15", "7", "18", "70%", "0"},
        };
        written::set_font_table(rows);
        topcje->cb_DescriptionOnLeft->SetChecked(true);
        topcje->cb_TextHeightInTableLikeForType->SetChecked(false);
        topcje->cb_TextColorInTableLikeForType->SetChecked(false);
        topcje->cb_1PipeLine->SetChecked(false);
        topcje->cb_MarkFlowDirect->SetChecked(false);
        topcje->rg_PipeLineColor->SetItemIndex(0);
        Form1->rg_PipeOrdinateMode->SetItemIndex(0);
        Form1->cb_MarkDrainageLayersOnDrawing->SetChecked(false);
        {
            TStringGrid& g = *topcje->sag_Layers;
            const char* const named[] = {"Opisy", "Metryka", "Komentarze", "ARC_1_0_1"};
            g.SetRowCount(2 + 15 + 4);
            int r = 2;
            for (int k = 0; k < 15; ++k) g.SetCell(1, r++, "E" + std::to_string(k));
            for (const char* n : named) g.SetCell(1, r++, n);
        }
        std::vector<linia_def>& defs = settings().line_defs;
        defs.resize(15);
        for (int k = 0; k < 15; ++k) {
            defs[static_cast<std::size_t>(k)].layer = "E" + std::to_string(k);
            defs[static_cast<std::size_t>(k)].color = static_cast<uint16_t>(20 + k);
            defs[static_cast<std::size_t>(k)].draw = true;
            defs[static_cast<std::size_t>(k)].media = "a";
        }
        settings_state& s = settings();
        s.symbol_size_factor = 0.2;
        s.bedding_height = 0;
        s.sidefill_height = 0;
        s.draw_axis_from = 10000;
        s.drop_from = 500;
        model().empty_value = 0;
        model().slope_sign = 1;
        model().profiles.clear();
        model().project.sumps.clear();
        drawing_state& d = drawing();
        d.unit_factor = 1;
        d.units_per_metre = 1000;
        d.y_factor = 1000;
        d.drawn_profile = 0;
        writer.sheet.pipe_colour = 5;  // not the colour of "rura" (21)
    }

    // A profile of nodes at the chainages with the pipe ordinates (both
    // sides) and one diameter, drawn at `fx` units per metre from x = 0,
    // its datum `datum`; the slopes follow from the ordinates.
    uint16_t profile(std::initializer_list<double> chainages, std::initializer_list<double> pipe, double diameter,
                     double fx = 200, double datum = 96) {
        const uint16_t p = add_profile("P" + std::to_string(model().profiles.size() + 1),
                                       static_cast<uint16_t>(model().profiles.size() + 1), chainages);
        odcinek& o = model().profiles[p];
        o.rysuj = true;
        o.networktype = 'k';
        o.drawing_block = fx;
        o.poziom_wart = datum;
        o.sheet_x = 0;
        o.pl2r_wart = true;
        auto z = pipe.begin();
        for (std::size_t n = 0; n < o.nodes.size(); ++n, ++z) {
            wezel& w = o.nodes[n];
            w.wez = "W" + std::to_string(n + 1);
            w.dno = value_pair(*z);
            w.fi = value_pair(diameter);
            w.draw_factor = fx;
            w.draw_x = w.odl * fx;
            if (n + 1 < o.nodes.size()) {
                const double next_chainage = *(chainages.begin() + static_cast<std::ptrdiff_t>(n + 1));
                w.dlug = next_chainage - w.odl;
                w.spad = (*z - *(z + 1)) / w.dlug * 100;
            }
        }
        o.length = o.nodes.back().odl - o.nodes.front().odl;
        return p;
    }

    DXF_Writer writer{"rysunek.dxf"};
};

}  // namespace sheet_test
