#include "model/recalculation.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <string>
#include <vector>

#include "forms/rys1.h"
#include "forms/opcje.h"
#include "model/settings_state.h"
#include "model/pairs.h"
#include "model/state.h"
#include "model/terrain.h"
#include "platform/named_bytes.h"
#include "platform/sysutils.h"

namespace {

bool on(const TCheckBox* c) { return c->Checked(); }

uint8_t item(const TRadioGroup* g) { return static_cast<uint8_t>(std::max(g->ItemIndex(), 0)); }

// Whether a step with these trigger kinds runs for the changed column.
bool triggered(uint8_t column, std::initializer_list<column_kind> kinds) {
    if (column == all_columns) return true;
    const model_state& m = model();
    return std::any_of(kinds.begin(), kinds.end(), [&](column_kind k) { return m.position_of(k) == column; });
}

// Ceil of a value that a sum of decimals may leave a hair above a whole
// number (0.3 + 0.25 gives 55.00000000000001 hundredths).
double ceil_whole(double x) { return std::ceil(x - 1e-9 * std::max(1.0, std::fabs(x))); }

// The number in a setting text, converted once when first needed.
class setting_number {
public:
    explicit setting_number(const TEdit* edit) : edit_(edit) {}
    bool given() const { return !edit_->Text().empty(); }
    double value() {
        if (!converted_) {
            value_ = StrToFloat(edit_->Text());
            converted_ = true;
        }
        return value_;
    }

private:
    const TEdit* edit_;
    bool converted_ = false;
    double value_ = 0;
};

double degrees(double radians) { return radians * 180 / std::numbers::pi; }

plan_point plan_of(const wezel& w) { return {w.wsplx, w.wsply}; }

bool same_plan_point(const wezel& a, const wezel& b) { return a.wsplx == b.wsplx && a.wsply == b.wsply; }

// Whether a profile's node is one of its inner nodes that a named first
// node of another profile may start on.
bool inner_node(const odcinek& p, std::size_t node) {
    return p.nodes.size() > 2 && node >= 1 && node + 1 < p.nodes.size();
}

// The last inner node named `name` of a profile other than `profile`,
// searched from the end.
bool last_inner_node_named(const std::string& name, uint16_t profile, std::size_t& other, std::size_t& node) {
    const auto& profiles = model().profiles;
    for (std::size_t q = profiles.size(); q-- > 0;) {
        const auto& nodes = profiles[q].nodes;
        if (q == profile || nodes.size() <= 2) continue;
        for (std::size_t j = nodes.size() - 1; --j >= 1;)
            if (nodes[j].wez == name) {
                other = q;
                node = j;
                return true;
            }
    }
    return false;
}

// Lengths, directions and angles from the plan coordinates.
void lengths_from_coordinates(uint16_t profile, node_name_index* names) {
    model_state& m = model();
    auto& nodes = m.profiles[profile].nodes;
    const std::size_t n = nodes.size();
    for (std::size_t i = 1; i < n; ++i) {
        if (same_plan_point(nodes[i], nodes[i - 1])) continue;
        wezel& w = nodes[i - 1];
        w.dx = nodes[i].wsplx - w.wsplx;
        w.dy = nodes[i].wsply - w.wsply;
        w.dlug = std::sqrt(w.dx * w.dx + w.dy * w.dy);
        if (w.dx != 0) w.direction = degrees(std::atan(w.dy / w.dx));
        else w.direction = w.dy >= 0 ? 90 : -90;
    }

    // The start angle: from the direction, or against the run that a named
    // first node sits on.
    if (!same_plan_point(nodes[0], nodes[1])) {
        wezel& start = nodes[0];
        if (start.wez.empty() || m.profiles.size() == 1) {
            double kat = start.dx < 0 ? 180 - start.direction : -start.direction;
            if (kat < -180) kat += 360;
            if (kat > 180) kat -= 360;
            start.kat = kat;
        } else {
            // The last match wins; without one the angle stays.
            std::size_t q = 0;
            std::size_t j = 0;
            if (names ? names->find(start.wez, profile, q, j) : last_inner_node_named(start.wez, profile, q, j)) {
                const auto& other = m.profiles[q].nodes;
                start.kat = kat_skalarny(plan_of(nodes[1]), plan_of(other[j]), plan_of(other[j + 1]), -1);
            }
        }
    }

    for (std::size_t i = 1; i + 1 < n; ++i) {
        if (same_plan_point(nodes[i], nodes[i + 1])) continue;
        nodes[i].kat = kat_skalarny(plan_of(nodes[i - 1]), plan_of(nodes[i]), plan_of(nodes[i + 1]), 1);
    }
}

// Fills the pair in use of a line from the entered pair or by interpolation.
void line_in_use(uint16_t profile, uint8_t kind, column_kind column, bool interpolate,
                 value_pair wezel::*entered, value_pair wezel::*used) {
    model_state& m = model();
    if (!interpolate) {
        for (wezel& w : m.profiles[profile].nodes) w.*used = w.*entered;
        return;
    }
    fill_line(profile, kind, column);
}

// The name prefix of a node; empty when it gets none.
std::string name_prefix(const wezel& w) {
    if (item(topcje->rg_NodePrefix) == 1) return topcje->e_wez->Text();
    if (w.obiekt.empty() || w.obiekt == "inne" || w.obiekt == "armatura") return {};
    return w.obiekt.substr(0, 1);
}

// What the recalculation compares a node with when the slope is kept.
struct node_state {
    uint16_t id = 0;
    value_pair dno;
    double fi_in = 0;
    explicit node_state(const wezel& w) : id(w.id), dno(w.dno), fi_in(w.fi.s1) {}
};

// With the slope kept, node_before_edit becomes a copy of every node whose
// id differs from the one it holds, at the start of that node's step. The
// copy is made once, when the pass ends or stops, from the last such node
// and what it held before the pass changed it (its pipe ordinate, depth,
// depth below terrain, trench width, and the name and material it may
// receive); `held` stands for node_before_edit in between.
class before_edit_copy {
public:
    explicit before_edit_copy(const wezel& current) : held(current) {}
    void take(std::size_t node, const wezel& w) {
        held = node_state(w);
        node_ = static_cast<std::ptrdiff_t>(node);
        zag_ = w.zag;
        depth_ = w.depth_below_terrain;
        szer_ = w.szer;
        unnamed_ = w.wez.empty();
        material_kept_ = false;
    }
    // Before the node's material is set.
    void keep_material(std::size_t node, const wezel& w) {
        if (static_cast<std::ptrdiff_t>(node) != node_ || material_kept_) return;
        material_ = w.mat;
        material_kept_ = true;
    }
    void make(const std::vector<wezel>& nodes, wezel& out) const {
        if (node_ < 0) return;
        out = nodes[static_cast<std::size_t>(node_)];
        out.dno = held.dno;
        out.zag = zag_;
        out.depth_below_terrain = depth_;
        out.szer = szer_;
        if (unnamed_) out.wez.clear();
        if (material_kept_) out.mat = material_;
    }

