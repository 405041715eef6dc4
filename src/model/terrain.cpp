#include "model/terrain.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "forms/opcje.h"
#include "model/objects.h"
#include "model/pairs.h"
#include "model/recalculation.h"
#include "model/state.h"
#include "platform/sysutils.h"

namespace {

// The node fields a line kind reads and writes, and the index of the
// profile's prepared line it keeps (-1 none).
struct line_fields {
    value_pair wezel::*entered = nullptr;
    value_pair wezel::*used = nullptr;
    int prepared = -1;
};

bool fields_of(uint8_t kind, line_fields& f) {
    switch (kind) {
        case line_terrain: f = {&wezel::ter, &wezel::ter_used, static_cast<int>(line_kind::terrain)}; return true;
        case line_pipe: f = {&wezel::dno, &wezel::dno, -1}; return true;
        case line_1: f = {&wezel::lin, &wezel::lin_used, static_cast<int>(line_kind::line1)}; return true;
        case line_2: f = {&wezel::lin2, &wezel::lin2_used, static_cast<int>(line_kind::line2)}; return true;
        case line_design_terrain:
            f = {&wezel::terp, &wezel::terp_used, static_cast<int>(line_kind::design_terrain)};
            return true;
        case line_volumes: f = {&wezel::ter_used, &wezel::terp_used, -1}; return true;
        default: return false;
    }
}

// Whether an additional ordinate of that line code goes into a line of the kind.
bool takes_ordinate(uint8_t kind, uint8_t code) {
    switch (kind) {
        case line_terrain:
        case line_1:
        case line_2: return code == kind;
        case line_design_terrain:
            if (!topcje->cb_TerrainProj->Checked()) return code == line_design_terrain;
            return code == line_terrain && topcje->cb_AutoTerrainProjLikeTerrainExist->ItemIndex() == 1;
        case line_volumes: return code == line_terrain || code == line_design_terrain;
        default: return false;
    }
}

// The half-widths that a building or a ditch on the node cuts out of the
// drawn line.
value_pair node_gap(uint8_t kind, uint16_t profile, std::size_t i) {
    const auto& nodes = model().profiles[profile].nodes;
    const wezel& w = nodes[i];
    if (kind == line_volumes) return w.depth_below_terrain;
    if (kind == line_pipe || w.obiekt.empty()) return {0, 0};
    bool has_width = false;
    double width = 0;
    const int node = static_cast<int>(i);
    if (jest_obiekt2(w.obiekt, "budynkopodobne")) {
        width = object_variable(8, profile, node);
        has_width = true;
    }
    if (kind == line_terrain && LowerCase(w.obiekt).find("rów"_cp) != std::string::npos) {
        width = object_variable(1, profile, node);
        has_width = true;
    }
    if (!has_width) return {0, 0};
    const double after = width * w.draw_factor / 2;
    const double before = i > 0 ? width * nodes[i - 1].draw_factor / 2 : after;
    return {before, after};
}

enum class line_column { none, ter, terp, lin, lin2, dno };

line_column column_of_position(uint8_t position) {
    const model_state& m = model();
    if (position == m.position_of(column_kind::ter)) return line_column::ter;
    if (position == m.position_of(column_kind::terp)) return line_column::terp;
    if (position == m.position_of(column_kind::lin)) return line_column::lin;
    if (position == m.position_of(column_kind::lin2)) return line_column::lin2;
    if (position == m.position_of(column_kind::dno)) return line_column::dno;
    return line_column::none;
}

// The pipe-ordinate raise of a node to the profile's reference level, side
// "s1" (the pipe entering) and "s2" (the pipe leaving).
value_pair reference_raise(uint16_t profile, int node, uint8_t mode) {
    return {fi(profile, node - 1, "s1") * mode / 2000, fi(profile, node, "s1") * mode / 2000};
}

// Writes the working line back into the nodes (and the additional ordinates
// and the prepared line) for the column.
void write_back(line_column column, uint16_t profile, bool write_entered) {
    model_state& m = model();
    odcinek& p = m.profiles[profile];
    const std::vector<teren>& line = m.terrain_work;
    value_pair wezel::*entered = nullptr;
    value_pair wezel::*used = nullptr;
    switch (column) {
        case line_column::ter:
            entered = &wezel::ter;
            used = &wezel::ter_used;
            p.terrain_lines[static_cast<int>(line_kind::terrain)] = line;
            break;
        case line_column::terp:
            entered = &wezel::terp;
            used = &wezel::terp_used;
            p.terrain_lines[static_cast<int>(line_kind::design_terrain)] = line;
            break;
        case line_column::lin:
            entered = &wezel::lin;
            used = &wezel::lin_used;
            break;
        case line_column::lin2:
            entered = &wezel::lin2;
            used = &wezel::lin2_used;
            break;
        default: return;
    }
    for (const teren& t : line) {
        const auto index = static_cast<std::size_t>(t.index);
        if (t.is_node) {
            if (index >= p.nodes.size()) continue;
            wezel& w = p.nodes[index];
            w.*used = t.used;
            if (write_entered) w.*entered = t.entered;
        } else if (write_entered && index < p.ordinates.size()) {
            p.ordinates[index].ordinate = t.entered;
        }
    }
}

bool on(TCheckBox* c) { return c->Checked(); }

}  // namespace

