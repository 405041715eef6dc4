#include "model/sumps.h"

#include <algorithm>
#include <cctype>

#include "forms/opcje.h"
#include "model/messages.h"
#include "model/objects.h"
#include "model/pairs.h"
#include "model/recalculation.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "model/utils.h"
#include "platform/forms.h"
#include "platform/sysutils.h"

std::string link_text(uint16_t profile, int node) {
    const odcinek& p = model().profiles.at(profile);
    return IntToStr(p.idp) + "|" + IntToStr(p.nodes.at(static_cast<std::size_t>(node)).id);
}

std::vector<std::string> split_links(std::string_view list) {
    std::vector<std::string> links;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(link_end, start);
        if (end == std::string_view::npos) end = list.size();
        if (end > start) links.emplace_back(list.substr(start, end - start));
        start = end + 1;
    }
    return links;
}

bool has_link(std::string_view list, std::string_view link) {
    const std::vector<std::string> links = split_links(list);
    return std::find(links.begin(), links.end(), link) != links.end();
}

std::string join_links(const std::vector<std::string>& links) {
    std::string list;
    for (const std::string& l : links) {
        list += l;
        list += link_end;
    }
    return list;
}

namespace {

bool valid_node(int profile, int node) {
    const auto& profiles = model().profiles;
    return profile >= 0 && static_cast<std::size_t>(profile) < profiles.size() && node >= 0 &&
           static_cast<std::size_t>(node) < profiles[static_cast<std::size_t>(profile)].nodes.size();
}

bool valid_sump(int sump) { return sump >= 0 && static_cast<std::size_t>(sump) < model().project.sumps.size(); }

double higher(const value_pair& p) { return std::max(p.s1, p.s2); }
double lower(const value_pair& p) { return std::min(p.s1, p.s2); }

// An ordinate in whole millimetres as its "%.0f" text gives it.
int32_t whole_mm(double metres) { return StrToInt(Format("%.0f", {metres * 1000})); }

void add_item(std::string& list, const std::string& item) {
    list += item;
    list += link_end;
}

// Whether an item of the list begins with the text (an ordinate written with
// two decimals against the items written with four).
bool has_item_starting(const std::string& list, const std::string& text) {
    for (const std::string& item : split_links(list))
        if (item.compare(0, text.size(), text) == 0) return true;
    return false;
}

bool mark_inlets_of_excluded_profiles() {
    return topcje && topcje->cb_MarkInletsFromDeactivatedProfiles->Checked();
}

// The inlets of a sump whose node has a name: every same-named node of every
// profile that takes part.
void gather_named(mat_studzienka& s, uint16_t profile, int node) {
    model_state& m = model();
    const wezel& here = m.profiles[profile].nodes[static_cast<std::size_t>(node)];
    const bool excluded_too = mark_inlets_of_excluded_profiles();
    bool any = false;
    int32_t lowest = 0;
    for (std::size_t q = 0; q < m.profiles.size(); ++q) {
        const odcinek& p = m.profiles[q];
        if (p.nodes.empty() || (!p.rysuj && !excluded_too)) continue;
        const auto qi = static_cast<uint16_t>(q);
        for (std::size_t j = 0; j < p.nodes.size(); ++j) {
            const wezel& v = p.nodes[j];
            if (v.wez != here.wez) continue;
            const int ji = static_cast<int>(j);
            const int32_t low = std::min(whole_mm(v.dno.s1), whole_mm(v.dno.s2));
            lowest = any ? std::min(lowest, low) : low;
            any = true;
            s.bottom = lowest - s.height_bottom2inlet;

            add_item(s.inlet_ordinates, Format("%.4f", {v.dno.s2}));
            add_item(s.inlet_diameters, Format("%.2f", {fi(qi, ji, "s1")}));
            const bool located_start = j == 0 && (v.wsplx != 0 || v.wsply != 0);
            const double angle = ji == node && !located_start ? 180 - v.kat : 180 - here.kat - v.kat;
            add_item(s.inlet_angles, Format("%.0f", {angle}));

            bool second = false;
            if (v.dno.s1 != v.dno.s2 && !has_item_starting(s.inlet_ordinates, Format("%.2f", {v.dno.s1}))) {
                add_item(s.inlet_ordinates, Format("%.4f", {v.dno.s1}));
                add_item(s.inlet_diameters, Format("%.2f", {fi(qi, ji - 1, "s1")}));
                second = true;
            }
            const std::string link = link_text(qi, ji);
            if (!has_link(s.inlet_nodes, link)) {
                add_item(s.inlet_nodes, link);
                if (second) add_item(s.inlet_nodes, link);
            }
        }
    }
}

// The inlet of a sump whose node has no name: the node itself.
void gather_unnamed(mat_studzienka& s, uint16_t profile, int node) {
    const wezel& w = model().profiles[profile].nodes[static_cast<std::size_t>(node)];
    s.bottom = static_cast<int32_t>(Round(lower(w.dno) * 1000)) - s.height_bottom2inlet;
    add_item(s.inlet_ordinates, Format("%.2f", {w.dno.s2}));
    add_item(s.inlet_diameters, Format("%.2f", {fi(profile, node, "s1")}));
    add_item(s.inlet_angles, Format("%.0f", {180 - w.kat}));
    if (w.dno.s1 != w.dno.s2 && !has_item_starting(s.inlet_ordinates, Format("%.2f", {w.dno.s1}))) {
        add_item(s.inlet_ordinates, Format("%f", {w.dno.s1}));
        add_item(s.inlet_diameters, Format("%.2f", {fi(profile, node - 1, "s1")}));
    }
    const std::string link = link_text(profile, node);
    if (!has_link(s.inlet_nodes, link)) add_item(s.inlet_nodes, link);
}

// The drop pipe of a sump node that a segment flows into.
void drop_pipe(mat_studzienka& s, uint16_t profile, int node) {
    const model_state& m = model();
    const auto& nodes = m.profiles[profile].nodes;
    const wezel& w = nodes[static_cast<std::size_t>(node)];
    const int sign = m.slope_sign;
    const bool last = node + 1 == static_cast<int>(nodes.size());
    const double before_slope = node > 0 ? sign * nodes[static_cast<std::size_t>(node - 1)].spad : 0;
    if (w.obiekt != "sump") return;
    if (node == 0 && !(sign * w.spad < 0)) return;
    if (last && !(before_slope > 0)) return;
    const int threshold = settings().drop_from;
    if (!s.drop && threshold <= 0) return;
    if (higher(w.dno) * 1000 - s.bottom > threshold || s.drop) {
        if (w.dno.s1 * 1000 > s.bottom && node > 0 && before_slope > 0)
            s.drop_size = static_cast<int16_t>(-Round(nodes[static_cast<std::size_t>(node - 1)].fi.s1));
        else if (w.dno.s2 * 1000 > s.bottom && sign * w.spad < 0)
            s.drop_size = static_cast<int16_t>(Round(w.fi.s1));
    }
    if (s.drop_diameter != 0 && s.drop_size != 0)
        s.drop_size = static_cast<int16_t>(s.drop_size < 0 ? -s.drop_diameter : s.drop_diameter);
}

uint8_t count_fittings(const std::string& text) {
    int n = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(';', start);
        if (end == std::string::npos) end = text.size();
        if (end > start) ++n;
        start = end + 1;
    }
    return static_cast<uint8_t>(std::min(n, 255));
}

}  // namespace

