#include "model/messages.h"
#include "model/project.h"

#include <algorithm>

#include "model/state.h"
#include "platform/sysutils.h"

uint16_t max_id(uint16_t profile) {
    uint16_t m = 0;
    for (const wezel& w : model().profiles.at(profile).nodes) m = std::max(m, w.id);
    return m;
}

uint16_t next_node_id(uint16_t profile) {
    const uint16_t m = max_id(profile);
    if (m == 65535)
        throw Exception(msg("msg_NodeIdsUsedUp",
                            "Nie można dodać węzła: profil ma już węzeł o identyfikatorze 65535, największym możliwym."_cp));
    return static_cast<uint16_t>(m + 1);
}

uint16_t profil_id2idx(uint16_t id) {
    const auto& p = model().profiles;
    for (std::size_t i = 0; i < p.size(); ++i)
        if (p[i].idp == id) return static_cast<uint16_t>(i);
    return not_found16;
}

uint16_t znajdz_wezel_przed_odl(uint16_t profile, double chainage) {
    const auto& nodes = model().profiles.at(profile).nodes;
    if (nodes.empty() || chainage > nodes.back().odl) return not_found16;
    for (std::size_t i = 1; i < nodes.size(); ++i)
        if (nodes[i].odl > chainage) return static_cast<uint16_t>(i - 1);
    return not_found16;
}

void czysty_wezel(wezel& w) {
    const uint16_t id = w.id;
    w = wezel{};
    w.id = id;
    const double e = model().empty_value;
    w.ter = w.ter_used = w.terp = w.terp_used = value_pair(e);
    w.lin_used = w.lin2_used = value_pair(e);
    w.tidx = -1;
    w.object_index = -1;
    w.series_index = -1;
    w.size_index = -1;
}

uint16_t next_profile_id() {
    uint16_t highest = 0;
    for (const odcinek& p : model().profiles) highest = std::max(highest, p.idp);
    if (highest == 65535)
        throw Exception(msg("msg_ProfileIdsUsedUp", "Nie można dodać profilu: wykorzystano wszystkie identyfikatory profili."_cp));
    return static_cast<uint16_t>(highest + 1);
}

uint16_t prof_kreator(uint16_t position, const std::string& name, bool append, bool refresh_tabs) {
    auto& profiles = model().profiles;
    const std::size_t index = append ? profiles.size() : static_cast<std::size_t>(position) + 1;
    const uint16_t id = next_profile_id();

    // A profile put between others starts as a copy of the one it displaces
    // (its display settings stay); one at the end starts from zero.
    if (index >= profiles.size()) {
        profiles.emplace_back();
    } else {
        const odcinek displaced = profiles[index];
        profiles.insert(profiles.begin() + static_cast<std::ptrdiff_t>(index), displaced);
        int16_t& main = model().project.main_profile;
        if (main >= 0 && static_cast<std::size_t>(main) >= index) ++main;
    }
    view().profile_count_changed(profiles.size());

    odcinek& p = profiles[index];
    p.idp = id;
    p.nazwa = name;
    p.scheme_text.clear();
    p.startX = 0;
    p.startY = 0;
    p.crossing_source = 0;
    p.terrain_edited = false;
    p.main_typosz_id = -1;
    p.networktype = 'i';
    p.ordinates.clear();
    p.nodes.clear();
    p.casings.clear();
    p.crossings.clear();
    p.sections.clear();
    p.bill.clear();
    p.tanks.clear();
    p.terrain_descriptions.clear();
    p.boundaries.clear();

    view().czysc_dane();
    if (refresh_tabs) view().tabs_odswiez(static_cast<int>(index));
    return static_cast<uint16_t>(index);
}

node_place znajdz_wezel(const std::string& name, bool own_profile_too, int own_profile, int own_node) {
    const auto& profiles = model().profiles;
    for (std::size_t p = 0; p < profiles.size(); ++p) {
        const int pi = static_cast<int>(p);
        if (pi == own_profile && !own_profile_too) continue;
        const auto& nodes = profiles[p].nodes;
        for (std::size_t n = 0; n < nodes.size(); ++n)
            if (nodes[n].wez == name && !(pi == own_profile && static_cast<int>(n) == own_node))
                return {pi, static_cast<int>(n)};
    }
    return {};
}
