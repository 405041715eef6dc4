// Template variables of the nodes, sumps, crossings and casing pipes.
#include <algorithm>

#include "files/wydruki.h"
#include "forms/kolizje.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/annotations.h"
#include "model/drawing_palette.h"
#include "model/objects.h"
#include "model/pairs.h"
#include "model/project.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/named_bytes.h"
#include "platform/sysutils.h"

namespace {

using ck = column_kind;

// --- sumps -------------------------------------------------------------------------

// The sump of the call: sump i0, or the sump of node (i0, i1) for the
// drawing writer (i3 = 11111); nullptr when there is none.
const mat_studzienka* sump_of(const var_call& c, int* index = nullptr) {
    auto& sumps = model().project.sumps;
    if (sumps.empty()) return nullptr;
    int s = c.i0;
    if (c.i3 == 11111) s = node_of(c.i0, c.i1) ? znajdz_obiekt(static_cast<uint16_t>(c.i0), c.i1) : -1;
    if (s < 0 || s >= static_cast<int>(sumps.size())) return nullptr;
    if (index) *index = s;
    return &sumps[static_cast<std::size_t>(s)];
}

template <class F>
void with_sump(var_call& c, std::string& v, F f) {
    int index = -1;
    if (const mat_studzienka* s = sump_of(c, &index)) v = f(*s, index);
}

#define SUMP(expr) [](var_call& c, std::string& v) { with_sump(c, v, [&c](const mat_studzienka& s, int i) { (void)c; (void)s; (void)i; return expr; }); }

// The inlet ordinates, each with the decimals of "|N" (default 4), joined
// by "; "; the "|N" step is then skipped.
std::string inlet_ordinates(const mat_studzienka& s, var_call& c) {
    c.skip_decimals = true;
    std::string out;
    for (const std::string& item : split_items(s.inlet_ordinates, list_separator)) {
        if (item.empty()) continue;
        if (!out.empty()) out += "; ";
        double x = 0;
        out += TryStrToFloat(item, x) ? fmt_fixed(c.decimals, x) : item;
    }
    return out;
}

// --- nodes ---------------------------------------------------------------------------

struct node_ctx {
    const odcinek& p;
    const wezel& w;
    int i0, i1, i3;
};

template <class F>
void with_node(var_call& c, std::string& v, F f) {
    const odcinek* p = profile_of(c.i0);
    const wezel* w = node_of(c.i0, c.i1);
    if (p && w) v = f(node_ctx{*p, *w, c.i0, c.i1, c.i3});
}

#define NODE(expr) [](var_call& c, std::string& v) { with_node(c, v, [&c](const node_ctx& n) { (void)c; (void)n; return expr; }); }

// A value with sides: the chosen half for i3 = 1 or 2, else the pair.
std::string sided(ck k, const value_pair& p, int i3) {
    if (i3 == 1) return col(k, p.s1);
    if (i3 == 2) return col(k, p.s2);
    return pair(k, p);
}

double incoming_diameter(const node_ctx& n) { return fi(static_cast<uint16_t>(n.i0), n.i1 - 1, "s1"); }
double outgoing_diameter(const node_ctx& n) { return fi(static_cast<uint16_t>(n.i0), n.i1, "s1"); }

// The pipe-ordinate offset of a diameter: diameter x m / 2000, m the
// pipe-ordinate mode (0 bottom, 1 axis, 2 top), 0 while the bottom is
// always shown; the depth offset is 0 while depths go to the bottom.
double ordinate_offset(double diameter) {
    if (topcje->cb_AlwaysShowBottomPipe->Checked()) return 0;
    return diameter * Form1->rg_PipeOrdinateMode->ItemIndex() / 2000;
}
double depth_offset(double diameter) {
    if (topcje->cb_DepthAlways2BottomPipe->Checked()) return 0;
    return diameter * Form1->rg_PipeOrdinateMode->ItemIndex() / 2000;
}

value_pair pipe_level(const node_ctx& n) {
    const double k = ordinate_offset(outgoing_diameter(n));
    return {n.w.dno.s1 + k, n.w.dno.s2 + k};
}

value_pair depth(const node_ctx& n) {
    return {n.w.zag.s1 - depth_offset(incoming_diameter(n)), n.w.zag.s2 - depth_offset(outgoing_diameter(n))};
}

// A flow "as a segment": this node's when the profile flows left to right
// or the node is the last, else the next node's; in the display unit.
double segment_flow(const node_ctx& n, double wezel::*flow) {
    const bool last = n.i1 + 1 >= static_cast<int>(n.p.nodes.size());
    const wezel& w = n.p.pl2r_wart || last ? n.w : n.p.nodes[static_cast<std::size_t>(n.i1 + 1)];
    return w.*flow * settings().flow_unit_factor;
}

// The terrain slope to the next node, "%.5f"; empty at the last node or
// for a length of 0.
std::string terrain_slope(const node_ctx& n, value_pair wezel::*line) {
    if (n.w.dlug == 0 || n.i1 + 1 >= static_cast<int>(n.p.nodes.size())) return {};
    const wezel& next = n.p.nodes[static_cast<std::size_t>(n.i1 + 1)];
    return fmt_fixed(5, ((n.w.*line).s2 - (next.*line).s1) / n.w.dlug);
}

std::string slope(const node_ctx& n) {
    double s = n.w.spad;
    const int mode = topcje->cb_GradientMode->ItemIndex();
    if (mode == 1) s *= 10;
    else if (mode == 2) s = s == 0 ? 0 : 100 / s;
    return col(ck::spad, s);
}

std::string item_text(const TComboBox* box) {
    const int i = box->ItemIndex();
    return i >= 0 && i < box->Items().Count() ? box->Items()[i] : std::string();
}

// The pipe series of the node and its size row; nullptr when none.
const mat_rura_typosz* series_of(const node_ctx& n) {
    const auto& series = model().project.pipe_series;
    if (n.w.series_index < 0 || n.w.size_index < 0 || n.w.series_index >= static_cast<int>(series.size())) return nullptr;
    return &series[static_cast<std::size_t>(n.w.series_index)];
}

std::string wall_thickness(const node_ctx& n) {
    const mat_rura_typosz* s = series_of(n);
    if (!s || n.w.size_index >= static_cast<int>(s->thickness.size())) return {};
    return s->thickness[static_cast<std::size_t>(n.w.size_index)];
}

std::string series_text(const node_ctx& n, std::string mat_rura_typosz::*field) {
    const mat_rura_typosz* s = series_of(n);
    return s ? s->*field : std::string();
}

// The diameter in metres: side 1 the previous node's first half (this
// node's at the first node), side 2 this node's first half, else the pair.
std::string diameter_m(const node_ctx& n) {
    if (n.i3 == 1) return col(ck::dlug, n.p.nodes[static_cast<std::size_t>(std::max(0, n.i1 - 1))].fi.s1 / 1000);
    if (n.i3 == 2) return col(ck::dlug, n.w.fi.s1 / 1000);
    return pair(ck::dlug, value_pair(n.w.fi.s1 / 1000, n.w.fi.s2 / 1000));
}

// The node comment, itself expanded; met again inside its own expansion
// (a comment naming itself) it gives nothing.
const char comment_marker = 0;
void node_comment(var_call& c, std::string& v) {
    const wezel* w = node_of(c.i0, c.i1);
    if (!w) return;
    auto& expanding = engine_of(c.form).expanding;
    if (std::find(expanding.begin(), expanding.end(), &comment_marker) != expanding.end()) return;
    expanding.push_back(&comment_marker);
    try {
        c.form.wypelnij_linie(w->kom, "htm", c.i0, c.i1, 0, 11111, v);
    } catch (...) {
        expanding.pop_back();
        throw;
    }
    expanding.pop_back();
}

// --- crossings and casing pipes ---------------------------------------------------------

// Entry i0 of the current profile, or entry i1 of profile i0 for the
// drawing writer (i3 = -1).
template <class T>
const T* entry_of(const var_call& c, std::vector<T> odcinek::*list, int* profile = nullptr, int* index = nullptr) {
    const int p = c.i3 == -1 ? c.i0 : model().current_profile;
    const int e = c.i3 == -1 ? c.i1 : c.i0;
    const odcinek* o = profile_of(p);
    if (!o || e < 0 || e >= static_cast<int>((o->*list).size())) return nullptr;
    if (profile) *profile = p;
    if (index) *index = e;
    return &(o->*list)[static_cast<std::size_t>(e)];
}

#define CROSSING(expr) [](var_call& c, std::string& v) { if (const kolizja* k = entry_of(c, &odcinek::crossings)) v = expr; }
#define CASING(expr) [](var_call& c, std::string& v) { if (const oslonowa* o = entry_of(c, &odcinek::casings)) v = expr; }

// An expansion of a description template by an editor; met again inside
// its own expansion it gives nothing.
const char crossing_marker = 0;
const char casing_marker = 0;
template <class F>
void guarded(var_call& c, const char* marker, F f) {
    auto& expanding = engine_of(c.form).expanding;
    if (std::find(expanding.begin(), expanding.end(), marker) != expanding.end()) return;
    expanding.push_back(marker);
    try {
        f();
    } catch (...) {
        expanding.pop_back();
        throw;
    }
    expanding.pop_back();
}

void crossing_description(var_call& c, std::string& v) {
    int p = -1, e = -1;
    if (const kolizja* k = entry_of(c, &odcinek::crossings, &p, &e))
        guarded(c, &crossing_marker, [&] {
            const int mode = tkolizje ? tkolizje->rg_PipeOrdinateMode->ItemIndex() : 0;
            kolizje_uzupelnij_opis(k->description, static_cast<uint16_t>(e), static_cast<uint16_t>(p), mode, v);
        });
}

void casing_description(var_call& c, std::string& v) {
    int p = -1, e = -1;
    if (const oslonowa* o = entry_of(c, &odcinek::casings, &p, &e))
        guarded(c, &casing_marker,
                [&] { oslonowe_uzupelnij_opis(o->description, static_cast<uint16_t>(e), static_cast<uint16_t>(p), v); });
}

// The colour of the crossing's medium in the crossing colour table, as
// the red, green and blue parts of its drawing colour in hexadecimal.
void crossing_colour(var_call& c, std::string& v) {
    const kolizja* k = entry_of(c, &odcinek::crossings);
    if (!k) return;
    const auto& media = settings().crossing_media;
    const auto it = std::find(media.begin(), media.end(), AnsiLowerCase(k->medium));
    if (it == media.end()) return;
    int number = 0;
    const int row = static_cast<int>(it - media.begin()) + 1;
    if (!TryStrToInt(topcje->sag_CrossingsFonts->Cells(2, row), number) || number < 1 || number > drawing_palette_size)
        return;
    const TColor colour = drawing_palette_fixed[static_cast<std::size_t>(number - 1)];
    v = Format("%.2x%.2x%.2x", {colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF});
}

std::string yes_no(const var_call& c, bool on) { return on ? c.yes : c.no; }

}  // namespace

