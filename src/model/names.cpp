#include "model/names.h"

#include "model/messages.h"
#include "model/state.h"
#include "platform/sysutils.h"

namespace {
const wezel& node_of(uint16_t profile, int node) {
    return model().profiles.at(profile).nodes.at(static_cast<std::size_t>(node));
}
}  // namespace

void tworz_nazwe_wezla(uint16_t profile, int node, std::string& out) {
    const wezel& w = node_of(profile, node);
    if (!w.wez.empty() || !w.kom.empty()) out = w.wez + " - " + w.kom;
    else out = Format("%s: %f m", {model().column_titles[static_cast<std::size_t>(index_of(column_kind::odl))], w.odl});
}

std::string tworz_nazwe_wezla(uint16_t profile, int node) {
    std::string s;
    tworz_nazwe_wezla(profile, node, s);
    return s;
}

void tworz_nazwe_wezla_short(uint16_t profile, int node, std::string& out) {
    const wezel& w = node_of(profile, node);
    out = !w.wez.empty() ? w.wez : Format("%d.%d", {model().profiles[profile].idp, w.id});
}

void tworz_nazwe_wezla_short_new(uint16_t profile, int node, std::string& out) {
    const wezel& w = node_of(profile, node);
    out = !w.wez.empty() ? w.wez : Format("%.2f", {w.odl});
}

void tworz_liste_wezlow(uint16_t profile, std::string& out) {
    out.clear();
    const auto& nodes = model().profiles.at(profile).nodes;
    for (std::size_t i = 0; i < nodes.size(); ++i) out += tworz_nazwe_wezla(profile, static_cast<int>(i)) + "\r\n";
}

void tworz_liste_profili(bool all_marked, std::string& out) {
    const auto& profiles = model().profiles;
    for (const odcinek& p : profiles) out += p.nazwa + "\r\n";
    if (all_marked && profiles.size() > 1) out += msg("msg_AllMarkedProfiles", "wszystkie zaznaczone profile") + "\r\n";
}

uint16_t new_profil_number(const std::string& prefix) {
    const auto& profiles = model().profiles;
    for (uint16_t n = 1; n < 255; ++n) {
        const std::string name = prefix + IntToStr(n);
        bool taken = false;
        for (const odcinek& p : profiles)
            if (p.nazwa == name) {
                taken = true;
                break;
            }
        if (!taken) return n;
    }
    return 255;
}
