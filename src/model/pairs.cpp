#include "model/pairs.h"

#include <algorithm>
#include <cmath>

#include "model/messages.h"
#include "model/objects.h"
#include "model/state.h"
#include "model/utils.h"
#include "platform/forms.h"
#include "platform/sysutils.h"

namespace {

double pick(double a, double b, const std::string& side) {
    if (side == "s2") return b;
    if (side == "min") return b < a ? b : a;
    if (side == "max") return b > a ? b : a;
    return a;
}

}  // namespace

double wyciag(const std::string& text, const std::string& side) {
    const std::size_t slash = text.find('/');
    if (slash != std::string::npos) {
        double a = 0, b = 0;
        if (slash > 0 && !TryStrToFloat(text.substr(0, slash), a)) return 0;
        if (slash + 1 < text.size() && !TryStrToFloat(text.substr(slash + 1), b)) return 0;
        return pick(a, b, side);
    }
    double v = 0;
    if (!TryStrToFloat(text, v)) {
        MessageBox(wrong_format_message(text), MB_OK | MB_ICONERROR);
        return 0;
    }
    return v;
}

double wyciag2(const value_pair& pair, const std::string& side) {
    if (pair.s1 == pair.s2) return pair.s1;
    return pick(pair.s1, pair.s2, side);
}

void nwsta(const value_pair& old_pair, value_pair& out, double value) {
    out.s1 = value;
    out.s2 = old_pair.s1 != old_pair.s2 ? old_pair.s2 : value;
}

void zlacz(uint8_t decimals, std::string& text, double first, double second) {
    // Compared at nine decimals, to nearest, whatever the rounding setting:
    // this only decides whether one number or two are shown. The halves
    // shown are the values themselves: scaling back from nine decimals
    // would put binary noise into a large value (1E20).
    const bool same = std::nearbyint(first * 1e9) / 1e9 == std::nearbyint(second * 1e9) / 1e9;
    fixed_text(text, decimals, first);
    if (!same) {
        text += '/';
        text += fixed_text(decimals, second);
    }
}

std::string zlacz(uint8_t decimals, double first, double second) {
    std::string s;
    zlacz(decimals, s, first, second);
    return s;
}

void zaokr(const std::string& text, std::string& out) {
    out.clear();
    if (text.empty()) return;
    const int n = model().display_decimals;
    const std::size_t slash = text.find('/');
    double a = 0, b = 0;
    if (slash != std::string::npos) {
        if (!TryStrToFloat(text.substr(0, slash), a) || !TryStrToFloat(text.substr(slash + 1), b)) return;
        out = fixed_text(n, a) + "/" + fixed_text(n, b);
    } else if (TryStrToFloat(text, a)) {
        fixed_text(out, n, a);
    }
}

double max(column_kind kind, uint16_t profile) {
    odcinek& p = model().profiles.at(profile);
    const auto& nodes = p.nodes;
    double best = -1e10;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const wezel& w = nodes[i];
        const bool inner = i + 1 < nodes.size();
        double v = 0;
        double* node_field = nullptr;
        switch (kind) {
            case column_kind::ter: v = std::max(w.ter_used.s1, w.ter_used.s2); break;
            case column_kind::zag: v = std::max(w.zag.s1, w.zag.s2); node_field = &p.statistics.depth_max_node; break;
            case column_kind::dlug:
                if (!inner) continue;
                v = w.dlug;
                node_field = &p.statistics.section_max_node;
                break;
            case column_kind::spad:
                if (!inner) continue;
                v = std::fabs(w.spad);
                node_field = &p.statistics.slope_max_node;
                break;
            default: return best;
        }
        if (v > best) {
            best = v;
            if (node_field) *node_field = static_cast<double>(i);
        }
    }
    return best;
}