bool sump_node_redirect(var_call& c) {
    if (c.name.find("_td_", 1) == std::string::npos) return false;
    const mat_studzienka* s = sump_of(c);
    if (!s) return false;
    const node_place at = znajdz_wezel(s->adds.node_name, true, model().current_profile, -1);
    if (at.profile < 0) return false;
    c.name.erase(0, 3);
    c.i0 = at.profile;
    c.i1 = at.node;
    return true;
}

void node_variables(std::vector<var_entry>& out) {
    out.insert(out.end(), {
        // Sumps.
        {"ts_lp", "ts_no", SUMP(fmt_d(i + 1))},
        {"ts_wezel", "ts_node", SUMP(s.adds.node_name)},
        {"ts_producent", "ts_producer", SUMP(s.adds.producer)},
        {"ts_typ", "ts_kind", SUMP(std::string(1, s.kind))},
        {"ts_nazwa", "ts_name", SUMP(s.main.name)},
        {"ts_opis", "ts_description", SUMP(s.adds.description)},
        {"ts_srednica", "ts_diameter", SUMP(fmt_g(s.diameter / 1000.0))},
        {"ts_srednica_wlazu", "ts_cover_diameter", SUMP(fmt_fixed(3, (s.cover_diameter ? s.cover_diameter : s.diameter) / 1000.0))},
        {"ts_grubosc_sciany", "ts_wall_thickness", SUMP(fmt_f(s.thickness / 1000.0 / 10))},
        {"ts_wysokosc", "ts_height", SUMP(fmt_f(s.height_all / 1000.0))},
        {"ts_wysokosc_komina", "ts_cover_height", SUMP(fmt_f(s.cover_height / 1000.0))},
        {"ts_wysokosc_stozka", "ts_cone_height", SUMP(fmt_f(s.cone_height / 1000.0))},
        {"ts_wysokosc_nadbudowy", "ts_extension_height", SUMP(fmt_f(s.extension_height / 1000.0))},
        {"ts_ilosc_nadbudow", "ts_extension_count", SUMP(fmt_f(s.max_extension_count / 1000.0))},
        {"ts_doplywy", "ts_inlets", SUMP(inlet_ordinates(s, c))},
        {"ts_rzedna_dna", "ts_bottom_ordinate", SUMP(fmt_f(s.bottom / 1000.0))},
        // Nodes.
        {"td_rzedna_terenu", "td_ground_level", NODE(sided(ck::ter, n.w.ter_used, n.i3))},
        {"td_rzedna_terenu_l", "td_ground_level_l", NODE(col(ck::ter, n.w.ter_used.s1))},
        {"td_rzedna_terenu_p", "td_ground_level_r", NODE(col(ck::ter, n.w.ter_used.s2))},
        {"td_rzedna_terenu_maks", "td_max_ground_level", NODE(col(ck::ter, n.w.scheme_block[0]))},
        {"td_rzedna_terenu_proj", "td_ground_level_proj", NODE(sided(ck::terp, n.w.terp_used, n.i3))},
        {"td_rzedna_terenu_proj_l", "td_ground_level_proj_l", NODE(col(ck::terp, n.w.terp_used.s1))},
        {"td_rzedna_terenu_proj_p", "td_ground_level_proj_r", NODE(col(ck::terp, n.w.terp_used.s2))},
        {"td_rzedna_rury", "td_pipe_level", NODE(pair(ck::dno, pipe_level(n)))},
        {"td_rzedna_rury_l", "td_pipe_level_l", NODE(col(ck::dno, n.w.dno.s1 + ordinate_offset(incoming_diameter(n))))},
        {"td_rzedna_rury_p", "td_pipe_level_r", NODE(col(ck::dno, n.w.dno.s2 + ordinate_offset(outgoing_diameter(n))))},
        {"td_rzedna_dna_rury", "td_pipe_bottom_level", NODE(sided(ck::dno, n.w.dno, n.i3))},
        {"td_rzedna_rury_typ", "td_pipe_level_mode",
         NODE(n.p.rzedna < Form1->rg_PipeOrdinateMode->Items().Count() ? Form1->rg_PipeOrdinateMode->Items()[n.p.rzedna]
                                                                       : std::string())},
        {"td_rzedna_dna", "td_bottom_level", NODE(col(ck::dno, n.w.scheme_block[1]))},
        {"td_rzedne_dna", "td_bottom_levels", NODE(n.w.scheme_label)},
        {"td_zaglebienie", "td_depth", NODE(pair(ck::zag, depth(n)))},
        {"td_zaglebienie_l", "td_depth_l", NODE(col(ck::zag, depth(n).s1))},
        {"td_zaglebienie_p", "td_depth_r", NODE(col(ck::zag, depth(n).s2))},
        {"td_przeplyw_z_odc_jako_wezel", "td_flow_from_section_as_node", NODE(col(ck::flow, n.w.flow))},
        {"td_przeplyw_z_odc_jako_odc", "td_flow_from_section_as_sec", NODE(col(ck::flow, segment_flow(n, &wezel::flow)))},
        {"td_przeplyw_caly_jako_wezel", "td_summary_flow_as_node", NODE(col(ck::sflow, n.w.sflow))},
        {"td_przeplyw_caly_jako_odc", "td_summary_flow_as_sec", NODE(col(ck::sflow, segment_flow(n, &wezel::sflow)))},
        {"td_przeplyw_jednostka", "td_flow_unit",
         NODE(item_text(topcje->cb_FlowUnitV) + "/" + item_text(topcje->cb_FlowUnitT))},
        {"td_dlugosc", "td_length", NODE(col(ck::dlug, n.w.dlug))},
        {"td_spadek_terenu_istn", "td_slope_terrain", NODE(terrain_slope(n, &wezel::ter_used))},
        {"td_spadek_terenu_proj", "td_slope_terrain_proj", NODE(terrain_slope(n, &wezel::terp_used))},
        {"td_spadek_jednostka", "td_slope_unit", NODE(model().column_units[static_cast<std::size_t>(index_of(ck::spad))])},
        {"td_spadek", "td_slope", NODE(slope(n))},
        {"td_material", "", NODE(n.w.mat)},
        {"td_rura_grubosc_sciany", "td_pipe_wall_thickness", NODE(wall_thickness(n))},
        {"td_rura_klasa", "td_pipe_class", NODE(series_text(n, &mat_rura_typosz::pipe_class))},
        {"td_rura_sdr", "td_pipe_sdr", NODE(series_text(n, &mat_rura_typosz::sdr))},
        {"td_rura_sn", "td_pipe_sn", NODE(series_text(n, &mat_rura_typosz::sn))},
        {"td_rura_pn", "td_pipe_pn", NODE(series_text(n, &mat_rura_typosz::pn))},
        {"td_srednica", "td_diameter", NODE(zlacz(0, n.w.fi))},
        {"td_srednica_m", "td_diameter_m", NODE(diameter_m(n))},
        {"td_odleglosc", "td_chainage", NODE(col(ck::odl, n.w.odl))},
        {"td_oblicz", "td_user", NODE(col(ck::user1, n.w.calc1))},
        {"td_obiekt", "td_object", NODE(obiekt2nazwa(n.w.obiekt, false))},
        {"td_komentarz", "td_comment", node_comment},
        {"td_wezel", "td_node", NODE(n.w.wez)},
        {"td_wspl_x", "td_coord_x", NODE(col(ck::wsplx, n.w.wsplx))},
        {"td_wspl_y", "td_coord_y", NODE(col(ck::wsply, n.w.wsply))},
        {"td_linia1", "td_line1", NODE(pair(ck::lin, n.w.lin_used))},
        {"td_linia1_l", "td_line1_l", NODE(col(ck::lin, n.w.lin_used.s1))},
        {"td_linia1_p", "td_line1_r", NODE(col(ck::lin, n.w.lin_used.s2))},
        {"td_linia2", "td_line2", NODE(pair(ck::lin2, n.w.lin2_used))},
        {"td_linia2_l", "td_line2_l", NODE(col(ck::lin2, n.w.lin2_used.s1))},
        {"td_linia2_p", "td_line2_r", NODE(col(ck::lin2, n.w.lin2_used.s2))},
        {"td_kat", "td_angle", NODE(col(ck::kat, n.w.kat))},
        {"td_promien_giecia", "td_radius", NODE(col(ck::rad, n.w.rad))},
        {"td_szerokosc", "td_width", NODE(pair(ck::szer, n.w.szer))},
        {"td_szerokosc_l", "td_width_l", NODE(col(ck::szer, n.w.szer.s1))},
        {"td_szerokosc_p", "td_width_r", NODE(col(ck::szer, n.w.szer.s2))},
        {"td_nasyp", "td_embankment", NODE(col(ck::lin, n.w.volumes[vs_volume_embankment]))},
        {"td_objetosc_wymiany", "td_volume_to_exchange", NODE(col(ck::lin, n.w.volumes[vs_volume_to_exchange]))},
        {"td_powierzchnia_uzbrojenia", "td_infrastructure_area", NODE(col(ck::lin, n.w.volumes[vs_infrastructure_area]))},
        // Crossings.
        {"tk_czy_projektowana", "tk_is_projected", CROSSING(yes_no(c, k->projected))},
        {"tk_czy_do_usuniecia", "tk_is_to_remove", CROSSING(yes_no(c, k->to_remove))},
        {"tk_medium", "", CROSSING(k->medium)},
        {"tk_srednica", "tk_diameter",
         CROSSING(k->height != 0 ? Format("%fx%f", {k->diameter, k->height}) : fmt_f(k->diameter))},
        {"tk_rzedna_dna", "tk_pipe_bottom_level", CROSSING(fmt_f(k->ordinate))},
        {"tk_kat", "tk_angle", CROSSING(fmt_f(k->angle))},
        {"tk_opis", "tk_comment", crossing_description},
        {"tk_wezel", "tk_node", CROSSING(k->node_label)},
        {"tk_odleglosc_od_wezla", "tk_distance_from_node", CROSSING(fmt_f(k->distance))},
        {"tk_odleglosc_od_pocz", "tk_distance_from_begin", CROSSING(fmt_f(k->chainage + k->distance))},
        {"tk_h", "", CROSSING(fmt_f(k->clearance))},
        {"tk_zaglebienie", "tk_depth", CROSSING(fmt_f(k->depth))},
        {"tk_kolor", "tk_color", crossing_colour},
        // Casing pipes.
        {"to_srednica", "to_diameter", CASING(fmt_f(o->diameter))},
        {"to_material", "", CASING(o->material)},
        {"to_dlugosc", "to_length", CASING(fmt_f(std::abs(o->length)))},
        {"to_opis", "to_comment", casing_description},
        {"to_wezel", "to_node",
         [](var_call& c, std::string& v) {
             int index = -1;
             if (entry_of(c, &odcinek::casings, nullptr, &index)) v = sources().casing_node_text(index);
         }},
        {"to_odleglosc_od_wezla", "to_node_distance", CASING(fmt_f(o->distance))},
        {"to_typ", "to_type", CASING(o->kind)},
    });
}
#undef SUMP
#undef NODE
#undef CROSSING
#undef CASING
