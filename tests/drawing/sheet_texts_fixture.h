// A profile-sheet writer for tests of the sheet's texts, hatching and
// geotechnical columns: known text styles, layers and drawing elements, the
// unit "mm" at the vertical scale 1:100, one profile "P1" drawn with its
// datum at 96 m, and the written entities read back.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "drawing/drawing_state.h"
#include "drawing/dxf_writer.h"
#include "drawing/written_entities.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"
#include "support/fixture.h"
#include "support/model_builders.h"

namespace sheet_texts {

using written::entity;
using written::entities_of;
using written::group;
using written::of_type;

// A line's two ends, for comparing with expectations.
struct segment {
    double x1, y1, x2, y2;
};

inline segment segment_of(const entity& line) { return {line.number(10), line.number(20), line.number(11), line.number(21)}; }

inline void expect_segment(const entity& line, const segment& s, double tolerance, const std::string& what = "") {
    const segment got = segment_of(line);
    EXPECT_NEAR(got.x1, s.x1, tolerance) << what;
    EXPECT_NEAR(got.y1, s.y1, tolerance) << what;
    EXPECT_NEAR(got.x2, s.x2, tolerance) << what;
    EXPECT_NEAR(got.y2, s.y2, tolerance) << what;
}

class SheetTextsTest : public ProgramTest {
protected:
    SheetTextsTest() {
        decimal_separator = ',';
        euro_rounding = false;
        // Height, colour, spacing, width factor, layer of the eight styles;
        // "t_kom" 0.19 high with a spacing of 0.04.
        const char* const rows[8][5] = {
            {"19", "7", "4", "90%", "Opisy"}, {"19", "7", "4", "100%", "Metryka"}, {"19", "8", "4", "70%", "Komentarze"},
            {"15", "84", "4", "70%", "0"},     {"17", "12", "4", "70%", "0"},       {"16", "130", "4", "70%", "0"},
            {"14", "112", "4", "70%", "0"},    {"15", "7", "18", "70%", "0"},
        };
        written::set_font_table(rows);
        topcje->cb_DescriptionOnLeft->SetChecked(true);
        topcje->cb_RearrangeCommentsWithoutMoveNodes->SetChecked(false);
        topcje->cb_VerticalLinesToTerrainLine->SetChecked(false);
        topcje->cb_1PipeLine->SetChecked(false);
        topcje->cb_GeoCrossAboveTerrainLine->SetChecked(true);
        topcje->cb_InGeoCrossDescriptionsInMiddle->SetChecked(false);
        TStringGrid& g = *topcje->sag_Layers;
        const std::vector<std::string> names = {"Komentarze", "Kreskowanie", "Opisy"};
        g.SetRowCount(2 + static_cast<int>(names.size()));
        for (std::size_t r = 0; r < names.size(); ++r) g.SetCell(1, static_cast<int>(r) + 2, names[r]);
        std::vector<linia_def>& defs = settings().line_defs;
        if (defs.size() < 15) defs.resize(15);
        element(element_koment, "Komentarze", 3);
        element(element_kreskowanie, "Kreskowanie", 9);
        settings().symbol_size_factor = 0.2;

        drawing_state& d = drawing();
        d.unit_factor = 1;
        d.units_per_metre = 1000;
        d.y_factor = 1000;
        d.drawn_profile = 0;

        // "P1": nodes at 0, 40 and 100 m, 1:500 (200 units a metre),
        // terrain 102.40, 102.10, 101.60, pipe 100.00, 99.80, 99.50, 200 mm.
        model().profiles.clear();
        add_profile("P1", 1, {0, 40, 100});
        odcinek& p = model().profiles[0];
        p.rysuj = true;
        p.networktype = 'k';
        p.poziom_wart = 96;
        p.sheet_x = 0;
        p.drawing_block = 200;
        const double terrain[] = {102.40, 102.10, 101.60};
        const double pipe[] = {100.00, 99.80, 99.50};
        for (std::size_t i = 0; i < 3; ++i) {
            wezel& w = p.nodes[i];
            w.ter = w.ter_used = value_pair(terrain[i]);
            w.dno = value_pair(pipe[i]);
            w.fi = value_pair(200);
            w.dlug = i + 1 < 3 ? p.nodes[i + 1].odl - w.odl : 0;
            w.draw_factor = 200;
            w.draw_x = w.odl * 200;
        }
    }

    static void element(int index, const std::string& layer, int colour, bool draw = true,
                        const std::string& media = "a") {
        linia_def& e = settings().line_defs[static_cast<std::size_t>(index)];
        e.layer = layer;
        e.color = colour;
        e.draw = draw;
        e.media = media;
    }

    static odcinek& profile() { return model().profiles[0]; }
    static wezel& node(std::size_t i) { return model().profiles[0].nodes[i]; }

    std::vector<entity> written() const { return entities_of(writer); }

    DXF_Writer writer{"rysunek.dxf"};
};

}  // namespace sheet_texts