double min(column_kind kind, uint16_t profile) {
    odcinek& p = model().profiles.at(profile);
    const auto& nodes = p.nodes;
    double best = 1e10;
    auto over_line = [&best](const std::vector<teren>& line) {
        for (const teren& t : line) best = std::min(best, std::min(t.used.s1, t.used.s2));
    };
    switch (kind) {
        case column_kind::ter: over_line(p.terrain_lines[0]); break;
        case column_kind::terp: over_line(p.terrain_lines[1]); break;
        case column_kind::dno:
        case column_kind::zag:
        case column_kind::dlug:
        case column_kind::spad:
            for (std::size_t i = 0; i < nodes.size(); ++i) {
                const wezel& w = nodes[i];
                const bool inner = i + 1 < nodes.size();
                double v = 0;
                double* node_field = nullptr;
                if (kind == column_kind::dno) {
                    v = std::min(w.dno.s1, w.dno.s2);
                } else if (kind == column_kind::zag) {
                    v = std::min(w.zag.s1, w.zag.s2);
                    node_field = &p.statistics.depth_min_node;
                } else if (!inner) {
                    continue;
                } else if (kind == column_kind::dlug) {
                    v = w.dlug;
                    node_field = &p.statistics.section_max_node;
                } else {
                    v = std::fabs(w.spad);
                    node_field = &p.statistics.slope_min_node;
                }
                if (v < best) {
                    best = v;
                    if (node_field) *node_field = static_cast<double>(i);
                }
            }
            break;
        default: break;
    }
    return best == 1e10 ? 0 : best;
}

double fi(uint16_t profile, int node, std::string_view side) {
    const auto& nodes = model().profiles.at(profile).nodes;
    if (nodes.empty() || (side != "s1" && side != "s2")) return 0;
    const int last = static_cast<int>(nodes.size()) - 1;
    int i = node;
    if (node < 0) i = 0;
    else if (node >= last) i = std::max(0, last - 1);
    const value_pair& d = nodes[static_cast<std::size_t>(i)].fi;
    return side == "s1" ? d.s1 : d.s2;
}

namespace {

// A default written with the system's decimal separator ("0.50" -> "0,50").
std::string decimal(const char* text) { return fix_decimal_separator(text); }

std::string variable_default(int n, uint16_t profile, int node, int side, const std::string& kind) {
    const wezel& w = model().profiles.at(profile).nodes.at(static_cast<std::size_t>(node));
    const double smaller_fi = std::min(w.fi.s1, w.fi.s2);
    const double pipe_top = w.dno.s1 + std::max(fi(profile, node - 1, "s1"), fi(profile, node, "s1")) / 2000;
    if (kind == "rurociąg"_cp || kind == "trójnik"_cp) {
        if (n == 0) return Format("%.4f", {smaller_fi});
        if (n == 1) return Format("%.4f", {pipe_top});
    } else if (kind == "hydrant nadz." || kind == "hydrant podz.") {
        if (n == 0) return "80";
        if (n == 1) return "0";
    } else if (kind == "grupa") {
        if (n == 0) return "";
        if (n == 1) return "0";
    } else if (kind == "nawiertka") {
        if (n == 0) return Format("%.4f", {smaller_fi});
        if (n == 1) {
            const double v3 = StrToFloatDef(fix_decimal_separator(wyciag_var(3, profile, node, false, 1)), 0);
            return Format("%.4f", {pipe_top + v3});
        }
    } else if (kind == "pion") {
        static const char* const d[] = {"110", "2", "0.50", "0", "0", "0", "0"};
        if (n < 7) return decimal(d[n]);
    } else if (kind == "rów"_cp) {
        if (n == 0) return Format("%f", {std::min(w.dno.s1, w.dno.s2) - 0.5});
        static const char* const d[] = {"", "0.50", "0.35", "0", "111"};
        if (n < 5) return decimal(d[n]);
    } else if (jest_obiekt2(kind, "budynkopodobne")) {
        if (side == 2 && n == 0) {
            if (kind == "rynna") return "100";
            if (kind == "zestaw wodomierzowy" || kind == "wejscie do budynku") return "0";
        }
        static const char* const d[] = {"0", "0", "-1.5", "0.2", "0.1", "0", "45", "0", "0.5", "0.8", "0.4", "90"};
        if (n < 12) return decimal(d[n]);
    }
    return "0";
}

}  // namespace

void wyciag_var(int8_t n, uint16_t profile, int node, bool no_default, int side, std::string& out) {
    const wezel& w = model().profiles.at(profile).nodes.at(static_cast<std::size_t>(node));
    const std::string text = side == 1 ? w.var : side == 2 ? w.var2 : std::string();
    const std::string kind = LowerCase(w.obiekt);
    const int index = n < 0 ? -n : n;
    out = no_default ? std::string() : variable_default(index, profile, node, side, kind);
    if (text.empty() || n < 0) return;
    std::vector<std::string> items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = text.find('|', start);
        items.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    if (index >= static_cast<int>(items.size()) || items[static_cast<std::size_t>(index)].empty()) return;
    const std::string& item = items[static_cast<std::size_t>(index)];
    const std::string lowered = LowerCase(item);
    const std::string normalised = fix_decimal_separator(item);
    if (lowered.find(';') != std::string::npos || lowered.find('x') != std::string::npos) {
        out = normalised;
        return;
    }
    double v = 0;
    out = TryStrToFloat(normalised, v) ? normalised : item;
}