    node_state held;

private:
    std::ptrdiff_t node_ = -1;
    value_pair zag_;
    value_pair depth_;
    value_pair szer_;
    bool unnamed_ = false;
    bool material_kept_ = false;
    std::string material_;
};

bool recalculate(uint16_t profile, bool refresh, uint8_t column, node_name_index* names);

}  // namespace

void node_name_index::hits::add(std::ptrdiff_t p, std::ptrdiff_t n) {
    if (p == profile) {
        node = std::max(node, n);
    } else if (p > profile) {
        other_profile = profile;
        other_node = node;
        profile = p;
        node = n;
    } else if (p == other_profile) {
        other_node = std::max(other_node, n);
    } else if (p > other_profile) {
        other_profile = p;
        other_node = n;
    }
}

void node_name_index::gather(hits_by_name& names) {
    // Most names differ in length from those asked for: one bit per length
    // (the last for 63 and longer) spares them the hashing.
    auto length_bit = [](std::size_t n) { return uint64_t{1} << std::min<std::size_t>(n, 63); };
    uint64_t lengths = 0;
    for (const auto& entry : names) lengths |= length_bit(entry.first.size());
    const auto& profiles = model().profiles;
    for (std::size_t q = 0; q < profiles.size(); ++q) {
        const auto& nodes = profiles[q].nodes;
        if (nodes.size() <= 2) continue;
        for (std::size_t j = 1; j + 1 < nodes.size(); ++j) {
            const std::string& name = nodes[j].wez;
            if (!(lengths & length_bit(name.size()))) continue;
            const auto found = names.find(name);
            if (found != names.end()) found->second.add(static_cast<std::ptrdiff_t>(q), static_cast<std::ptrdiff_t>(j));
        }
    }
}

