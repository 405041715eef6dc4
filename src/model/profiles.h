// Operations on the set of profiles and on whole profiles: deleting one,
// resetting the project to one empty profile, tab captions, reversing,
// duplicating, splitting, joining and moving profiles, the node
// predicates of the route import and cell editing, inserting a blank node
// and the silent delete of an annotation. The main profile mark and the
// undo entries stay on their profile through all of them.
#pragma once

#include <cstdint>
#include <string>

// The six kinds of annotations a profile carries, each bound to a node id.
enum class annotation_kind { crossing, casing, section, terrain_description, boundary, ordinate };

// Removes annotation `index` of the kind from the profile without asking;
// the later ones move one place forward. An index past the list does nothing.
void usun_adnotacje(annotation_kind kind, uint16_t profile, int index);

// Deletes a profile, asking first unless forced; the project keeps at least
// one profile. References to the profile's id (sump links, crossing links)
// and its undo entries go with it. True when deleted.
bool profile_delete(uint16_t profile, bool force, bool rebuild_tabs);
// Resets the project to one empty profile.
void kasowanie_profili(bool rebuild_tabs);
// The tab caption: "[+]" or "[-]" by inclusion, inside brackets for the main
// profile, a blank and the name.
void tabs_name_create(uint16_t profile, std::string& out);
std::string tabs_name_create(uint16_t profile);

// Reverses the order of the profile's nodes, keeping every value in its
// physical place.
void odwroc_kolejnosc(uint16_t profile);
// Every annotation bound to a node gets the node's chainage as its copy.
void odswiez_odl(uint16_t profile);
// Inserts a copy of the profile right after it, with a new id and name;
// returns its index.
uint16_t profil_duplikuj(uint16_t source, bool rebuild_tabs);
// Splits the profile at an inner node into two profiles that share it.
// True when it split.
bool profil_podziel(uint16_t profile, int node, bool recalculate, bool annotations);
// Appends the source's nodes and annotations to the target. False when
// nothing was joined (a profile without nodes, or ids that would pass 65535).
bool profil_polacz(uint16_t target, uint16_t source, bool recalculate, bool delete_source);
// Moves a profile to another position of the profile order.
void profil_przenies(uint16_t from, uint16_t to);

// Whether some profile of more than two nodes has an inner node of that name.
bool czy_wezel_wewn(const std::string& name);
// Whether the two nodes lie at the same plan point, all four coordinates
// being non-zero.
bool czy_wezly_takie_same_wspl(int profile_a, int profile_b, int node_a, int node_b);

// Adds a blank node to the current profile: at the end with `append` (or
// when the profile is empty), else before the node of the main table's
// current row; fills its defaults and recalculates. Returns its index.
int wstaw(bool append);
