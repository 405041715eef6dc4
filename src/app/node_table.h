// What the node table and the side panel show of a node, and how a typed
// value goes back: every grid reads a typed value with exactly the offsets
// and the factor it used to show it.
#pragma once

#include <cstdint>
#include <string>

#include "model/columns.h"
#include "model/records.h"
#include "model/utils.h"

// The two grids that show node values.
enum class grid_side { table, panel };

// The levels a grid shows its pipe ordinates and depths at, and the factor
// it shows flows with, read from the settings and the profile panel.
struct cell_display {
    int pipe_reference = 0;   // m: 0 bottom, 1 axis, 2 top of the pipe
    int depth_reference = 0;  // m': 0 when depths are always to the bottom
    int slope_mode = 0;       // 0 %, 1 per mille, 2 reciprocal
    double flow_factor = 1;   // m3/h into the shown unit
};
cell_display display_of(grid_side side);

// A stored pair of the kind as the grid shows it, and a shown pair back as
// stored; d1 and d2 are the diameters (mm) of the pipes before and after
// the node. Kinds without a conversion pass unchanged.
value_pair shown_value(column_kind k, const value_pair& stored, double d1, double d2, const cell_display& d);
value_pair stored_value(column_kind k, const value_pair& shown, double d1, double d2, const cell_display& d);

// A pair as one number when the halves agree to nine decimals, else both
// joined by "/", each half shown by fixed_text (model/utils.h) as zlacz
// shows it.
void pair_text(std::string& out, int decimals, const value_pair& p);

// The text of a kind for a node, as the grid shows it (the formula column
// excepted, which the window expands).
void node_text(std::string& out, uint16_t profile, int node, column_kind k, grid_side side, const cell_display& d);
// The horizontal scale the drawing uses at the node.
int node_scale(uint16_t profile, int node);