bool node_name_index::find(const std::string& name, uint16_t profile, std::size_t& other, std::size_t& node) {
    if (!built_) {
        for (const odcinek& p : model().profiles)
            if (!p.nodes.empty()) hits_.try_emplace(p.nodes.front().wez);
        gather(hits_);
        built_ = true;
    }
    auto found = hits_.find(name);
    if (found == hits_.end()) {
        hits_by_name one{{name, hits{}}};
        gather(one);
        found = hits_.insert(*one.begin()).first;
    }
    const hits& h = found->second;
    const bool own = h.profile == profile;
    const std::ptrdiff_t p = own ? h.other_profile : h.profile;
    if (p < 0) return false;
    other = static_cast<std::size_t>(p);
    node = static_cast<std::size_t>(own ? h.other_node : h.node);
    return true;
}

void node_name_index::named(uint16_t profile, std::size_t node, const std::string& name) {
    const auto found = hits_.find(name);
    if (found == hits_.end() || !inner_node(model().profiles.at(profile), node)) return;
    found->second.add(profile, static_cast<std::ptrdiff_t>(node));
}

profile_modes recalculation_modes(uint16_t profile) {
    const model_state& m = model();
    const odcinek& p = m.profiles.at(profile);
    profile_modes modes;
    if (profile == m.current_profile && Form1) {
        modes.distance = item(Form1->rg_ManuallyValueDistance);
        modes.kept = item(Form1->rg_ManuallyValue);
        modes.reference = item(Form1->rg_PipeOrdinateMode);
        modes.terrain_from_depth = on(Form1->cb_CalculateTerrainFromDepth);
    } else {
        modes.distance = p.stala_odleglosci;
        modes.kept = p.stala;
        modes.reference = p.rzedna;
    }
    return modes;
}

bool przelicz(uint16_t profile, bool refresh, uint8_t column) { return recalculate(profile, refresh, column, nullptr); }

bool przelicz(uint16_t profile, bool refresh, uint8_t column, node_name_index& names) {
    return recalculate(profile, refresh, column, &names);
}

