#include "model/flows.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "forms/opcje.h"
#include "model/pairs.h"
#include "model/recalculation.h"
#include "model/state.h"
#include "model/terrain.h"
#include "platform/sysutils.h"

namespace {

// By network letter: 1 where the flow accumulates in the flow direction
// (storm drains, sewers, land drainage), 0 where it accumulates against it.
constexpr uint8_t sums_with_flow[] = {0, 1, 1, 0, 0, 1, 0};

std::size_t outlet_of(const odcinek& p) { return p.sum_forward ? p.nodes.size() - 1 : 0; }

// The connected profile's pipe ordinate at its outlet continues the
// receiving pipe's reference level.
void impose_invert(uint16_t receiving, std::size_t r, uint16_t connected, std::size_t e) {
    model_state& m = model();
    const odcinek& p = m.profiles[receiving];
    odcinek& q = m.profiles[connected];
    const wezel& at = p.nodes[r];
    double kp = p.rzedna;
    double kq = q.rzedna;
    if (LowerCase(at.obiekt) == "trójnik"_cp) kp = kq = 1;
    const double level = fi(receiving, static_cast<int>(r), "s1") * kp / 2000 + at.dno.s2;
    const double extra = object_variable(3, connected, static_cast<int>(e));
    const double value = level - fi(connected, static_cast<int>(e), "s1") * kq / 2000 - extra;
    wezel& w = q.nodes[e];
    const bool level_before = w.dno.s1 == w.dno.s2;
    if (e + 1 == q.nodes.size()) {
        w.dno.s2 = value;
        if (level_before) w.dno.s1 = value;
    } else {
        w.dno.s1 = value;
        if (level_before) w.dno.s2 = value;
    }
}

}  // namespace

uint8_t getflowindex(char letter) {
    const char* at = letter ? std::strchr(network_letters, letter) : nullptr;
    return at ? static_cast<uint8_t>(at - network_letters) : 7;
}

bool przelicz_przeplywy_ustalenie_kierunku_sumowania(uint16_t profile) {
    odcinek& p = model().profiles.at(profile);
    const uint8_t index = getflowindex(p.networktype);
    p.sum_forward = index < 7 ? p.pl2r_wart == (sums_with_flow[index] == 1) : true;
    return p.sum_forward;
}

void przelicz_przeplywy_tylko_suma(uint16_t profile) {
    auto& nodes = model().profiles.at(profile).nodes;
    if (nodes.empty()) return;
    const std::size_t last = nodes.size() - 1;
    if (last == 0) {
        nodes[0].sflow = nodes[0].flow + nodes[0].flow_in;
        return;
    }
    if (model().profiles[profile].sum_forward) {
        nodes[0].sflow = nodes[0].flow + nodes[0].flow_in;
        for (std::size_t i = 1; i < last; ++i) nodes[i].sflow = nodes[i - 1].sflow + nodes[i].flow + nodes[i].flow_in;
        nodes[last].sflow = nodes[last - 1].sflow + nodes[last].flow;
    } else {
        nodes[last].sflow = nodes[last].flow + nodes[last].flow_in;
        for (std::size_t i = last - 1; i >= 1; --i)
            nodes[i].sflow = nodes[i + 1].sflow + nodes[i].flow + nodes[i].flow_in;
        nodes[0].sflow = nodes[1].sflow + nodes[0].flow;
    }
}

namespace {

// The profiles that can flow into `profile` (drawn, with nodes, of its
// network, not itself), by the name of their outlet node, each list in
// profile order. Names, outlets and these properties do not change while
// the flows are summed, so one index serves the whole pass over a profile.
std::unordered_map<std::string, std::vector<uint16_t>> inflows_by_outlet(uint16_t profile) {
    const auto& profiles = model().profiles;
    const odcinek& p = profiles[profile];
    std::unordered_map<std::string, std::vector<uint16_t>> index;
    for (std::size_t qi = 0; qi < profiles.size(); ++qi) {
        const odcinek& other = profiles[qi];
        if (!other.rysuj || other.nodes.empty() || other.networktype != p.networktype || qi == profile) continue;
        const std::string& name = other.nodes[outlet_of(other)].wez;
        if (!name.empty()) index[name].push_back(static_cast<uint16_t>(qi));
    }
    return index;
}

}  // namespace

void przelicz_przeplywy_sumowanie_przylaczy(uint16_t profile, uint16_t caller) {
    model_state& m = model();
    auto& profiles = m.profiles;
    if (profile == caller) m.visited_profiles.clear();
    if (profiles.size() > 1 && !profiles.at(profile).flows_done) {
        const Ttopcje& o = *topcje;
        const auto inflows = inflows_by_outlet(profile);
        for (std::size_t r = 0; r < profiles[profile].nodes.size(); ++r) {
            const auto found = inflows.find(profiles[profile].nodes[r].wez);
            if (found == inflows.end()) continue;
            for (const uint16_t q : found->second) {
                if (std::find(m.visited_profiles.begin(), m.visited_profiles.end(), q) != m.visited_profiles.end())
                    continue;
                const std::size_t e = outlet_of(profiles[q]);

                m.visited_profiles.push_back(profile);
                przelicz_przeplywy_sumowanie_przylaczy(q, profile);
                przelicz_przeplywy_tylko_suma(q);
                profiles[profile].nodes[r].flow_in += profiles[q].nodes[e].sflow;

                const bool main = q == m.project.main_profile;
                if (!main && o.cb_CalculateInvertsAccordToMainSection->Checked() &&
                    !(o.cb_DontCalculateNodeWithManholeObject->Checked() &&
                      LowerCase(profiles[q].nodes[e].obiekt) == "sump"))
                    impose_invert(profile, r, q, e);
                if (!main && o.cb_CalculateTerrainAccordToMainSection->Checked()) {
                    if (!profiles[profile].terrain_edited) przelicz(profile, false, m.position_of(column_kind::ter));
                    const wezel& at = profiles[profile].nodes[r];
                    wezel& w = profiles[q].nodes[e];
                    w.ter = w.ter_used = at.ter_used;
                    w.terp = w.terp_used = at.terp_used;
                }
            }
        }
    }
    profiles.at(profile).flows_done = true;
}

bool przelicz_przeplywy() {
    model_state& m = model();
    const auto count = static_cast<uint16_t>(std::min<std::size_t>(m.profiles.size(), 65535));
    for (uint16_t j = 0; j < count; ++j) {
        for (wezel& w : m.profiles[j].nodes) w.flow_in = 0;
        m.profiles[j].flows_done = false;
        przelicz_przeplywy_ustalenie_kierunku_sumowania(j);
    }
    for (uint16_t j = 0; j < count; ++j) przelicz_przeplywy_sumowanie_przylaczy(j, j);
    // Every profile, so that a trunk that is not the current one shows
    // what it gathered.
    for (uint16_t j = 0; j < count; ++j) przelicz_przeplywy_tylko_suma(j);
    return true;
}