double object_variable(int8_t n, uint16_t profile, int node) {
    const std::string text = wyciag_var(n, profile, node, false, 1);
    return text.empty() ? 0 : StrToFloat(text);
}

// --- preparing and filling a line ------------------------------------------------

namespace {

// przygotuj_linie_terenu; `keep` false leaves the profile's prepared line
// for the caller to write.
void prepare_line(uint16_t profile, uint8_t kind, bool keep) {
    model_state& m = model();
    odcinek& p = m.profiles.at(profile);
    std::vector<teren>& line = m.terrain_work;
    line.clear();
    line_fields f;
    if (!fields_of(kind, f)) return;
    if (!p.nodes.empty()) {
        const double e = m.empty_value;
        line.reserve(p.nodes.size() + p.ordinates.size());
        for (std::size_t i = 0; i < p.nodes.size(); ++i) {
            const wezel& w = p.nodes[i];
            teren t;
            t.is_node = 1;
            t.reserved = 0;
            t.chainage = w.odl;
            t.index = static_cast<int32_t>(i);
            t.entered = w.*f.entered;
            t.used = w.*f.used;
            if (kind != line_volumes) {
                if (t.entered.s1 != e) t.used.s1 = t.entered.s1;
                if (t.entered.s2 != e) t.used.s2 = t.entered.s2;
            }
            t.gap = node_gap(kind, profile, i);
            line.push_back(std::move(t));
        }
        if (kind != line_pipe) {
            const std::size_t nodes = line.size();
            for (std::size_t j = 0; j < p.ordinates.size(); ++j) {
                const rzedne_npm& r = p.ordinates[j];
                if (!takes_ordinate(kind, r.line_code) || r.distance == 0) continue;
                teren t;
                t.is_node = 0;
                t.index = static_cast<int32_t>(j);
                t.chainage = r.chainage + r.distance;
                t.text = r.description;
                if (kind == line_design_terrain && r.line_code == line_terrain) t.text = "^*" + t.text;
                t.entered = r.ordinate;
                t.used = r.ordinate;
                if (kind == line_volumes) {
                    if (r.line_code == line_terrain) t.used = value_pair(e);
                    else t.entered = value_pair(e);
                }
                line.push_back(std::move(t));
            }
            // A point moves after the next one only when its chainage is
            // greater. The nodes are usually in order already: then only the
            // additional points are sorted and merged in among them (the
            // same order as sorting all, the nodes first where chainages are
            // equal). A chainage that is no number leaves it to the sort.
            const auto by_chainage = [](const teren& a, const teren& b) { return a.chainage < b.chainage; };
            const auto split = line.begin() + static_cast<std::ptrdiff_t>(nodes);
            bool ordered = true;
            for (std::size_t i = 0; ordered && i < line.size(); ++i) {
                const bool after_previous = i == 0 || i == nodes || !(line[i].chainage < line[i - 1].chainage);
                ordered = !std::isnan(line[i].chainage) && after_previous;
            }
            if (!ordered) {
                std::stable_sort(line.begin(), line.end(), by_chainage);
            } else if (split != line.end()) {
                std::stable_sort(split, line.end(), by_chainage);
                std::inplace_merge(line.begin(), split, line.end(), by_chainage);
            }
        }
    }
    if (keep && f.prepared >= 0) p.terrain_lines[static_cast<std::size_t>(f.prepared)] = line;
}

}  // namespace