namespace {

bool recalculate(uint16_t profile, bool refresh, uint8_t column, node_name_index* names) {
    model_state& m = model();
    odcinek& p = m.profiles.at(profile);
    auto& nodes = p.nodes;
    const std::size_t n = nodes.size();
    const profile_modes modes = recalculation_modes(profile);
    const Ttopcje& o = *topcje;
    using K = column_kind;

    // The pipe-series window's list and the main table's typing state are
    // refreshed here once those windows exist.

    if (triggered(column, {K::ter, K::terp})) p.terrain_edited = true;

    if (n > 1 && modes.distance == 0 && on(o.CalcLengthAngleFromCoords) && triggered(column, {K::wsplx, K::wsply}))
        lengths_from_coordinates(profile, names);

    if (n > 0) {
        // Chainages from lengths, or lengths from chainages.
        if (triggered(column, {K::ter, K::dlug, K::odl})) {
            for (std::size_t i = 1; i < n; ++i) {
                if (modes.distance == 0) nodes[i].odl = nodes[i - 1].odl + nodes[i - 1].dlug;
                else nodes[i - 1].dlug = nodes[i].odl - nodes[i - 1].odl;
            }
        }

        // Design terrain from the existing terrain (tested against 0 on purpose).
        if (on(o.cb_TerrainProj) && triggered(column, {K::ter, K::terp, K::dlug, K::odl})) {
            const int when = o.cb_AutoTerrainProjLikeTerrainExist->ItemIndex();
            for (wezel& w : nodes)
                if (when == 1 || (when == 0 && w.terp.s1 == 0 && w.terp.s2 == 0)) w.terp = w.terp_used = w.ter;
        }

        if (triggered(column, {K::ter, K::dlug, K::odl}))
            line_in_use(profile, line_terrain, K::ter,
                        on(o.cb_InterpolationGroundExists) || on(o.cb_ExtrapolationGroundExists), &wezel::ter,
                        &wezel::ter_used);
        if (triggered(column, {K::ter, K::terp, K::dlug, K::odl}))
            line_in_use(profile, line_design_terrain, K::terp,
                        on(o.cb_InterpolationGroundProj) || on(o.cb_ExtrapolationGroundProj), &wezel::terp,
                        &wezel::terp_used);
        line_in_use(profile, line_1, K::lin,
                    on(o.cb_InterpolationLine1) && triggered(column, {K::lin, K::dlug, K::odl}), &wezel::lin,
                    &wezel::lin_used);
        line_in_use(profile, line_2, K::lin2,
                    on(o.cb_InterpolationLine2) && triggered(column, {K::lin2, K::dlug, K::odl}), &wezel::lin2,
                    &wezel::lin2_used);
        if (on(o.cb_InterpolationPipeBottom) && (modes.kept == 0 || modes.kept == 3)) {
            fill_line(profile, line_pipe, K::dno);
        }

        const bool ordinates_step =
            triggered(column, {K::ter, K::terp, K::dno, K::spad, K::zag, K::dlug, K::odl, K::fi, K::obiekt});
        const bool trench_step = on(o.cb_TrenchWidth) && triggered(column, {K::szer, K::fi});
        const bool name_step = on(o.cb_Node) && triggered(column, {K::wez, K::obiekt});
        const bool to_design_terrain = on(o.cb_CalculateDepthToProjGroundLevel);
        const bool ditch_to_terrain = on(o.cb_WhereTrenchCalculateDepthToGroundLevel);
        setting_number allowance(o.e_AutoAdd2Diameter);
        setting_number wall_slope(o.e_AutoTrenchSlope);
        const double sign = m.slope_sign;
        const double mode = modes.reference;
        // After a diameter edit in the table, the edited node of the current
        // profile is compared with its state before the edit (which the
        // table put into node_before_edit); every other node with its state
        // before this pass.
        const node_state edited(m.node_before_edit);
        const bool edited_here = profile == m.current_profile && column == m.position_of(K::fi);
        before_edit_copy copy(m.node_before_edit);
        try {
            for (std::size_t i = 0; i < n; ++i) {
                wezel& w = nodes[i];
                const int node = static_cast<int>(i);
                const value_pair terrain = to_design_terrain ? w.terp_used : w.ter_used;
                const double ditch = w.obiekt == "rów"_cp ? object_variable(0, profile, node) : 0;

                if (ordinates_step) {
                    const value_pair reference =
                        w.obiekt == "rów"_cp && !ditch_to_terrain ? value_pair(ditch, ditch) : terrain;
                    auto slope_before = [&]() {
                        if (i == 0 || nodes[i - 1].dlug == 0) return;
                        wezel& prev = nodes[i - 1];
                        prev.spad = sign * 100 * (prev.dno.s2 - w.dno.s1) / prev.dlug;
                    };
                    switch (p.stala) {
                        case 0:
                            w.zag = {reference.s1 - w.dno.s1, reference.s2 - w.dno.s2};
                            slope_before();
                            break;
                        case 1:
                            if (p.rownol && i > 0) nwsta(value_pair(w.zag), w.zag, nodes[i - 1].zag.s2);
                            if (modes.terrain_from_depth) {
                                w.ter = {w.dno.s1 + w.zag.s1, w.dno.s2 + w.zag.s2};
                            } else {
                                w.dno = {reference.s1 - w.zag.s1, reference.s2 - w.zag.s2};
                            }
                            slope_before();
                            break;
                        case 2: {
                            if (copy.held.id != w.id) copy.take(i, w);
                            const node_state& before = edited_here && edited.id == w.id ? edited : copy.held;
                            const double fi_in = fi(profile, node - 1, "s1");
                            const double fi_out = fi(profile, node, "s1");
                            const double a = static_cast<double>(Round((fi_in * mode / 2000 + w.dno.s1) * 1e6)) / 1e6;
                            const double b = static_cast<double>(Round((fi_out * mode / 2000 + w.dno.s2) * 1e6)) / 1e6;
                            if (i > 0) {
                                const wezel& prev = nodes[i - 1];
                                w.dno.s1 = prev.dno.s2 - 0.01 * sign * prev.dlug * prev.spad;
                                if (i + 1 < n || before.dno.s1 == before.dno.s2) {
                                    const bool kept_drop = a != b && fi_out == before.fi_in;
                                    if (!kept_drop) w.dno.s2 = w.dno.s1 - (fi_out - fi_in) * mode / 2000;
                                }
                            }
                            w.zag = {reference.s1 - w.dno.s1, reference.s2 - w.dno.s2};
                            break;
                        }
                        default: break;
                    }
                }

                w.depth_below_terrain = {w.ter_used.s1 - w.dno.s1, w.ter_used.s2 - w.dno.s2};

                if (trench_step) {
                    if (item(o.rg_AutoTrenchWidth) == 2 && allowance.given()) {
                        const double width =
                            ceil_whole((allowance.value() + std::max(w.fi.s1, w.fi.s2) / 1000) * 100) / 100;
                        nwsta(value_pair(w.szer), w.szer, width);
                    }
                    if (on(o.cb_AutoTrenchSlope) && wall_slope.given())
                        w.szer.s1 = std::max(wall_slope.value() * w.zag.s2 * 2, 0.0) + w.szer.s2;
                }

                if (name_step && w.wez.empty()) {
                    std::string prefix = name_prefix(w);
                    if (on(o.cb_NodeIncrementation) && !prefix.empty()) prefix = inkrem(prefix);
                    w.wez = prefix;
                    if (names && !w.wez.empty()) names->named(profile, i, w.wez);
                }

                if (on(o.cb_Material) && !m.project.pipe_series.empty() && w.series_index >= 0 && w.size_index >= 0 &&
                    static_cast<std::size_t>(w.series_index) < m.project.pipe_series.size()) {
                    copy.keep_material(i, w);
                    w.mat = m.project.pipe_series[static_cast<std::size_t>(w.series_index)].adds.material;
                }
            }
        } catch (...) {
            copy.make(nodes, m.node_before_edit);
            throw;
        }
        copy.make(nodes, m.node_before_edit);
    }

    // A recalculated profile starts the key filter afresh.
    m.separator_allowed = true;
    if (profile == m.current_profile) view().odswiez_dane(profile, refresh);
    return true;
}

}  // namespace

