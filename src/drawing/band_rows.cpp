// The table under the profile: a row's values computed into the nodes and
// written at the nodes or between them, and single values written into a
// row at chainages between nodes.
//
// A node value that cannot be shown (a user formula that does not evaluate
// or gives a value that is not finite, the nodes a user row never reached)
// is left as NaN in `wezel.temp`: the row writes nothing there and a user
// line skips the segments that touch it.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/drawing_lengths.h"
#include "drawing/drawing_state.h"
#include "drawing/dxf_writer.h"
#include "drawing/profile_sheet.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "files/settings_groups.h"
#include "forms/skojarzone.h"
#include "model/annotations.h"
#include "model/formula.h"
#include "model/objects.h"
#include "model/pairs.h"
#include "model/recalculation.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "model/sumps.h"
#include "model/terrain.h"
#include "model/utils.h"
#include "platform/exceptions.h"
#include "platform/named_bytes.h"
#include "platform/sysutils.h"

namespace {

constexpr double nothing = std::numeric_limits<double>::quiet_NaN();

bool is_finite(double v) { return std::isfinite(v); }

// A row's scratch marks: a label or a joined run begins at the node.
uint8_t& label_start(wezel& w) { return w.marks[0]; }

const std::string& font_cell(int col, int row) { return topcje->sag_Fonts->Cells(col, row); }

double font_number(int col, int row) {
    try {
        return StrToFloat(fix_decimal_separator(Trim(font_cell(col, row))));
    } catch (const EConvertError&) {
        return 0;
    }
}

int font_colour(int row) {
    try {
        return StrToInt(Trim(font_cell(2, row))) & 0xFF;
    } catch (const EConvertError&) {
        return 7;
    }
}

std::string item_text(const TComboBox* box) {
    const int i = box->ItemIndex();
    return i >= 0 && i < box->Items().Count() ? box->Items()[i] : std::string();
}

std::string radio_item(const TRadioGroup* group, int index) {
    return index >= 0 && index < group->Items().Count() ? group->Items()[index] : std::string();
}

// A value of a row with the row's precision: decimals below 6, the steps
// of half units (6: 0.5, 7: 0.05, 8: 0.005) from 6 on.
std::string row_number(int precision, double v) {
    return format_fixed(precision < 6 ? std::max(precision, 0) : -precision, v);
}

// A user formula's expansion is a text (not a number) when it is empty or
// holds ":" or a letter.
bool is_text(const std::string& expanded) {
    if (expanded.empty() || expanded.find(':') != std::string::npos) return true;
    const std::string lower = LowerCase(expanded);
    return std::any_of(lower.begin(), lower.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// The number a user formula's expansion gives (read with the system's
// decimal separator, as the expansion writes it); NaN when it does not
// evaluate or is not finite.
double evaluate(TCalcExpress& ce, const std::string& expanded) {
    try {
        ce.SetFormula(fix_decimal_separator(expanded));
        const double v = static_cast<double>(ce.evaluate({}));
        return is_finite(v) ? v : nothing;
    } catch (const Exception&) {
        return nothing;
    }
}

// The values of a "user" row: the row's formula expanded for every node
// (side 1, and side 2 for a row at nodes) and evaluated until the first
// text, from which on the row holds texts.
bool user_values(const dane_pod_profil& row, uint16_t profile) {
    std::vector<wezel>& nodes = model().profiles[profile].nodes;
    for (wezel& w : nodes) {
        w.temp = value_pair(nothing, nothing);
        w.result.clear();
    }
    if (!tskojarzone) return false;
    const std::string formula = fix_decimal_separator(row.formula);
    const std::size_t count = row.at_nodes ? nodes.size() : nodes.size() - 1;
    TCalcExpress ce(nullptr);
    bool texts = false;
    auto expand = [&](std::size_t node, int side) {
        return Trim(tskojarzone->wypelnij_linie(formula, "txt", profile, static_cast<int>(node), 0, side));
    };
    for (std::size_t j = 0; j < count; ++j) {
        wezel& w = nodes[j];
        const std::string first = expand(j, 1);
        if (!texts && is_text(first)) texts = true;
        if (texts)
            w.result = first;
        else
            w.temp.s1 = evaluate(ce, first);
        if (!row.at_nodes) {
            w.temp.s2 = w.temp.s1;
            continue;
        }
        const std::string second = expand(j, 2);
        if (!texts && is_text(second)) texts = true;
        if (texts) {
            w.result = second;
            if (second.empty()) break;
        } else {
            w.temp.s2 = evaluate(ce, second);
        }
    }
    return texts;
}

// The segment-flow or cumulative-flow factor row of a node: a row between
// nodes shows the next node's flow unless the flow runs left to right.
double flow_of(const odcinek& p, std::size_t j, bool at_nodes, double wezel::*flow) {
    const bool next = !at_nodes && !p.pl2r_wart && j + 1 < p.nodes.size();
    return p.nodes[next ? j + 1 : j].*flow * settings().flow_unit_factor;
}

}  // namespace

bool copy2temp(const std::string& key, uint16_t profile, int row) {
    auto& profiles = model().profiles;
    if (profile >= profiles.size()) return false;
    odcinek& p = profiles[profile];
    if (p.nodes.empty()) return false;
    const auto& rows = settings().profile_table_rows;
    const dane_pod_profil* r = row >= 0 && static_cast<std::size_t>(row) < rows.size() ? &rows[static_cast<std::size_t>(row)]
                                                                                       : nullptr;
    if (key == "user") return r ? user_values(*r, profile) : false;

    const bool at_nodes = r ? r->at_nodes : true;
    const double k = topcje->cb_AlwaysShowBottomPipe->Checked() ? 0 : p.rzedna;
    const double k_depth = topcje->cb_DepthAlways2BottomPipe->Checked() ? 0 : p.rzedna;
    const settings_state& s = settings();

    // Each key fills one node; false for a key that is not a value row.
    enum class kind {
        terrain, design, line1, line2, bottom, trench, cover, depth, chainage, length, volume, trench_volume,
        scale, segment_flow, flow, none
    };
    const kind what = key == "teren"             ? kind::terrain
                      : key == "teren_proj"      ? kind::design
                      : key == "linia"           ? kind::line1
                      : key == "linia2"          ? kind::line2
                      : key == "dno"             ? kind::bottom
                      : key == "dno_wykopu"      ? kind::trench
                      : key == "wierzch_obsypki" ? kind::cover
                      : key == "zaglebienie"     ? kind::depth
                      : key == "odleglosc"       ? kind::chainage
                      : key == "dlugosc"         ? kind::length
                      : key == "objetosc"        ? kind::volume
                      : key == "obj_wykopu"      ? kind::trench_volume
                      : key == "skala"           ? kind::scale
                      : key == "przeplyw_odc"    ? kind::segment_flow
                      : key == "przeplyw"        ? kind::flow
                                                 : kind::none;
    if (what == kind::none) return false;

    for (std::size_t j = 0; j < p.nodes.size(); ++j) {
        wezel& w = p.nodes[j];
        const int node = static_cast<int>(j);
        // The diameter before the node (side 1) and of the node's segment (side 2).
        auto fi1 = [&] { return fi(profile, node - 1, "s1"); };
        auto fi2 = [&] { return fi(profile, node, "s1"); };
        switch (what) {
            case kind::terrain: w.temp = w.ter_used; break;
            case kind::design: w.temp = w.terp_used; break;
            case kind::line1: w.temp = w.lin_used; break;
            case kind::line2: w.temp = w.lin2_used; break;
            case kind::bottom:
                w.temp = value_pair(w.dno.s1 + fi1() * k / 2000, w.dno.s2 + fi2() * k / 2000);
                break;
            case kind::trench:
                w.temp = value_pair(w.dno.s1 - s.bedding_height, w.dno.s2 - s.bedding_height);
                break;
            case kind::cover:
                w.temp = value_pair(w.dno.s1 + fi1() / 1000 + s.sidefill_height,
                                    w.dno.s2 + fi2() / 1000 + s.sidefill_height);
                break;
            case kind::depth:
                w.temp = value_pair(w.zag.s1 - fi1() * k_depth / 2000, w.zag.s2 - fi2() * k_depth / 2000);
                break;
            case kind::chainage: w.temp = value_pair(w.odl); break;
            case kind::length: w.temp = value_pair(w.dlug); break;
            case kind::volume: w.temp = value_pair(w.volumes[vs_volume_to_exchange]); break;
            case kind::trench_volume: w.temp = value_pair(w.volumes[vs_volume_excavation]); break;
            case kind::scale: w.temp = value_pair(skalaX(profile, node)); break;
            case kind::segment_flow: w.temp = value_pair(flow_of(p, j, at_nodes, &wezel::flow)); break;
            case kind::flow: w.temp = value_pair(flow_of(p, j, at_nodes, &wezel::sflow)); break;
            case kind::none: break;
        }
    }
    return false;
}

namespace {

// What one row of one profile draws with: the geometry of the row, its
// text style and the profile's placement.
struct row_frame {
    DXF_Writer& writer;
    uint16_t profile;
    odcinek& p;
    const dane_pod_profil& row;
    int index;      // the row's index in the band table
    double u;       // drawing units per metre of the layout
    double t;       // the row's top, metres below the table's top
    double h;       // the row's height, metres
    tekst style;    // "t_pro"
    bool ticks_drawn;

    double node_x(std::size_t j) const { return p.sheet_x + p.nodes[j].draw_x; }
    double chainage_x(double c) const { return p.sheet_x + godl_bs(profile, c); }
    // y in drawing units of a depth below the table's top (metres).
    double y(double depth) const { return -depth * u; }

    // A tick across the whole row.
    void tick(double x) const {
        if (ticks_drawn) writer.element_line(element_koment, {x, y(t), 0}, {x, y(t + h), 0});
    }
    void horizontal_centred(const std::string& s, double x, double depth) const {
        if (s.empty()) return;
        const point3 at{x, y(depth), 0};
        writer.text(style, s, writer.label_offset(at, "x", 0, s, style.width_factor), at, style.height * u, 0, 1);
    }
    void left_aligned(const std::string& s, double x, double depth) const {
        if (s.empty()) return;
        const point3 at{x, y(depth), 0};
        writer.text(style, s, at, at, style.height * u, 0, 0);
    }
    void right_aligned(const std::string& s, double x, double depth) const {
        if (s.empty()) return;
        const point3 at{x, y(depth), 0};
        writer.text(style, s, writer.label_offset(at, "xr", 0, s, style.width_factor), at, style.height * u, 0, 2);
    }
    // A vertical text centred on the row's middle.
    void vertical_centred(const tekst& look, const std::string& s, double x) const {
        if (s.empty()) return;
        const double middle = t + 0.5 * h;
        const point3 at{x, y(middle), 0};
        // The offset of the profile sheet's vertical texts counts from half
        // a standard row below the table's top.
        const double shift = middle - 0.5 * font_number(1, 1) / 19;
        writer.text(look, s, writer.label_offset(at, "y", shift, s, look.width_factor), at, look.height * u, 90, 1);
    }
};

// The first profile the sheet draws: included in the drawing and with a length.
bool first_drawn(uint16_t profile) {
    const auto& profiles = model().profiles;
    for (std::size_t i = 0; i < profiles.size(); ++i)
        if (profiles[i].rysuj && profiles[i].length != 0) return i == profile;
    return false;
}

// The row's title with its placeholders filled.
std::string row_title(const dane_pod_profil& row) {
    std::string title = row.title;
    const std::size_t at = title.find("@r");
    if (at != std::string::npos) {
        std::string reference;
        if ((row.key == "zaglebienie" && topcje->cb_DepthAlways2BottomPipe->Checked()) ||
            (row.key == "dno" && topcje->cb_AlwaysShowBottomPipe->Checked()))
            reference = "dna";
        else if (takie_same_odniesienia_rzednej_rury())
            reference = radio_item(Form1->rg_PipeOrdinateMode, Form1->rg_PipeOrdinateMode->ItemIndex());
        title.replace(at, 2, reference);
        std::string single;
        for (const char c : title)
            if (!(c == ' ' && !single.empty() && single.back() == ' ')) single += c;
        title = std::move(single);
    }
    const std::size_t unit = title.find("@flow_unit");
    if (unit != std::string::npos)
        title.replace(unit, 10, Format("%s/%s", {item_text(topcje->cb_FlowUnitV), item_text(topcje->cb_FlowUnitT)}));
    return title;
}

// The codes of the treatment-plant elements whose segments the slope rows
// leave out, with the tank-like objects.
struct treatment_codes {
    std::string tank = treatment_block_name("osadn");
    std::string separator = treatment_block_name("separ");
    std::string bed = treatment_block_name("zloze");

    bool left_out(const wezel& w) const {
        const std::string o = AnsiLowerCase(w.obiekt);
        return contains_text(o, tank) || contains_text(o, separator) || contains_text(o, bed) ||
               jest_obiekt2(w.obiekt, "osadnikopodobne");
    }
};

// The deflection angles: each non-zero angle and its arc.
void angle_row(const row_frame& f) {
    const bool marks = element_drawn(element_koment, f.profile);
    const linia_def& koment = settings().line_defs.at(element_koment);
    for (std::size_t j = 0; j < f.p.nodes.size(); ++j) {
        const double a = f.p.nodes[j].kat;
        if (a == 0 || !is_finite(a)) continue;
        const double x = f.node_x(j);
        const std::string s = row_number(f.row.precision, std::fabs(a)) + degree_sign;
        const point3 at{x, f.y(f.t + 0.5 * f.h + 0.5 * f.style.height), 0};
        const point3 insertion = f.writer.label_offset(at, "x", 0, s, f.style.width_factor);
        f.writer.text(f.style, s, insertion, insertion, f.style.height * f.u, 0, 0);
        if (!marks) continue;
        const double sign = a > 0 ? 1 : -1;
        const double d = 180 - 90 * sign;
        f.writer.arc({x, f.y(f.t + 0.5 * f.h + 0.15 + 0.22 * sign), 0}, 0.3 * f.u, d - 60, d + 60, koment.color,
                     koment.layer);
    }
}

// The node names, with their ticks and circles.
void name_row(const row_frame& f) {
    const bool marks = element_drawn(element_koment, f.profile);
    const bool two_lines = topcje->cb_NodeLabelsInTwoLines->Checked();
    const bool circles = topcje->cb_NodeLabelsInCircle->Checked();
    const linia_def& koment = settings().line_defs.at(element_koment);
    const std::size_t last = f.p.nodes.size() - 1;
    for (std::size_t j = 0; j <= last; ++j) {
        const wezel& w = f.p.nodes[j];
        if (w.dlug == 0 && j != last) continue;
        std::string name = w.wez;
        if (const std::size_t star = name.find('*'); star != std::string::npos) name.erase(star, 1);
        if (name.empty()) continue;
        const bool even = j % 2 == 0;
        const double p = !two_lines ? f.t + 0.5 * f.h : f.t + (even ? 0.7 : 0.3) * f.h;
        const double x = f.node_x(j);
        f.horizontal_centred(name, x, p + 0.5 * f.style.height);
        if (!marks) continue;
        if (!two_lines || even)
            f.writer.element_line(element_koment, {x, f.y(f.t), 0}, {x, f.y(f.t + (two_lines ? 0.4 : 0.2) * f.h), 0});
        if (!two_lines || !even)
            f.writer.element_line(element_koment, {x, f.y(f.t + (two_lines ? 0.6 : 0.8) * f.h), 0},
                                  {x, f.y(f.t + f.h), 0});
        if (circles) f.writer.circle({x, f.y(p), 0}, 0.3 * f.h * f.u, koment.color, koment.layer);
    }
}

// The pipe-ordinate reference of the profile, framed, left of its start,
// when the profiles do not all refer their pipe ordinates alike.
void reference_label(const row_frame& f) {
    if (takie_same_odniesienia_rzednej_rury()) return;
    if (f.row.key == "dno" && topcje->cb_AlwaysShowBottomPipe->Checked()) return;
    if (f.row.key == "zaglebienie" && topcje->cb_DepthAlways2BottomPipe->Checked()) return;
    const std::string name = radio_item(Form1->rg_PipeOrdinateMode, f.p.rzedna);
    tekst look = f.style;
    look.colour = 1;
    const double x = f.p.sheet_x - 0.32 * f.u - 0.05 * f.p.drawing_block;
    if (f.row.at_nodes) {
        f.vertical_centred(look, name, x);
    } else if (!name.empty()) {
        const point3 at{x, f.y(f.t + 0.5 * f.h), 0};
        f.writer.text(look, name, f.writer.label_offset(at, "x", 0, name, look.width_factor), at, look.height * f.u, 0,
                      1);
    }
    const double width =
        (2 * std::min(std::fabs(f.style.near_offset), std::fabs(f.style.far_offset)) + f.style.height) * f.u;
    f.writer.rectangle({.origin = {f.p.sheet_x - 0.32 * f.u - width, f.y(f.t), 0},
                        .colour = 1,
                        .width = width,
                        .height = f.h * f.u,
                        .layer = "0"});
}

// A sump's bottom in the rows of pipe ordinates and depths.
void sump_details(const row_frame& f, std::size_t j) {
    wezel& w = f.p.nodes[j];
    if (w.obiekt != "sump" || w.temp.s1 != w.temp.s2) return;
    const int index = znajdz_obiekt(f.profile, static_cast<int>(j));
    const auto& sumps = model().project.sumps;
    if (index < 0 || static_cast<std::size_t>(index) >= sumps.size()) return;
    const mat_studzienka& sump = sumps[static_cast<std::size_t>(index)];
    if (sump.bottom == bottom_not_computed) return;  // not connected
    const double bottom = sump.bottom / 1000.0;
    const bool outgoing = topcje->cb_DescriptionOnLeft->Checked();
    double& side = outgoing ? w.temp.s2 : w.temp.s1;
    if (f.row.key == "dno")
        side = bottom;
    else
        side = (outgoing ? w.zag.s2 + w.dno.s2 : w.zag.s1 + w.dno.s1) - bottom;
}

// The rows of values: at the nodes (vertical, one or two per node) or
// between them (horizontal, joined runs of equal values written once).
void value_row(DXF_Writer& writer, const row_frame& f) {
    const dane_pod_profil& row = f.row;
    const bool empty_user = row.key == "user" && row.formula.empty();
    const bool texts = !empty_user && copy2temp(row.key, f.profile, f.index);
    if ((row.key == "dno" && !topcje->cb_AlwaysShowBottomPipe->Checked()) ||
        (row.key == "zaglebienie" && !topcje->cb_DepthAlways2BottomPipe->Checked()))
        reference_label(f);
    const bool sludge = topcje->cb_SludgeManholeDetailsInTable->Checked() && (row.key == "dno" || row.key == "zaglebienie");
    const bool auxiliary = row.key == "linia" || row.key == "linia2";
    const double empty_value = model().empty_value;
    std::vector<wezel>& nodes = f.p.nodes;
    const std::size_t last = nodes.size() - 1;

    // The text a node shows on side 1 (or its only text); empty for none.
    auto shown = [&](const wezel& w) -> std::string {
        if (empty_user) return {};
        if (is_finite(w.temp.s1)) {
            if (auxiliary && w.temp.s1 == empty_value) return {};
            return row_number(row.precision, w.temp.s1);
        }
        return texts ? w.result : std::string();
    };
    auto scale_bar_at = [&](const wezel& w, double x) {
        if (row.key == "skala" && is_finite(w.temp.s1))
            writer.scale_bar({x + 0.75 * f.u, f.y(f.t + 0.8 * f.h), 0}, static_cast<int>(Round(w.temp.s1)));
    };

    if (row.at_nodes) {
        for (std::size_t j = 0; j <= last; ++j) {
            wezel& w = nodes[j];
            if (j < last) label_start(nodes[j + 1]) = 1;
            if (w.dlug == 0 && j != last) continue;
            if (!label_start(w)) continue;
            if (sludge && !empty_user) sump_details(f, j);
            const double x = f.node_x(j);
            const std::string first = shown(w);
            f.vertical_centred(f.style, first, x - f.style.near_offset * f.u);
            if (!first.empty()) scale_bar_at(w, x - f.style.near_offset * f.u);
            if (empty_user || !is_finite(w.temp.s1) || !is_finite(w.temp.s2)) continue;
            if (auxiliary && w.temp.s2 == empty_value) continue;
            const std::string second = row_number(row.precision, w.temp.s2);
            if (second != row_number(row.precision, w.temp.s1))
                f.vertical_centred(f.style, second, x + f.style.far_offset * f.u);
        }
        return;
    }

    // Between nodes: the segments that begin at nodes with a length.
    std::size_t j = 0;
    while (j < last) {
        if (nodes[j].dlug == 0) {
            // No segment here: whatever begins at the node begins at the next.
            label_start(nodes[j + 1]) = std::max(label_start(nodes[j + 1]), label_start(nodes[j]));
            ++j;
            continue;
        }
        if (sludge && !empty_user) sump_details(f, j);
        const std::string text = shown(nodes[j]);
        std::size_t end = j;  // the run's last segment
        if (row.join) {
            for (std::size_t k = j + 1; k < last; ++k) {
                if (nodes[k].dlug == 0) continue;
                const bool same = is_finite(nodes[j].temp.s1) ? nodes[k].temp.s1 == nodes[j].temp.s1
                                                          : !is_finite(nodes[k].temp.s1) && shown(nodes[k]) == text;
                if (!same) break;
                end = k;
            }
        }
        for (std::size_t k = j + 1; k <= end; ++k) label_start(nodes[k]) = 0;
        label_start(nodes[end + 1]) = 1;
        if (label_start(nodes[j])) {
            const double from = f.node_x(j);
            const double to = f.node_x(end) + nodes[end].dlug * nodes[end].draw_factor;
            const double x = (from + to) / 2;
            f.horizontal_centred(text, x, f.t + 0.6 * f.h);
            if (!text.empty()) scale_bar_at(nodes[j], x);
        }
        j = end + 1;
    }
}

// Material or diameter or length, and slope, of every segment, with the
// slope's diagonal.
void slope_row(const row_frame& f) {
    const dane_pod_profil& row = f.row;
    std::vector<wezel>& nodes = f.p.nodes;
    const std::size_t last = nodes.size() - 1;
    const double o = font_number(3, 1) / 100;
    const bool diagonal = element_drawn(element_tabela, f.profile);
    const int mode = topcje->cb_GradientModeDrawing->ItemIndex();
    const std::string prefix = topcje->e_GradientPrefix->Text();
    const auto& series = model().project.pipe_series;
    const int d = row.precision;
    const treatment_codes treatment;

    auto same_run = [&](const wezel& a, const wezel& b) {
        if (Format("%.5f", {a.spad}) != Format("%.5f", {b.spad}) || a.rad != b.rad) return false;
        if (row.key == "mat_spad" && a.mat != b.mat) return false;
        if (row.key == "dlug_spad" && a.dlug != b.dlug) return false;
        if ((row.key == "mat_spad" || row.key == "fi_spad") && (a.fi.s1 != b.fi.s1 || a.fi.s2 != b.fi.s2)) return false;
        return true;
    };
    auto slope_value = [&](double v) { return Format("%s %s", {prefix, row_number(d, v)}); };

    std::size_t j = 0;
    while (j < last) {
        wezel& w = nodes[j];
        if (w.dlug == 0) {
            label_start(nodes[j + 1]) = std::max(label_start(nodes[j + 1]), label_start(w));
            ++j;
            continue;
        }
        if (treatment.left_out(w)) {
            label_start(nodes[j + 1]) = 1;
            ++j;
            continue;
        }
        std::size_t end = j;
        if (row.join)
            for (std::size_t k = j + 1; k < last; ++k) {
                if (nodes[k].dlug == 0) continue;
                if (treatment.left_out(nodes[k]) || !same_run(w, nodes[k])) break;
                end = k;
            }
        for (std::size_t k = j + 1; k <= end; ++k) label_start(nodes[k]) = 0;
        label_start(nodes[end + 1]) = 1;

        const double x1 = f.node_x(j);
        const double x2 = f.node_x(end) + nodes[end].dlug * nodes[end].draw_factor;
        const double slope = w.spad * model().slope_sign;
        const double s = slope > 0 ? 1 : (slope < 0 ? -1 : 0);
        if (diagonal)
            f.writer.element_line(element_tabela, {x1, f.y(f.t + (0.5 - 0.5 * s) * f.h), 0},
                                  {x2, f.y(f.t + (0.5 + 0.5 * s) * f.h), 0});

        std::string first;
        if (row.key == "dlug_spad") {
            first = row_number(d, w.dlug);
        } else {
            const bool two = w.fi.s1 != w.fi.s2;
            const bool in_series = w.series_index >= 0 && w.size_index >= 0 &&
                                   static_cast<std::size_t>(w.series_index) < series.size() &&
                                   static_cast<std::size_t>(w.size_index) <
                                       series[static_cast<std::size_t>(w.series_index)].thickness.size();
            if (in_series) {
                const std::string& wall =
                    series[static_cast<std::size_t>(w.series_index)].thickness[static_cast<std::size_t>(w.size_index)];
                first = two ? Format("%.0fx%s/%.0f", {w.fi.s1, wall, w.fi.s2}) : Format("%.0fx%s", {w.fi.s1, wall});
            } else {
                first = two ? Format("%.0f/%.0f", {w.fi.s1, w.fi.s2}) : Format("%.0f", {w.fi.s1});
            }
            if (row.key == "mat_spad") first = Format("%s %s", {w.mat, first});
        }
        f.left_aligned(first, x1 + o * f.u, s != 0 ? f.t + 0.6 * f.h + 0.3 * s * f.h : f.t + 0.9 * f.h);

        std::string second;
        if (w.rad != 0)
            second = "--";
        else if (mode == 1)
            second = slope_value(std::fabs(w.spad * 10));
        else if (mode == 2 && w.spad != 0)
            second = Format("%s %.1f", {prefix, 100 / std::fabs(w.spad)});
        else
            second = slope_value(std::fabs(w.spad));
        f.right_aligned(second, x2 - o * f.u, s != 0 ? f.t + 0.6 * f.h - 0.3 * s * f.h : f.t + 0.3 * f.h);
        j = end + 1;
    }
}

// The terrain descriptions: their ranges, texts and legend lines.
void terrain_description_row(DXF_Writer& writer, const row_frame& f) {
    const bool marks = element_drawn(element_koment, f.profile);
    for (std::size_t k = 0; k < f.p.terrain_descriptions.size(); ++k) {
        teren_opis& d = f.p.terrain_descriptions[k];
        if (d.node_id == 0) continue;
        const double start = d.chainage + d.distance;
        const double x1 = f.chainage_x(start);
        const double x2 = f.chainage_x(start + d.length);
        if (marks) {
            f.writer.element_line(element_koment, {x1, f.y(f.t), 0}, {x1, f.y(f.t + f.h), 0});
            f.writer.element_line(element_koment, {x2, f.y(f.t), 0}, {x2, f.y(f.t + f.h), 0});
        }
        d.drawn_x_from = x1;
        d.drawn_x_to = x2;
        writer.sheet.ground_cuts.push_back({x1, -(10.0 + static_cast<double>(k)), x2, 0});
        const bool short_form = !d.abbreviation.empty();
        std::string text;
        teren_uzupelnij_opis(short_form ? d.abbreviation : d.description, static_cast<uint16_t>(k), f.profile, text);
        f.horizontal_centred(text, (x1 + x2) / 2, f.t + 0.6 * f.h);
        if (short_form) writer.sheet.add_legend_line(Format("b2=   %s - %s", {d.abbreviation, d.description}));
    }
}

}  // namespace

double DXF_Writer::write_band_row(const std::string& key, uint16_t profile, double title_width, double top, int row) {
    auto& rows = settings().profile_table_rows;
    auto& profiles = model().profiles;
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size() || profile >= profiles.size()) return top;
    const dane_pod_profil& r = rows[static_cast<std::size_t>(row)];
    odcinek& p = profiles[profile];
    const double h = r.height / 100.0;
    if (p.nodes.empty()) return top + h;

    for (wezel& w : p.nodes) label_start(w) = 0;
    label_start(p.nodes[0]) = 1;

    row_frame f{*this, profile, p, r, row, drawing().units_per_metre, top, h, {}, element_drawn(element_koment, profile)};
    f.style.position = -1;
    apply_text_style(f.style, "t_pro", f.style);

    if (key == "kat")
        angle_row(f);
    else if (key == "wez")
        name_row(f);
    else if (key == "mat_spad" || key == "fi_spad" || key == "dlug_spad")
        slope_row(f);
    else if (key == "teren_opis")
        terrain_description_row(*this, f);
    else if (key == "teren" || key == "teren_proj" || key == "linia" || key == "linia2" || key == "dno" ||
             key == "dno_wykopu" || key == "wierzch_obsypki" || key == "zaglebienie" || key == "odleglosc" ||
             key == "dlugosc" || key == "objetosc" || key == "obj_wykopu" || key == "skala" ||
             key == "przeplyw_odc" || key == "przeplyw" || key == "user")
        value_row(*this, f);

    if (key != "wez" && key != "kat" && key != "teren_opis")
        for (std::size_t j = 0; j < p.nodes.size(); ++j)
            if (label_start(p.nodes[j])) f.tick(f.node_x(j));

    if (first_drawn(profile) || topcje->cb_TitleColumnBeforeEveryProfile->Checked())
        f.left_aligned(row_title(r), p.sheet_x - (title_width - 0.05) * f.u, top + 0.6 * h);
    return top + h;
}

void DXF_Writer::write_band_value(const std::string& key, char /*code*/, int colour, double value, double chainage) {
    const uint16_t profile = drawing().drawn_profile;
    auto& profiles = model().profiles;
    if (profile >= profiles.size() || !is_finite(value) || !is_finite(chainage)) return;
    if (is_node(profile, chainage) != no_node) return;
    const uint8_t index = TitleNr(key, "");
    auto& rows = settings().profile_table_rows;
    if (index == 255 || index >= rows.size() || !rows[index].shown) return;
    const dane_pod_profil& r = rows[index];
    odcinek& p = profiles[profile];
    row_frame f{*this, profile, p, r, index, drawing().units_per_metre, r.position, r.height / 100.0, {},
                element_drawn(element_koment, profile)};
    f.style.position = -1;
    apply_text_style(f.style, "t_pro", f.style);
    f.style.colour = static_cast<uint8_t>(colour);
    const double x = f.chainage_x(chainage);
    f.tick(x);
    f.vertical_centred(f.style, row_number(r.precision, value), x - f.style.near_offset * f.u);
}

void DXF_Writer::write_terrain_description_marks(const teren_opis& description) {
    const double start = description.chainage + description.distance;
    const int colour = font_colour(1);
    write_band_value("odleglosc", 't', colour, start, start);
    write_band_value("odleglosc", 't', colour, start + description.length, start + description.length);
}
