#include "model/profiles.h"

#include <algorithm>
#include <set>
#include <unordered_map>
#include <vector>

#include "model/messages.h"
#include "model/names.h"
#include "model/objects.h"
#include "model/project.h"
#include "model/recalculation.h"
#include "model/state.h"
#include "model/sumps.h"
#include "model/tanks.h"
#include "model/warnings.h"
#include "platform/forms.h"
#include "platform/sysutils.h"

namespace {

// Calls `f` with each annotation list of the profile, in the order
// crossings, casing pipes, cross-sections, terrain descriptions,
// plot-boundary marks, additional ordinates, with the list's kind.
template <class F>
void for_each_annotation_list(odcinek& p, F&& f) {
    f(annotation_kind::crossing, p.crossings);
    f(annotation_kind::casing, p.casings);
    f(annotation_kind::section, p.sections);
    f(annotation_kind::terrain_description, p.terrain_descriptions);
    f(annotation_kind::boundary, p.boundaries);
    f(annotation_kind::ordinate, p.ordinates);
}

template <class T>
void erase_at(std::vector<T>& list, int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < list.size()) list.erase(list.begin() + index);
}

// The index a profile at `index` gets when the profile at `from` moves to `to`.
int moved_index(int index, int from, int to) {
    if (index == from) return to;
    if (from < to && index > from && index <= to) return index - 1;
    if (to < from && index >= to && index < from) return index + 1;
    return index;
}

// The hourglass for the time of a long operation.
class hourglass {
public:
    hourglass() : saved_(Screen::Cursor()) { Screen::SetCursor(TCursor::crHourGlass); }
    ~hourglass() { release(); }
    // The cursor of before, now.
    void release() {
        if (released_) return;
        released_ = true;
        Screen::SetCursor(saved_);
    }
    hourglass(const hourglass&) = delete;
    hourglass& operator=(const hourglass&) = delete;

private:
    TCursor saved_;
    bool released_ = false;
};

// The profile id of a link text; -1 when it has none.
int link_profile_id(const std::string& link) {
    int id = 0;
    const std::size_t bar = link.find('|');
    if (bar == std::string::npos || !TryStrToInt(link.substr(0, bar), id)) return -1;
    return id;
}

// Rewrites each link of every sump through `f` (which returns the new link,
// or an empty text to drop it); a list that nothing changes keeps its text.
template <class F>
void rewrite_sump_links(F&& f) {
    for (mat_studzienka& s : model().project.sumps) {
        std::vector<std::string> links = split_links(s.connections);
        bool changed = false;
        std::vector<std::string> kept;
        for (const std::string& link : links) {
            const std::string now = f(link);
            changed = changed || now != link;
            if (!now.empty()) kept.push_back(now);
        }
        if (changed) s.connections = join_links(kept);
    }
}

// Nothing refers to a profile id that no profile carries any more: the
// sumps' links to its nodes, the crossings linked to its nodes and its undo
// and redo entries go.
void forget_profile_id(uint16_t id) {
    model_state& m = model();
    if (profil_id2idx(id) != not_found16) return;
    rewrite_sump_links([id](const std::string& link) { return link_profile_id(link) == id ? std::string() : link; });
    for (odcinek& p : m.profiles)
        for (kolizja& c : p.crossings)
            if (c.twin_profile_id == id) {
                c.twin_profile_id = 0;
                c.twin_node_id = 0;
                c.twin_distance = 0;
            }
    std::erase_if(m.undo_list, [id](const tundo& e) { return e.profile_id == id; });
    std::erase_if(m.redo_list, [id](const tundo& e) { return e.profile_id == id; });
}

// The node ids of nodes [first, last) of a profile.
std::set<uint16_t> ids_of(const std::vector<wezel>& nodes, std::size_t first, std::size_t last) {
    std::set<uint16_t> ids;
    for (std::size_t i = first; i < last; ++i) ids.insert(nodes[i].id);
    return ids;
}

