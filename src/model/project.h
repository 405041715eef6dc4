// Id look-ups, the blank node and the making of a new profile.
#pragma once

#include <cstdint>
#include <string>

#include "model/records.h"

inline constexpr uint16_t not_found16 = 65535;

// The largest node id of the profile; 0 when every id is 0 or there are no nodes.
uint16_t max_id(uint16_t profile);
// The id a new node of the profile gets: the largest plus one. Raises
// Exception when that would pass 65535 (the id 0 means "not attached").
uint16_t next_node_id(uint16_t profile);
// Index of the first profile with that id; 65535 when none.
uint16_t profil_id2idx(uint16_t id);
// The node after which the chainage lies: the node before the first node
// (from the second on) whose chainage is strictly greater; 65535 when the
// chainage is beyond the last node's or the profile has no nodes.
uint16_t znajdz_wezel_przed_odl(uint16_t profile, double chainage);
// Fills the blank values of a new node; the id is left as it was.
void czysty_wezel(wezel& w);
// The id a new profile gets: the largest profile id plus one. Raises
// Exception when no 16-bit id is left.
uint16_t next_profile_id();
// A new profile at `position` + 1 (or at the end with `append`), taking the
// display settings of the profile it displaces; returns its index. Raises
// Exception when no 16-bit profile id is left.
uint16_t prof_kreator(uint16_t position, const std::string& name, bool append, bool refresh_tabs);

// Where a node stands: profile and node index, -1 and -1 for none.
struct node_place {
    int profile = -1;
    int node = -1;
};
// The first node of that name (exact comparison) in profile order, the node
// (own_profile, own_node) itself excepted and the whole own profile unless
// `own_profile_too`.
node_place znajdz_wezel(const std::string& name, bool own_profile_too, int own_profile, int own_node);