void przygotuj_linie_terenu(uint16_t profile, uint8_t kind) { prepare_line(profile, kind, true); }

void fill_line(uint16_t profile, uint8_t kind, column_kind column) {
    const model_state& m = model();
    const uint8_t position = m.position_of(column);
    const line_column which = column_of_position(position);
    // The filling writes the existing and the design terrain into their
    // prepared lines itself, whenever the line has points.
    const bool written = !m.profiles.at(profile).nodes.empty() &&
                         ((kind == line_terrain && which == line_column::ter) ||
                          (kind == line_design_terrain && which == line_column::terp));
    prepare_line(profile, kind, !written);
    interpolacja_rzednych_2(position, profile, 0, static_cast<int>(m.terrain_work.size()) - 1, false);
}

void interpolacja_rzednych_2(uint8_t column, uint16_t profile, int first, int last, bool write_entered) {
    model_state& m = model();
    static_cast<void>(m.profiles.at(profile));
    const line_column which = column_of_position(column);
    if (which == line_column::none) return;
    std::vector<teren>& line = m.terrain_work;
    if (line.empty()) return;
    const double e = m.empty_value;
    auto empty = [e](const teren& t) { return t.entered.s1 == e && t.entered.s2 == e; };

    if (line.size() == 1) {
        teren& t = line[0];
        t.used = which != line_column::dno && empty(t) ? value_pair(0, 0) : t.entered;
        if (which == line_column::dno) {
            if (t.is_node) m.profiles[profile].nodes.at(static_cast<std::size_t>(t.index)).dno = t.used;
        } else {
            write_back(which, profile, false);
        }
        return;
    }

    const int size = static_cast<int>(line.size());
    first = std::max(first, 0);
    last = std::min(last, size - 1);
    const bool pipe_with_flag = which == line_column::dno && write_entered;
    const uint8_t mode = recalculation_modes(profile).reference;
    std::vector<value_pair> original;
    if (pipe_with_flag) {
        // Interpolated at the reference level (bottom, axis or top).
        for (teren& t : line) {
            original.push_back(t.entered);
            const value_pair raise = reference_raise(profile, t.index, mode);
            t.entered.s1 += raise.s1;
            t.entered.s2 += raise.s2;
            t.used = t.entered;
        }
    }

    const bool terrain = which == line_column::ter || which == line_column::terp;
    const bool extrapolate = which == line_column::ter ? on(topcje->cb_ExtrapolationGroundExists)
                                                       : on(topcje->cb_ExtrapolationGroundProj);
    auto at = [&line](int k) -> teren& { return line[static_cast<std::size_t>(k)]; };
    auto set = [&](int k, double v) {
        teren& t = at(k);
        if (write_entered) {
            t.entered = value_pair(v);
            t.used = t.entered;
        } else {
            t.used = value_pair(v);
        }
    };

    int i = first;
    while (i <= last) {
        if (!write_entered && !empty(at(i))) {
            at(i).used = at(i).entered;
            ++i;
            continue;
        }
        int left = -1;
        int right = -1;
        if (write_entered) {
            left = first;
            right = last;
            at(left).used = at(left).entered;
            at(right).used = at(right).entered;
        } else {
            for (int k = i - 1; k >= 0; --k)
                if (at(k).entered.s2 != e) {
                    left = k;
                    break;
                }
            for (int k = i + 1; k < size; ++k)
                if (at(k).entered.s1 != e) {
                    right = k;
                    break;
                }
        }
        if (left >= 0 && right >= 0) {
            const teren& l = at(left);
            const teren& r = at(right);
            if (r.chainage != l.chainage) {
                const double rate = (l.entered.s2 - r.entered.s1) / (r.chainage - l.chainage);
                const double start = l.entered.s2;
                const double from = l.chainage;
                for (int k = left + 1; k < right; ++k) set(k, start - rate * (at(k).chainage - from));
            }
        } else if (terrain && right >= 0) {
            // Before the first value: level with it, or on the slope of the
            // first two values.
            const teren& r = at(right);
            if (!extrapolate) {
                for (int k = i; k < right; ++k) at(k).used = value_pair(0, 0);
            } else {
                int next = -1;
                for (int k = right + 1; k < size; ++k)
                    if (at(k).entered.s1 != e) {
                        next = k;
                        break;
                    }
                if (next < 0 || at(next).entered.s1 == r.entered.s2 || at(next).chainage == r.chainage) {
                    for (int k = i; k < right; ++k) at(k).used = r.used;
                } else {
                    const double slope = (at(next).entered.s1 - r.entered.s2) / (at(next).chainage - r.chainage);
                    for (int k = i; k < right; ++k)
                        at(k).used = value_pair(r.entered.s1 - (r.chainage - at(k).chainage) * slope);
                }
            }
        } else if (terrain && left >= 0) {
            // After the last value: the same backwards.
            const teren& l = at(left);
            if (!extrapolate) {
                for (int k = i; k <= last; ++k) at(k).used = value_pair(0, 0);
            } else {
                int previous = -1;
                for (int k = left - 1; k >= 0; --k)
                    if (at(k).entered.s2 != e) {
                        previous = k;
                        break;
                    }
                if (previous < 0 || l.entered.s1 == at(previous).entered.s2 || l.chainage == at(previous).chainage) {
                    for (int k = i; k <= last; ++k) at(k).used = l.used;
                } else {
                    const double slope =
                        (l.entered.s1 - at(previous).entered.s2) / (l.chainage - at(previous).chainage);
                    for (int k = i; k <= last; ++k)
                        at(k).used = value_pair((at(k).chainage - l.chainage) * slope + l.entered.s2);
                }
            }
        } else if (terrain) {
            for (int k = i; k <= last; ++k) at(k).used = value_pair(0, 0);
        }
        if (write_entered || right < 0) break;
        i = right;
    }

    if (which != line_column::dno) {
        write_back(which, profile, write_entered);
        return;
    }
    auto& nodes = m.profiles[profile].nodes;
    for (std::size_t k = 0; k < line.size(); ++k) {
        const teren& t = line[k];
        const auto index = static_cast<std::size_t>(t.index);
        if (!t.is_node || index >= nodes.size()) continue;
        if (!pipe_with_flag) {
            nodes[index].dno = t.used;
        } else if (static_cast<int>(k) > first && static_cast<int>(k) < last) {
            const value_pair raise = reference_raise(profile, t.index, mode);
            nodes[index].dno = {t.entered.s1 - raise.s1, t.entered.s2 - raise.s2};
        } else {
            nodes[index].dno = original[k];  // not interpolated: as entered
        }
    }
    if (pipe_with_flag) przelicz(profile, true, column);
}