std::string wyciag_var(int8_t n, uint16_t profile, int node, bool no_default, int side) {
    std::string s;
    wyciag_var(n, profile, node, no_default, side, s);
    return s;
}

namespace {

std::string* text_field(wezel& w, const std::string& key) {
    if (key == "mat") return &w.mat;
    if (key == "obiekt") return &w.obiekt;
    if (key == "kom") return &w.kom;
    if (key == "wez") return &w.wez;
    return nullptr;
}

value_pair* pair_field(wezel& w, const std::string& key) {
    if (key == "ter" || key == "teren") return &w.ter_used;
    if (key == "uter" || key == "uteren") return &w.ter;
    if (key == "terp" || key == "teren_proj") return &w.terp_used;
    if (key == "lin" || key == "linia") return &w.lin_used;
    if (key == "lin2" || key == "linia2") return &w.lin2_used;
    if (key == "dno") return &w.dno;
    if (key == "zag" || key == "zaglebienie") return &w.zag;
    if (key == "fi") return &w.fi;
    if (key == "szer") return &w.szer;
    return nullptr;
}

// The reals that go into the first half of the scratch pair. A bulk change
// of "flow" reaches the flow of the node's own segment.
double* real_field(wezel& w, const std::string& key) {
    if (key == "dlug" || key == "dlugosc") return &w.dlug;
    if (key == "odl" || key == "odleglosc") return &w.odl;
    if (key == "spad" || key == "spadek") return &w.spad;
    if (key == "rad") return &w.rad;
    if (key == "kat") return &w.kat;
    if (key == "wsplx") return &w.wsplx;
    if (key == "wsply") return &w.wsply;
    if (key == "flow") return &w.flow;
    return nullptr;
}

bool copy_column(const std::string& key, uint16_t profile, bool to_temp) {
    auto& profiles = model().profiles;
    if (profile >= profiles.size()) return true;
    const bool text = view().text_column_selected();
    for (wezel& w : profiles[profile].nodes) {
        if (text) {
            if (std::string* f = text_field(w, key)) {
                if (to_temp) w.result = *f;
                else *f = w.result;
            }
        } else if (value_pair* p = pair_field(w, key)) {
            if (to_temp) w.temp = *p;
            else *p = w.temp;
        } else if (double* r = real_field(w, key)) {
            if (to_temp) w.temp.s1 = *r;
            else *r = w.temp.s1;
        } else if (key == "scale") {
            if (to_temp) w.temp.s1 = w.scale;
            else w.scale = static_cast<int32_t>(Round(w.temp.s1));
        }
    }
    return true;
}

}  // namespace

bool copy2tempSimple(const std::string& key, uint16_t profile) { return copy_column(key, profile, true); }
bool temp2copySimple(const std::string& key, uint16_t profile) { return copy_column(key, profile, false); }

bool czy_sa_dane(uint16_t profile, const std::string& what) {
    const model_state& m = model();
    if (profile >= m.profiles.size()) return false;
    const odcinek& p = m.profiles[profile];
    if (p.nodes.size() < 2) return false;
    const double e = m.empty_value;
    auto both_set = [e](const value_pair& v) { return v.s1 != e && v.s2 != e; };
    if (what == "linia" || what == "linia2") {
        const bool first_line = what == "linia";
        for (std::size_t i = 0; i + 1 < p.nodes.size(); ++i) {
            const value_pair& a = first_line ? p.nodes[i].lin_used : p.nodes[i].lin2_used;
            const value_pair& b = first_line ? p.nodes[i + 1].lin_used : p.nodes[i + 1].lin2_used;
            if (both_set(a) && both_set(b)) return true;
        }
        return false;
    }
    if (what == "teren_proj") {
        for (std::size_t i = 1; i < p.nodes.size(); ++i) {
            const wezel& w = p.nodes[i];
            if (!both_set(w.terp_used)) continue;
            if (w.ter_used.s1 != w.terp_used.s1 || p.nodes[i - 1].ter_used.s2 != p.nodes[i - 1].terp_used.s2)
                return true;
        }
        return false;
    }
    if (what == "kat")
        return std::any_of(p.nodes.begin(), p.nodes.end(), [](const wezel& w) { return w.kat != 0; });
    if (what == "skala")
        return std::any_of(p.nodes.begin(), p.nodes.end(), [](const wezel& w) { return w.scale != 0; });
    return false;
}