int odswiez_studzienke(int profile, int node, int sump, bool reset) {
    model_state& m = model();
    auto& sumps = m.project.sumps;
    if (sump < 0) {
        sump = valid_node(profile, node) ? znajdz_obiekt(static_cast<uint16_t>(profile), node) : -1;
    } else if (!valid_sump(sump)) {
        sump = -1;
    } else {
        const std::string& links = sumps[static_cast<std::size_t>(sump)].connections;
        const bool served_here =
            valid_node(profile, node) && has_link(links, link_text(static_cast<uint16_t>(profile), node));
        for (std::size_t q = 0; !served_here && q < m.profiles.size(); ++q) {
            if (!m.profiles[q].rysuj) continue;
            const auto& nodes = m.profiles[q].nodes;
            std::size_t j = 0;
            while (j < nodes.size() && !has_link(links, link_text(static_cast<uint16_t>(q), static_cast<int>(j)))) ++j;
            if (j < nodes.size()) {
                profile = static_cast<int>(q);
                node = static_cast<int>(j);
                break;
            }
        }
    }
    if (sump < 0) return -1;
    if (reset) zeruj_studzienke(sump);
    if (!valid_node(profile, node)) return sump;

    mat_studzienka& s = sumps[static_cast<std::size_t>(sump)];
    const auto p = static_cast<uint16_t>(profile);
    wezel& w = m.profiles[p].nodes[static_cast<std::size_t>(node)];
    if (s.bottom == bottom_not_computed) {
        s.inlet_ordinates.clear();
        s.inlet_diameters.clear();
        s.inlet_nodes = std::string(1, link_end);
        s.inlet_angles = std::string("0") + link_end;
        s.drop_size = 0;
        s.total_height = 0;
        if (!w.wez.empty()) gather_named(s, p, node);
        else gather_unnamed(s, p, node);
    }

    if (s.height_ordinate != 0) s.bottom = s.height_ordinate;
    if (s.height_all != 0 && s.anchor2ground)
        s.bottom = static_cast<int32_t>(Round(higher(w.terp_used) * 1000 - s.height_all));

    double& level = w.scheme_block[1];
    const double bottom_m = s.bottom / 1000.0;
    level = level != 0 ? std::min(level, bottom_m) : bottom_m;

    drop_pipe(s, p, node);

    double total = std::max(higher(w.terp_used) * 1000 - s.bottom + s.height_above_terrain,
                            static_cast<double>(s.height_all));
    int64_t height = Round(total);
    if (s.height_all != 0 && s.max_extension_count != 0) {
        if (s.max_extension_count < 0) height = s.height_all;
        else height = std::min<int64_t>(height, s.height_all + int64_t(s.max_extension_count) * s.extension_height);
    }
    s.total_height = static_cast<uint16_t>(std::clamp<int64_t>(height, 0, 65535));
    s.fittings_count = count_fittings(s.fittings);
    return sump;
}