void autouzupelnianie(uint16_t profile, int node, uint8_t column, bool force) {
    model_state& m = model();
    auto& nodes = m.profiles.at(profile).nodes;
    wezel& w = nodes.at(static_cast<std::size_t>(node));
    const wezel* previous = node > 0 ? &nodes[static_cast<std::size_t>(node) - 1] : nullptr;
    const bool single = nodes.size() == 1;
    const Ttopcje& o = *topcje;
    auto is = [&](column_kind k) { return column == all_columns || column == m.position_of(k); };

    if (!o.Edit1->Text().empty() && is(column_kind::spad) && on(o.cb_Drop) && w.spad == 0) {
        if (item(o.rg_AutoDrop) == 1 || single || force) w.spad = StrToFloat(o.Edit1->Text());
        else if (previous) w.spad = previous->spad;
    }

    if (is(column_kind::mat) && on(o.cb_Material) && w.mat.empty()) {
        if (!on(o.cb_AutoFillMaterialLikePrevious) || single || force) {
            w.mat = first_item(settings().data_lists[0]);
        } else if (previous) {
            w.mat = previous->mat;
        }
    }

    if (!o.e_AutoDiameter->Text().empty() && is(column_kind::fi) && on(o.cb_Diameter) && w.fi.s1 == 0 &&
        w.fi.s2 == 0) {
        if (item(o.rg_AutoDiameter) == 1 || single || force)
            nwsta(value_pair(w.fi), w.fi, StrToFloat(o.e_AutoDiameter->Text()));
        else if (previous) w.fi = previous->fi;
    }

    if (is(column_kind::szer) && on(o.cb_TrenchWidth) && w.szer.s1 == 0 && w.szer.s2 == 0) {
        switch (item(o.rg_AutoTrenchWidth)) {
            case 0:
                if (previous) w.szer = previous->szer;
                break;
            case 1:
                if (!o.e_szer->Text().empty()) nwsta(value_pair(w.szer), w.szer, StrToFloat(o.e_szer->Text()));
                break;
            case 2:
                if (!o.e_AutoAdd2Diameter->Text().empty()) {
                    const double allowance = StrToFloat(o.e_AutoAdd2Diameter->Text());
                    nwsta(value_pair(w.szer), w.szer,
                          ceil_whole((allowance + std::max(w.fi.s1, w.fi.s2) / 1000) * 10) / 10);
                }
                break;
            default: break;
        }
    }
}

