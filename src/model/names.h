// Display names of nodes, short node identifiers, node and profile lists,
// and the first free number of a new profile name.
#pragma once

#include <cstdint>
#include <string>

// "name - comment" when the node has either; else the chainage column's
// title, ": ", the chainage with two decimals and " m".
void tworz_nazwe_wezla(uint16_t profile, int node, std::string& out);
std::string tworz_nazwe_wezla(uint16_t profile, int node);
// The node name, or "profile id.node id".
void tworz_nazwe_wezla_short(uint16_t profile, int node, std::string& out);
// The node name, or the chainage with two decimals.
void tworz_nazwe_wezla_short_new(uint16_t profile, int node, std::string& out);
// The display names of the profile's nodes, each followed by CR LF.
void tworz_liste_wezlow(uint16_t profile, std::string& out);
// Appends every profile name and CR LF, and with `all_marked` (when there
// are several profiles) the line "all marked profiles".
void tworz_liste_profili(bool all_marked, std::string& out);
// The first number n (from 1, below 255) for which no profile is named
// prefix + n; 255 when 1 to 254 are taken.
uint16_t new_profil_number(const std::string& prefix);