void zeruj_studzienke(int sump) {
    if (!valid_sump(sump)) return;
    mat_studzienka& s = model().project.sumps[static_cast<std::size_t>(sump)];
    s.bottom = bottom_not_computed;
    s.inlet_nodes.clear();
    s.inlet_ordinates.clear();
    s.inlet_diameters.clear();
    s.total_height = 0;
    s.volume_pending = true;
    s.drawing_pending = true;
}

void zeruj_studzienki() {
    for (std::size_t i = 0; i < model().project.sumps.size(); ++i) zeruj_studzienke(static_cast<int>(i));
}

void odlacz_studzienke(int sump) {
    if (!valid_sump(sump)) return;
    mat_studzienka& s = model().project.sumps[static_cast<std::size_t>(sump)];
    s.adds.node_name.clear();
    s.connections.clear();
    zeruj_studzienke(sump);
}

bool usun_studzienke(int profile, int node, bool force, int sump) {
    auto& sumps = model().project.sumps;
    if (sump < 0) sump = valid_node(profile, node) ? znajdz_obiekt(static_cast<uint16_t>(profile), node) : -1;
    if (!valid_sump(sump)) return false;
    const auto i = static_cast<std::size_t>(sump);

    const bool list_open = view().sump_list_open();
    const int32_t former_bottom = sumps[i].bottom;
    if (!list_open) sumps[i].bottom = bottom_not_computed;
    odswiez_studzienke(profile, node, sump, false);
    if (list_open) sumps[i].bottom = former_bottom;

    const std::size_t inlets = split_links(sumps[i].inlet_nodes).size();
    if (!force && inlets > 0) {
        const std::string text = format_language_text(
            msg("msg_SumpDeleteQuestion", "Na pewno usunąć studzienkę? %sLiczba profili, w których ona występuje: %d"_cp),
            {"\r\n", static_cast<int>(inlets)});
        if (MessageBox(text, MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
    }
    sumps.erase(sumps.begin() + sump);
    return true;
}

double wys_studz(uint16_t profile, int node) {
    const wezel& w = model().profiles.at(profile).nodes.at(static_cast<std::size_t>(node));
    const double w1 = wyc_kol(w.kom, w.obiekt, "s1");
    const double w2 = wyc_kol(w.kom, w.obiekt, "s2");
    const double low = lower(w.dno);
    const double base = w1 != w2 ? w2 : low;
    return std::max(higher(w.terp_used) - std::min(base, low), 0.0);
}

void przepad(uint16_t profile, int node, int32_t bottom, std::array<double, 3>& out) {
    out = {0, 0, 0};
    const model_state& m = model();
    const auto& nodes = m.profiles.at(profile).nodes;
    const wezel& w = nodes.at(static_cast<std::size_t>(node));
    if (w.obiekt != "sump") return;
    const double b = bottom / 1000.0;
    if (node > 0 && b < w.dno.s1 && m.slope_sign * nodes[static_cast<std::size_t>(node - 1)].spad > 0) {
        out[0] = fi(profile, node - 1, "s1");
        out[1] = w.dno.s1 - b;
    } else {
        out[0] = fi(profile, node, "s1");
        out[1] = w.dno.s2 - b;
    }
}

bool jest_kaskada(uint16_t profile, int node) {
    const wezel& w = model().profiles.at(profile).nodes.at(static_cast<std::size_t>(node));
    const double level = recalculation_modes(profile).reference;
    const double in = w.dno.s1 + fi(profile, node - 1, "s1") * level / 2000;
    const double out = w.dno.s2 + fi(profile, node, "s1") * level / 2000;
    return format_fixed(4, in) != format_fixed(4, out);
}

void czysc_Mat_adds(mat_adds& adds) {
    adds.description.clear();
    adds.producer.clear();
    adds.type.clear();
    adds.index.clear();
    adds.node_name.clear();
    adds.material.clear();
    adds.date.clear();
    adds.node_id = 0;
    adds.color = 0xFFFFFF;
    adds.cad_color = 1;
}

double wyc_kol(const std::string& text, const std::string& kind, const std::string& side) {
    double result = 0;
    const std::size_t at = text.find('@');
    if (at != std::string::npos && (side == "s1" || side == "s2")) {
        std::string size;
        for (std::size_t i = at + 1; i < text.size(); ++i) {
            const char c = text[i];
            if (c != ',' && c != '-' && c != '.' && c != '/' && !std::isdigit(static_cast<unsigned char>(c))) break;
            size += c;
        }
        const std::string number = fix_decimal_separator(size);
        if (size.find('/') == std::string::npos) {
            double v = 0;
            if (side == "s1" && !size.empty() && TryStrToFloat(number, v)) result = v;
        } else if (size.size() >= 2) {
            result = wyciag(number, side);
        }
    }
    if (side == "s1" && result == 0) {
        if (kind == "rewizyjna" || kind == "wodomierzowa") return 0.2;
        if (kind == "rów"_cp) return 0.5;
        if (kind == "hydrant nadz." || kind == "hydrant podz.") return 80.0;
        if (kind == "rynna") return 0.1;
    }
    if (side == "s2" && result == 0 && (kind == "rewizyjna" || kind == "wodomierzowa")) return 2000.0;
    return result;
}
