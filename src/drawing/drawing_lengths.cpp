#include "drawing/drawing_lengths.h"

#include "drawing/drawing_state.h"
#include "drawing/dxf_sections.h"
#include "forms/opcje.h"
#include "model/state.h"
#include "platform/sysutils.h"

int skalaX(uint16_t profile, int node) {
    const odcinek& p = model().profiles.at(profile);
    const wezel& n = p.nodes.at(static_cast<std::size_t>(node));
    if (n.scale > 0) return n.scale;
    if (p.pskala && p.pskalax > 0) return p.pskalax;
    return StrToInt(topcje->sag_DrawingProperties->Cells(1, 1));
}

void oblicz_dlugosci(std::string_view what) {
    const bool lengths = what == "dlugosci" || what == "all";
    const bool scaled = what == "dlugosci_ze_skala" || what == "all";
    model_state& m = model();
    if (lengths)
        for (odcinek& p : m.profiles) p.length = p.nodes.empty() ? 0 : p.nodes.back().odl - p.nodes.front().odl;
    if (!scaled) return;
    const double uf = unit_factor_of(topcje->cb_jedn->ItemIndex());
    for (std::size_t i = 0; i < m.profiles.size(); ++i) {
        odcinek& p = m.profiles[i];
        p.drawn_width = 0;
        if (!p.rysuj || p.nodes.size() < 2) continue;
        p.nodes[0].draw_x = 0;
        for (std::size_t j = 0; j < p.nodes.size(); ++j) {
            wezel& n = p.nodes[j];
            n.draw_factor = 1e5 / (uf * skalaX(static_cast<uint16_t>(i), static_cast<int>(j)));
            if (j > 0) n.draw_x = p.nodes[j - 1].draw_x + p.nodes[j - 1].dlug * p.nodes[j - 1].draw_factor;
        }
        for (std::size_t j = 0; j + 1 < p.nodes.size(); ++j) p.drawn_width += p.nodes[j].dlug * p.nodes[j].draw_factor;
    }
}
