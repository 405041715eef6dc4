#include "app/node_table.h"

#include <algorithm>
#include <cmath>

#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/objects.h"
#include "model/pairs.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/sysutils.h"

namespace {

int item(const TRadioGroup* g) { return g ? g->ItemIndex() : 0; }

}  // namespace

cell_display display_of(grid_side side) {
    cell_display d;
    const int reference = Form1 ? std::max(item(Form1->rg_PipeOrdinateMode), 0) : 0;
    d.pipe_reference = reference;
    d.depth_reference = reference;
    if (topcje) {
        if (side == grid_side::table && topcje->cb_AlwaysShowBottomPipe->Checked()) d.pipe_reference = 0;
        if (topcje->cb_DepthAlways2BottomPipe->Checked()) d.depth_reference = 0;
        d.slope_mode = std::max(topcje->cb_GradientMode->ItemIndex(), 0);
    }
    d.flow_factor = settings().flow_unit_factor;
    return d;
}

namespace {

double slope_shown(double stored, int mode) {
    if (mode == 1) return stored * 10;
    if (mode == 2) return stored == 0 ? 0 : 100 / stored;
    return stored;
}

double slope_stored(double shown, int mode) {
    if (mode == 1) return shown / 10;
    if (mode == 2) return shown == 0 ? 0 : 100 / shown;
    return shown;
}

}  // namespace

value_pair shown_value(column_kind k, const value_pair& v, double d1, double d2, const cell_display& d) {
    switch (k) {
        case column_kind::dno:
            return {v.s1 + d.pipe_reference * d1 / 2000, v.s2 + d.pipe_reference * d2 / 2000};
        case column_kind::zag:
            return {v.s1 - d.depth_reference * d1 / 2000, v.s2 - d.depth_reference * d2 / 2000};
        case column_kind::spad: return {slope_shown(v.s1, d.slope_mode), slope_shown(v.s2, d.slope_mode)};
        case column_kind::flow:
        case column_kind::sflow: return {v.s1 * d.flow_factor, v.s2 * d.flow_factor};
        default: return v;
    }
}

value_pair stored_value(column_kind k, const value_pair& v, double d1, double d2, const cell_display& d) {
    switch (k) {
        case column_kind::dno:
            return {v.s1 - d.pipe_reference * d1 / 2000, v.s2 - d.pipe_reference * d2 / 2000};
        case column_kind::zag:
            return {v.s1 + d.depth_reference * d1 / 2000, v.s2 + d.depth_reference * d2 / 2000};
        case column_kind::spad: return {slope_stored(v.s1, d.slope_mode), slope_stored(v.s2, d.slope_mode)};
        case column_kind::flow:
        case column_kind::sflow:
            if (d.flow_factor == 0) return v;
            return {v.s1 / d.flow_factor, v.s2 / d.flow_factor};
        default: return v;
    }
}

void pair_text(std::string& out, int decimals, const value_pair& p) {
    zlacz(static_cast<uint8_t>(std::clamp(decimals, 0, 255)), out, p.s1, p.s2);
}

int node_scale(uint16_t profile, int node) {
    const odcinek& p = model().profiles.at(profile);
    const wezel& w = p.nodes.at(static_cast<std::size_t>(node));
    if (w.scale != 0) return w.scale;
    if (p.pskala && p.pskalax != 0) return p.pskalax;
    int general = 0;
    if (topcje && TryStrToInt(topcje->sag_DrawingProperties->Cells(1, 1), general)) return general;
    return 0;
}

void node_text(std::string& out, uint16_t profile, int node, column_kind k, grid_side side, const cell_display& d) {
    const model_state& m = model();
    const odcinek& p = m.profiles.at(profile);
    const wezel& w = p.nodes.at(static_cast<std::size_t>(node));
    const int dec = m.column_decimals[static_cast<std::size_t>(index_of(k))];
    const double empty = m.empty_value;
    const column_node& held = column_of(k).node;
    out.clear();
    switch (held.value) {
        case column_value::entered_pair: {
            // An empty entered pair shows the pair in use (interpolated).
            const value_pair& entered = w.*held.pair;
            pair_text(out, dec, entered.s1 != empty || entered.s2 != empty ? entered : w.*held.used);
            break;
        }
        case column_value::pair: {
            // Pipe ordinates and depths are shown at the pipe-ordinate reference.
            const bool levels = k == column_kind::dno || k == column_kind::zag;
            const double d1 = levels ? fi(profile, node, "s1") : 0;
            const double d2 = levels ? fi(profile, node, "s2") : 0;
            pair_text(out, dec, shown_value(k, w.*held.pair, d1, d2, d));
            break;
        }
        case column_value::number: fixed_text(out, dec, shown_value(k, value_pair(w.*held.number), 0, 0, d).s1); break;
        // The scale the drawing uses: the node's own, else the profile's or the general one.
        case column_value::scale: out = IntToStr(node_scale(profile, node)); break;
        case column_value::text:
            out = k == column_kind::obiekt && side == grid_side::table ? obiekt2nazwa(w.obiekt, false) : w.*held.text;
            break;
        case column_value::none:
            if (k == column_kind::pipe) {
                if (side == grid_side::table && (w.series_index < 0 || m.project.pipe_series.empty())) out = "D";
            } else if (k == column_kind::kol || k == column_kind::osl) {
                const bool crossings = k == column_kind::kol;
                int at_node = 0;
                int all = 0;
                if (crossings) {
                    all = static_cast<int>(p.crossings.size());
                    for (const kolizja& c : p.crossings) at_node += c.node_id == w.id;
                } else {
                    all = static_cast<int>(p.casings.size());
                    for (const oslonowa& c : p.casings) at_node += c.node_id == w.id;
                }
                out = IntToStr(at_node) + "/" + IntToStr(all);
            }
            break;  // the formula column is the window's
    }
}