// Before a split at node `cut`: every annotation lying in one part but bound
// to a node of the other is bound to the node that begins its segment.
void rebind_across_cut(uint16_t profile, int cut, const std::set<uint16_t>& first, const std::set<uint16_t>& second) {
    odswiez_odl(profile);
    odcinek& p = model().profiles[profile];
    const double at = p.nodes[static_cast<std::size_t>(cut)].odl;
    for_each_annotation_list(p, [&](annotation_kind, auto& list) {
        for (auto& a : list) {
            const double position = a.chainage + a.distance;
            const bool misplaced =
                (position < at && !first.count(a.node_id)) || (position > at && !second.count(a.node_id));
            if (!misplaced) continue;
            const uint16_t k = znajdz_wezel_przed_odl(profile, position);
            if (k == not_found16) continue;
            const wezel& w = p.nodes[k];
            a.node_id = w.id;
            a.distance = position - w.odl;
            a.chainage = w.odl;
        }
    });
}

// Removes the tank records and annotations of the profile that are bound
// to no node of `ids`, from the last to the first.
void keep_only_bound_to(uint16_t profile, const std::set<uint16_t>& ids) {
    odcinek& p = model().profiles[profile];
    for (std::size_t i = p.tanks.size(); i-- > 0;)
        if (!ids.count(p.tanks[i].adds.node_id)) usun_osadnik(profile, -1, static_cast<int>(i));
    for_each_annotation_list(p, [&](annotation_kind kind, auto& list) {
        for (std::size_t i = list.size(); i-- > 0;)
            if (!ids.count(list[i].node_id)) usun_adnotacje(kind, profile, static_cast<int>(i));
    });
}

// Appends a copy of every entry, its node id taken through the map.
template <class T, class Map>
void append_mapped(std::vector<T>& to, const std::vector<T>& from, const Map& mapped) {
    const std::vector<T> copy = from;  // the same list when a profile is joined to itself
    for (T entry : copy) {
        entry.node_id = mapped(entry.node_id);
        to.push_back(std::move(entry));
    }
}

// After a join: the sump links and crossing links that named a node of the
// source name the node's copy in the target.
template <class Map>
void follow_moved_nodes(uint16_t source_id, uint16_t target_id, const Map& mapped) {
    rewrite_sump_links([&](const std::string& link) {
        const std::size_t bar = link.find('|');
        int node = 0;
        if (link_profile_id(link) != source_id || !TryStrToInt(link.substr(bar + 1), node)) return link;
        const uint16_t id = mapped(static_cast<uint16_t>(node));
        return id ? IntToStr(target_id) + "|" + IntToStr(id) : link;
    });
    for (odcinek& p : model().profiles)
        for (kolizja& c : p.crossings) {
            if (c.twin_profile_id != source_id) continue;
            if (const uint16_t id = mapped(c.twin_node_id)) {
                c.twin_profile_id = target_id;
                c.twin_node_id = id;
            }
        }
}

}  // namespace

void usun_adnotacje(annotation_kind kind, uint16_t profile, int index) {
    odcinek& p = model().profiles.at(profile);
    switch (kind) {
        case annotation_kind::crossing: erase_at(p.crossings, index); break;
        case annotation_kind::casing: erase_at(p.casings, index); break;
        case annotation_kind::section: erase_at(p.sections, index); break;
        case annotation_kind::terrain_description: erase_at(p.terrain_descriptions, index); break;
        case annotation_kind::boundary: erase_at(p.boundaries, index); break;
        case annotation_kind::ordinate: erase_at(p.ordinates, index); break;
    }
    set_project_modified(true);
}