// --- ordinate queries --------------------------------------------------------------

namespace {

double ordinate_on(const std::vector<teren>& line, double x) {
    if (line.size() < 2 || x < line.front().chainage || x > line.back().chainage) return no_ordinate;
    for (std::size_t c = 0; c + 1 < line.size(); ++c) {
        const teren& a = line[c];
        const teren& b = line[c + 1];
        if (!(a.chainage <= x && x <= b.chainage)) continue;
        const double f = a.used.s2;
        const double g = b.used.s1;
        if (a.chainage == b.chainage) return g;
        if (x == a.chainage) return f;
        if (x == b.chainage) return g;
        return g + (b.chainage - x) * (f - g) / (b.chainage - a.chainage);
    }
    return no_ordinate;
}

}  // namespace

double rzedna_terenu(uint16_t profile, double chainage) {
    return ordinate_on(model().profiles.at(profile).terrain_lines[static_cast<int>(line_kind::terrain)], chainage);
}

double rzedna_terenu_proj(uint16_t profile, double chainage) {
    return ordinate_on(model().profiles.at(profile).terrain_lines[static_cast<int>(line_kind::design_terrain)],
                       chainage);
}

void rzedna_dna(uint16_t profile, bottom_ordinate& result, double chainage) {
    result = bottom_ordinate{};
    const model_state& m = model();
    const auto& nodes = m.profiles.at(profile).nodes;
    if (nodes.empty()) return;
    const std::size_t last = nodes.size() - 1;
    const double sign = m.slope_sign;
    if (chainage >= nodes[last].odl) {
        result.segment = static_cast<double>(last);
        result.slope = sign * nodes[last > 0 ? last - 1 : 0].spad;
        return;
    }
    if (chainage < nodes[0].odl) {
        result.slope = sign * nodes[0].spad;
        return;
    }
    for (std::size_t c = 0; c < last; ++c) {
        const wezel& w = nodes[c];
        const wezel& next = nodes[c + 1];
        if (!(w.odl <= chainage && chainage < next.odl)) continue;
        result.segment = static_cast<double>(c);
        result.slope = sign * w.spad;
        const double r = w.rad;
        if (r != 0 && 2 * std::fabs(r) > w.dlug) {
            // Along the bend arc, when the radius fits the chord and the
            // chainage lies under the circle; otherwise the segment is straight.
            const double chord_x = w.dlug;
            const double chord_y = next.dno.s1 - w.dno.s2;
            const double under = r * r - (chainage - w.arc_center_x) * (chainage - w.arc_center_x);
            if (r * r >= (chord_x * chord_x + chord_y * chord_y) / 4 && under >= 0) {
                result.ordinate = w.arc_center_y - (r / std::fabs(r)) * std::sqrt(under);
                return;
            }
        }
        result.ordinate = w.dno.s2 - (chainage - w.odl) * 0.01 * sign * w.spad;
        return;
    }
}

