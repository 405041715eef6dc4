// Recalculation of a profile after a change: lengths and angles from plan
// coordinates, chainages, design-terrain defaults, the terrain, line and pipe
// ordinates in use, then per node the pipe ordinate, depth and slope by the
// value the profile keeps, the depth below terrain, the trench width,
// automatic names and materials. Beside it: the automatic defaults of a node,
// the next automatic node name and the deflection angle of two segments.
// The calculation reads the live controls of the settings dialog and, for
// the current profile, of the main window's side panel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "model/terrain.h"

// The per-profile modes of the calculation. The current profile takes them
// from the side panel, which shows it; any other profile from its own
// settings, so that recalculating it never overwrites what was entered.
struct profile_modes {
    uint8_t distance = 0;             // 0 lengths entered, 1 chainages entered
    uint8_t kept = 0;                 // 0 pipe ordinate, 1 depth, 2 slope, 3 all
    uint8_t reference = 0;            // pipe level referred to: 0 bottom, 1 axis, 2 top
    bool terrain_from_depth = false;  // with depth kept, the terrain follows (current profile only)
};
profile_modes recalculation_modes(uint16_t profile);

// Where the recalculation finds the run that a profile's named first node
// starts on: the inner nodes (neither first nor last) of the project's
// profiles of more than two nodes, for the names that first nodes bear. The
// first look-up gathers the names the first nodes bear then, a later one
// any other name it asks for; przelicz adds the names it gives. One index
// serves one run of recalculations over the project (the drawing's, say),
// during which nothing else renames, adds or removes nodes; without one,
// przelicz searches every profile.
class node_name_index {
public:
    // The last inner node named `name` (by profile, then by node) of a
    // profile other than `profile`; false when there is none.
    bool find(const std::string& name, uint16_t profile, std::size_t& other, std::size_t& node);
    // Node `node` of the profile has been given the name.
    void named(uint16_t profile, std::size_t node, const std::string& name);

private:
    // The last node of a name, and the last one in another profile.
    struct hits {
        std::ptrdiff_t profile = -1;
        std::ptrdiff_t node = -1;
        std::ptrdiff_t other_profile = -1;
        std::ptrdiff_t other_node = -1;
        void add(std::ptrdiff_t p, std::ptrdiff_t n);
    };
    using hits_by_name = std::unordered_map<std::string, hits>;
    // Adds the inner nodes of the project that bear one of the names.
    static void gather(hits_by_name& names);

    bool built_ = false;
    hits_by_name hits_;
};

// Recalculates the profile for a changed column (its position in the user's
// column order, all_columns for every column); refreshes the main table when
// the profile is the current one. Always true. A setting text that does not
// convert raises EConvertError. With `names`, the first node's name is looked
// up there instead of in every profile; the results are the same.
bool przelicz(uint16_t profile, bool refresh, uint8_t column);
bool przelicz(uint16_t profile, bool refresh, uint8_t column, node_name_index& names);

// Fills the empty slope, material, diameter and trench width of a node from
// the automatic defaults, for a changed column (all_columns for every one);
// `force` takes the setting's value instead of the previous node's.
void autouzupelnianie(uint16_t profile, int node, uint8_t column, bool force);

// The prefix followed by the next free number among the node names of the
// current profile (of the whole project with one numbering for the project),
// at most 9 characters.
std::string inkrem(const std::string& prefix);

// The signed deflection angle in degrees between the segments a-b and b-c
// (the two turning directions give opposite signs, a straight run 0);
// `factor` -1 reverses the first segment. Two coincident points give 0.
double kat_skalarny(const plan_point& a, const plan_point& b, const plan_point& c, int8_t factor);

// True when the project holds at most one profile or every profile refers
// its pipe ordinates to the same level.
bool takie_same_odniesienia_rzednej_rury();