std::string inkrem(const std::string& prefix) {
    const model_state& m = model();
    int64_t largest = 0;
    auto scan = [&](const odcinek& p) {
        for (const wezel& w : p.nodes) {
            if (prefix.empty() || w.wez.find(prefix) == std::string::npos) continue;
            int64_t number = 0;
            if (TryStrToInt64(w.wez.substr(prefix.size()), number)) largest = std::max(largest, number);
        }
    };
    if (on(topcje->cb_WholeProjectNodeIncrementation)) {
        for (const odcinek& p : m.profiles) scan(p);
    } else if (m.current_profile < m.profiles.size()) {
        scan(m.profiles[m.current_profile]);
    }
    return (prefix + IntToStr(largest + 1)).substr(0, 9);
}

double kat_skalarny(const plan_point& a, const plan_point& b, const plan_point& c, int8_t factor) {
    const double ux = factor * (b.x - a.x);
    const double uy = factor * (b.y - a.y);
    const double vx = c.x - b.x;
    const double vy = c.y - b.y;
    const double lengths = std::hypot(ux, uy) * std::hypot(vx, vy);
    if (lengths == 0 || !std::isfinite(lengths)) return 0;
    const double cosine = std::clamp((ux * vx + uy * vy) / lengths, -1.0, 1.0);
    double angle = degrees(std::acos(cosine));

    const double m = b.x != a.x ? (b.y - a.y) / (b.x - a.x) : 0;
    const double o = c.x != b.x ? (c.y - b.y) / (c.x - b.x) : 0;
    if (m != 0 && o != 0) {
        const double r = b.y - b.x * m;  // the line through a and b: y = m x + r
        if ((b.x > a.x && c.y > c.x * m + r) || (b.x < a.x && c.y < c.x * m + r)) angle = -angle;
    }
    const double q = -angle;
    auto same_sign = [](double s, double t) { return (s > 0 && t > 0) || (s < 0 && t < 0); };
    if (m != 0) {
        if (o != 0) return angle + 0.0;
        if (c.x == b.x && same_sign(c.y - b.y, b.x - a.x)) angle = q;
        if (c.y == b.y && ((c.x - b.x > 0 && b.y - a.y < 0) || (c.x - b.x < 0 && b.y - a.y > 0))) angle = -angle;
    } else {
        if (b.x == a.x && same_sign(a.y - b.y, c.x - b.x)) angle = q;
        if (b.y == a.y && same_sign(b.x - a.x, c.y - b.y)) angle = -angle;
    }
    return angle + 0.0;
}

bool takie_same_odniesienia_rzednej_rury() {
    const auto& profiles = model().profiles;
    if (profiles.size() <= 1) return true;
    return std::all_of(profiles.begin(), profiles.end(),
                       [&](const odcinek& p) { return p.rzedna == profiles.front().rzedna; });
}