double godl_bs(uint16_t profile, double chainage) {
    const auto& nodes = model().profiles.at(profile).nodes;
    if (nodes.empty()) return 0;
    const wezel& first = nodes.front();
    const wezel& last = nodes.back();
    if (chainage < first.odl) return first.draw_x + (chainage - first.odl) * first.draw_factor;
    if (chainage > last.odl) return last.draw_x + (chainage - last.odl) * last.draw_factor;
    for (std::size_t i = 0; i + 1 < nodes.size(); ++i) {
        const wezel& a = nodes[i];
        const wezel& b = nodes[i + 1];
        if (!(a.odl <= chainage && chainage <= b.odl)) continue;
        if (chainage == b.odl) return b.draw_x;
        return a.draw_x + (chainage - a.odl) * a.draw_factor;
    }
    return first.draw_x + (chainage - first.odl) * first.draw_factor;
}

uint16_t is_node(uint16_t profile, double chainage) {
    const auto& nodes = model().profiles.at(profile).nodes;
    if (nodes.empty() || chainage < nodes.front().odl || chainage > nodes.back().odl) return no_node;
    for (std::size_t i = 0; i < nodes.size() && i < no_node; ++i)
        if (nodes[i].odl == chainage) return static_cast<uint16_t>(i);
    return no_node;
}

bool circle_center(const plan_point& a, const plan_point& b, double radius, plan_point& centre) {
    const plan_point& p = radius >= 0 ? b : a;
    const plan_point& q = radius >= 0 ? a : b;
    const double m = std::hypot(p.x - q.x, p.y - q.y);
    const double under = radius * radius - (m / 2) * (m / 2);
    if (m == 0 || !(under >= 0) || !std::isfinite(m)) {
        centre = plan_point{};
        return false;
    }
    const double h = std::sqrt(under);
    centre.x = (p.x + q.x) / 2 + h * (q.y - p.y) / m;
    centre.y = (p.y + q.y) / 2 + h * (p.x - q.x) / m;
    return true;
}

int16_t zlicz_kolizje_w_wezle(int node) {
    const model_state& m = model();
    const odcinek& p = m.profiles.at(m.current_profile);
    if (node < 0 || static_cast<std::size_t>(node) >= p.nodes.size()) return 0;
    const auto i = static_cast<std::size_t>(node);
    const double from = p.nodes[i].odl;
    const bool last = i + 1 == p.nodes.size();
    int16_t count = 0;
    for (const kolizja& k : p.crossings) {
        if (k.node_id == 0) continue;
        const double at = k.chainage + k.distance;
        if (last ? at >= from : (from <= at && at <= p.nodes[i + 1].odl)) ++count;
    }
    return count;
}

int16_t zlicz_oslonowe_w_wezle(int node) {
    const model_state& m = model();
    const odcinek& p = m.profiles.at(m.current_profile);
    if (node < 0 || static_cast<std::size_t>(node) >= p.nodes.size()) return 0;
    const auto i = static_cast<std::size_t>(node);
    const double from = p.nodes[i].odl;
    const bool last = i + 1 == p.nodes.size();
    int16_t count = 0;
    for (const oslonowa& o : p.casings) {
        if (o.node_id == 0) continue;
        const double at = o.chainage + o.distance;
        const double start = std::min(at, at + o.length);
        bool in = !last && from <= start && start < p.nodes[i + 1].odl;
        if (i == 0 && start < from) in = true;
        if (last && start >= from) in = true;
        if (in) ++count;
    }
    return count;
}