bool profile_delete(uint16_t profile, bool force, bool rebuild_tabs) {
    model_state& m = model();
    auto& profiles = m.profiles;
    if (profiles.size() < 2) {
        const std::string refusal =
            msg("msg_LastProfileDeleteError",
                "Projekt musi zawierać przynajmniej jeden profil.%sWybrany profil nie zostanie usunięty."_cp);
        MessageBox(format_language_text(refusal, {"\r\n"}), MB_OK);
        return false;
    }
    if (profile >= profiles.size()) return false;
    if (!force) {
        const std::string question = format_language_text(
            msg("msg_ProfileDeleteQuestion", "Czy na pewno usunąć profil: %s\"%s\"?"_cp), {"\r\n", profiles[profile].nazwa});
        if (MessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
    }
    const uint16_t id = profiles[profile].idp;
    profiles.erase(profiles.begin() + profile);
    forget_profile_id(id);
    set_project_modified(true);

    int16_t& main = m.project.main_profile;
    if (main == profile) main = -1;
    else if (main > profile) --main;

    const int tab = m.current_profile;
    if (m.current_profile >= profiles.size()) m.current_profile = static_cast<uint16_t>(profiles.size() - 1);
    view().profile_count_changed(profiles.size());
    if (rebuild_tabs) view().tabs_odswiez(tab);
    return true;
}

void kasowanie_profili(bool rebuild_tabs) {
    model_state& m = model();
    view().czysc_dane();
    m.undo_list.clear();
    m.redo_list.clear();

    if (m.profiles.empty()) m.profiles.emplace_back();
    m.profiles.erase(m.profiles.begin() + 1, m.profiles.end());
    odcinek& p = m.profiles.front();
    // The number is taken while the profile still carries its former name.
    const std::string name = "profil" + IntToStr(new_profil_number("profil"));
    p.idp = 1;
    p.nazwa = name;
    p.poziom_wart = 0;
    p.poziom = false;
    p.rysuj = true;
    p.main_typosz_id = -1;
    p.networktype = 'i';
    p.crossing_source = 1;
    p.terrain_edited = false;
    p.nodes.clear();
    p.casings.clear();
    p.crossings.clear();
    p.sections.clear();
    p.terrain_descriptions.clear();
    p.boundaries.clear();
    p.ordinates.clear();
    p.tanks.clear();
    m.current_profile = 0;
    m.project.main_profile = -1;
    view().profile_count_changed(1);
    view().odswiez_dane(0, false);

    m.project.sumps.clear();
    m.project.pipe_series.clear();
    error_del('a');

    m.project.dane = projekt_dane{};
    view().project_data_cleared();

    if (rebuild_tabs) view().tabs_odswiez(0);
}

void tabs_name_create(uint16_t profile, std::string& out) {
    const model_state& m = model();
    const odcinek& p = m.profiles.at(profile);
    std::string mark = p.rysuj ? "[+]" : "[-]";
    if (m.project.main_profile == profile) mark = "[" + mark + "]";
    out = mark + " " + p.nazwa;
}

std::string tabs_name_create(uint16_t profile) {
    std::string s;
    tabs_name_create(profile, s);
    return s;
}

void odwroc_kolejnosc(uint16_t profile) {
    odcinek& p = model().profiles.at(profile);
    auto& nodes = p.nodes;
    const std::size_t n = nodes.size();
    if (n == 0) return;
    hourglass busy;
    set_project_modified(true);

    const double first = nodes.front().odl;
    const double last = nodes.back().odl;
    std::reverse(nodes.begin(), nodes.end());
    for (wezel& w : nodes) {
        for (value_pair wezel::*pair : {&wezel::ter, &wezel::ter_used, &wezel::terp, &wezel::terp_used, &wezel::lin,
                                        &wezel::lin_used, &wezel::lin2, &wezel::lin2_used, &wezel::dno, &wezel::zag})
            std::swap((w.*pair).s1, (w.*pair).s2);
        // Mirrored within the profile's former range: it still begins where it began.
        w.odl = first + last - w.odl;
    }

    // A segment's values stand at its first node, which is now its other end.
    for (std::size_t k = 0; k + 1 < n; ++k) {
        const wezel& from = nodes[k + 1];
        wezel& to = nodes[k];
        to.spad = -from.spad;
        to.dlug = from.dlug;
        to.mat = from.mat;
        to.fi = from.fi;
    }

    // An element that occupied the segment after its node occupies it again.
    for (std::size_t k = 1; k + 1 < n; ++k) {
        wezel& w = nodes[k];
        if (!has_treatment_code(w.obiekt) && !jest_obiekt2(w.obiekt, "osadnikopodobne")) continue;
        const int record = znajdz_obiekt(profile, static_cast<int>(k));
        if (record >= 0) p.tanks[static_cast<std::size_t>(record)].adds.node_id = nodes[k - 1].id;
        std::swap(w.obiekt, nodes[k - 1].obiekt);
        std::swap(w.wez, nodes[k - 1].wez);
        std::swap(w.kom, nodes[k - 1].kom);
    }

    for (granica_opis& b : p.boundaries) {
        b.distance = -b.distance;
        std::swap(b.left_text, b.right_text);
    }
    for (rzedne_npm& o : p.ordinates) {
        o.distance = -o.distance;
        std::swap(o.ordinate.s1, o.ordinate.s2);
    }
    for (teren_opis& t : p.terrain_descriptions) t.distance = -t.distance - t.length;
    for (oslonowa& c : p.casings) c.distance = -c.distance - c.length;
    for (kolizja& c : p.crossings) c.distance = -c.distance;
    for (przekroj& s : p.sections) s.distance = -s.distance;
    view().odswiez_kolizje(profile);

    p.pl2r_wart = !p.pl2r_wart;
    view().show_flow_direction(profile);

    przelicz(profile, true, all_columns);
    odswiez_odl(profile);
    busy.release();
    view().redraw_preview();
}

void odswiez_odl(uint16_t profile) {
    odcinek& p = model().profiles.at(profile);
    if (p.nodes.empty()) return;
    std::unordered_map<uint16_t, double> chainage;
    for (const wezel& w : p.nodes) chainage[w.id] = w.odl;
    for_each_annotation_list(p, [&](annotation_kind, auto& list) {
        for (auto& a : list) {
            const auto it = chainage.find(a.node_id);
            if (it != chainage.end()) a.chainage = it->second;
        }
    });
}

uint16_t profil_duplikuj(uint16_t source, bool rebuild_tabs) {
    model_state& m = model();
    auto& profiles = m.profiles;
    const uint16_t id = next_profile_id();
    odcinek copy = profiles.at(source);
    copy.idp = id;
    copy.nazwa = "profil" + IntToStr(new_profil_number("profil"));
    copy.startX = 0;
    copy.startY = 0;
    copy.scheme_text.clear();
    copy.bill.clear();
    copy.crossing_source = 0;
    copy.terrain_edited = false;
    const std::size_t index = static_cast<std::size_t>(source) + 1;
    profiles.insert(profiles.begin() + static_cast<std::ptrdiff_t>(index), std::move(copy));
    int16_t& main = m.project.main_profile;
    if (main >= 0 && static_cast<std::size_t>(main) >= index) ++main;
    set_project_modified(true);

    view().profile_count_changed(profiles.size());
    view().czysc_dane();
    if (rebuild_tabs) view().tabs_odswiez(m.current_profile);
    return static_cast<uint16_t>(index);
}

bool profil_podziel(uint16_t profile, int node, bool recalculate, bool annotations) {
    model_state& m = model();
    const int n = static_cast<int>(m.profiles.at(profile).nodes.size());
    const bool splits = node > 0 && node < n - 1;
    uint16_t second = profile;
    if (splits) {
        const auto cut = static_cast<std::size_t>(node);
        const std::set<uint16_t> first_ids = ids_of(m.profiles[profile].nodes, 0, cut);
        const std::set<uint16_t> second_ids = ids_of(m.profiles[profile].nodes, cut, static_cast<std::size_t>(n));
        if (annotations) rebind_across_cut(profile, node, first_ids, second_ids);

        second = profil_duplikuj(profile, false);
        odcinek& a = m.profiles[profile];
        odcinek& b = m.profiles[second];
        a.nodes.erase(a.nodes.begin() + node + 1, a.nodes.end());
        b.nodes.erase(b.nodes.begin(), b.nodes.begin() + node);
        const double start = b.nodes.front().odl;
        for (wezel& w : b.nodes) w.odl -= start;

        wezel& end = a.nodes.back();
        if (end.ter.s1 == 0) end.ter.s1 = end.ter_used.s1;
        if (end.ter.s2 == 0) end.ter.s2 = end.ter.s1;
        end.kat = 0;
        wezel& begin = b.nodes.front();
        if (begin.ter.s2 == 0) begin.ter.s2 = begin.ter_used.s2;
        if (begin.ter.s1 == 0) begin.ter.s1 = begin.ter.s2;

        if (annotations) {
            keep_only_bound_to(profile, first_ids);
            keep_only_bound_to(second, second_ids);
        }
        odswiez_odl(second);
        set_project_modified(true);
    }
    if (recalculate) {
        przelicz(profile, true, all_columns);
        if (splits) {
            przelicz(second, true, all_columns);
            odswiez_odl(second);
        }
    }
    return splits;
}

bool profil_polacz(uint16_t target, uint16_t source, bool recalculate, bool delete_source) {
    model_state& m = model();
    auto& profiles = m.profiles;
    if (target >= profiles.size() || source >= profiles.size()) return false;
    if (profiles[target].nodes.empty() || profiles[source].nodes.empty()) return false;

    // A copy: a profile joined to itself appends its nodes as they were before.
    const std::vector<wezel> from = profiles[source].nodes;
    const std::size_t last = profiles[target].nodes.size() - 1;
    const wezel& target_end = profiles[target].nodes[last];
    const bool shared =
        (!from.front().wez.empty() && from.front().wez == target_end.wez) ||
        (from.front().wez.empty() && target_end.wez.empty() &&
         czy_wezly_takie_same_wspl(target, source, static_cast<int>(last), 0));
    const std::size_t begin = shared ? 1 : 0;
    const uint16_t highest = max_id(target);
    if (highest + (from.size() - begin) > 65535) {
        MessageBox(msg("msg_ProfileJoinIdLimit",
                       "Nie można dołączyć profilu: dołączone węzły otrzymałyby identyfikatory większe niż 65535."_cp),
                   MB_OK);
        return false;
    }

    set_project_modified(true);
    m.scratch.Clear();
    const auto mapped = [&m](uint16_t old) -> uint16_t {
        int id = 0;
        return TryStrToInt(m.scratch.Values(Format("%.5d", {old})), id) ? static_cast<uint16_t>(id) : 0;
    };
    if (from.size() > begin) {
        odcinek& a = profiles[target];
        wezel& end = a.nodes[last];
        if (shared) {
            const wezel& joint = from.front();
            m.scratch.Add(Format("%.5d=%.5d", {joint.id, end.id}));
            if (end.kat == 0) end.kat = joint.kat;
            end.dlug = joint.dlug;
            end.spad = joint.spad;
            end.mat = joint.mat;
            end.fi = joint.fi;
            end.dno.s2 = joint.dno.s2;
        }
        const double base = end.odl + end.dlug;
        const double origin = from[begin].odl;
        for (std::size_t i = begin; i < from.size(); ++i) {
            wezel w = from[i];
            const auto id = static_cast<uint16_t>(highest + (i - begin) + 1);
            m.scratch.Add(Format("%.5d=%.5d", {w.id, id}));
            w.id = id;
            w.odl = base + (from[i].odl - origin);
            a.nodes.push_back(std::move(w));
        }

        const odcinek& b = profiles[source];
        append_mapped(a.crossings, b.crossings, mapped);
        append_mapped(a.casings, b.casings, mapped);
        append_mapped(a.sections, b.sections, mapped);
        append_mapped(a.terrain_descriptions, b.terrain_descriptions, mapped);
        append_mapped(a.boundaries, b.boundaries, mapped);
        append_mapped(a.ordinates, b.ordinates, mapped);
        const std::vector<mat_osadnik> tanks = b.tanks;
        for (mat_osadnik t : tanks) {
            t.adds.node_id = mapped(t.adds.node_id);
            a.tanks.push_back(std::move(t));
        }
        if (target != source) follow_moved_nodes(b.idp, a.idp, mapped);
    }

    uint16_t shown = target;
    if (target != source) {
        if (delete_source) {
            profile_delete(source, true, false);
            if (source < target) --shown;
            m.current_profile = shown;
            view().tabs_odswiez(shown);
        } else {
            profiles[source].nodes.clear();
        }
    }
    if (recalculate) {
        przelicz(shown, true, all_columns);
        odswiez_odl(shown);
        view().koloruj_kolumny();
    }
    return true;
}

void profil_przenies(uint16_t from, uint16_t to) {
    model_state& m = model();
    auto& profiles = m.profiles;
    if (from >= profiles.size() || to >= profiles.size() || from == to) return;
    odcinek moved = std::move(profiles[from]);
    profiles.erase(profiles.begin() + from);
    profiles.insert(profiles.begin() + to, std::move(moved));
    set_project_modified(true);
    int16_t& main = m.project.main_profile;
    if (main >= 0 && static_cast<std::size_t>(main) < profiles.size())
        main = static_cast<int16_t>(moved_index(main, from, to));
    m.current_profile = static_cast<uint16_t>(moved_index(m.current_profile, from, to));
}

bool czy_wezel_wewn(const std::string& name) {
    for (const odcinek& p : model().profiles) {
        if (p.nodes.size() <= 2) continue;
        for (std::size_t j = 1; j + 1 < p.nodes.size(); ++j)
            if (p.nodes[j].wez == name) return true;
    }
    return false;
}

bool czy_wezly_takie_same_wspl(int profile_a, int profile_b, int node_a, int node_b) {
    const auto& profiles = model().profiles;
    const auto exists = [&](int p, int n) {
        return p >= 0 && static_cast<std::size_t>(p) < profiles.size() && n >= 0 &&
               static_cast<std::size_t>(n) < profiles[static_cast<std::size_t>(p)].nodes.size();
    };
    if (!exists(profile_a, node_a) || !exists(profile_b, node_b)) return false;
    const wezel& a = profiles[static_cast<std::size_t>(profile_a)].nodes[static_cast<std::size_t>(node_a)];
    const wezel& b = profiles[static_cast<std::size_t>(profile_b)].nodes[static_cast<std::size_t>(node_b)];
    if (a.wsplx == 0 || a.wsply == 0 || b.wsplx == 0 || b.wsply == 0) return false;
    return a.wsplx == b.wsplx && a.wsply == b.wsply;
}

int wstaw(bool append) {
    view().finish_cell_edit();
    model_state& m = model();
    const uint16_t profile = m.current_profile;
    auto& nodes = m.profiles.at(profile).nodes;
    // The ids count from 1: a first node still on 0 takes 1 before the new one is numbered.
    if (!nodes.empty() && nodes.front().id == 0) nodes.front().id = 1;
    wezel w;
    czysty_wezel(w);
    w.id = next_node_id(profile);
    const int count = static_cast<int>(nodes.size());
    const bool at_end = append || count == 0;
    const int index = at_end ? count : std::clamp(view().current_node(), 0, count);
    nodes.insert(nodes.begin() + index, std::move(w));
    set_project_modified(true);
    view().node_inserted(index, at_end);
    autouzupelnianie(profile, index, all_columns, nodes.size() == 1);
    view().koloruj_kolumny();
    przelicz(profile, true, static_cast<uint8_t>(m.position_of(column_kind::ter)));
    view().koloruj_komorki(index, index);
    return index;
}
