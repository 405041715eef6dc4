// Terrain lines of a profile: preparing a line (existing terrain, design
// terrain, line 1, line 2, pipe ordinate) as an ordered array of points from
// the nodes and the additional ordinates, filling its empty points by
// interpolation and extrapolation and writing them back into the nodes; and
// the ordinate queries at any chainage (terrain, design terrain, pipe
// bottom, drawing position, node at a chainage, bend-arc centre, crossings
// and casing pipes at a node). 11111.0 stands for "no value".
#pragma once

#include <cstdint>

#include "model/columns.h"

// A chainage or ordinate no line answers.
inline constexpr double no_ordinate = 11111.0;
// A chainage that is no node.
inline constexpr uint16_t no_node = 65535;

// Line kinds of przygotuj_linie_terenu.
inline constexpr uint8_t line_terrain = 0;
inline constexpr uint8_t line_pipe = 1;
inline constexpr uint8_t line_1 = 3;
inline constexpr uint8_t line_2 = 4;
inline constexpr uint8_t line_design_terrain = 8;
inline constexpr uint8_t line_volumes = 50;  // existing and design terrain, for the earthwork volumes

// A point of the plan or of the profile (chainage, ordinate).
struct plan_point {
    double x = 0;
    double y = 0;
};

// The pipe bottom at a chainage.
struct bottom_ordinate {
    double ordinate = no_ordinate;  // no_ordinate when the chainage has none
    double segment = 0;             // index of the node that begins the segment
    double slope = 0;               // slope of that segment, with slope_sign applied
};

// Fills model().terrain_work with the line of the kind: one point per node,
// then (except for the pipe ordinate) the profile's additional ordinates of
// that line, sorted by chainage; for the existing terrain, design terrain
// and the two lines the profile's prepared line becomes a copy of it. A
// profile without nodes gives an empty line.
void przygotuj_linie_terenu(uint16_t profile, uint8_t kind);

// Fills the empty points of model().terrain_work between the points `first`
// and `last` and writes the line back into the nodes. `column` is the
// position of the column kind "ter", "terp", "lin", "lin2" or "dno" in the
// user's column order. With `write_entered` the points between the two given
// ones are interpolated whatever they hold and the result is entered (the
// table's interpolation command); pipe ordinates are then interpolated at
// the profile's reference level and the profile is recalculated.
void interpolacja_rzednych_2(uint8_t column, uint16_t profile, int first, int last, bool write_entered);

// The line of the kind prepared and filled over its whole length for the
// column kind (ter, terp, lin, lin2 or dno), as przygotuj_linie_terenu
// followed by interpolacja_rzednych_2 from the first point to the last, but
// a prepared line that the filling writes is written once.
void fill_line(uint16_t profile, uint8_t kind, column_kind column);

// Object variable n of side 1 of a node read as a number (0 for an empty
// text); raises EConvertError when it is not one.
double object_variable(int8_t n, uint16_t profile, int node);

// The existing-terrain (design-terrain) ordinate of the prepared line at a
// chainage; no_ordinate outside the line.
double rzedna_terenu(uint16_t profile, double chainage);
double rzedna_terenu_proj(uint16_t profile, double chainage);

// The pipe bottom at a chainage, along a bend arc where the segment has one.
void rzedna_dna(uint16_t profile, bottom_ordinate& result, double chainage);

// The horizontal drawing position of a chainage (from the nodes' draw_x and
// draw_factor, which the drawing sets).
double godl_bs(uint16_t profile, double chainage);

// Index of the first node at exactly that chainage; no_node when none.
uint16_t is_node(uint16_t profile, double chainage);

// The centre of the circle of the radius through a and b; the sign of the
// radius chooses the side of the chord. False (and the centre 0, 0) when the
// radius is too small for the chord or the points coincide: the segment is
// then drawn straight.
bool circle_center(const plan_point& a, const plan_point& b, double radius, plan_point& centre);

// The crossings of the current profile in the segment that begins at the
// node (at the last node: those at or beyond it).
int16_t zlicz_kolizje_w_wezle(int node);
// The casing pipes of the current profile that begin in the segment of the
// node (at node 0 also those before it, at the last node those beyond it).
int16_t zlicz_oslonowe_w_wezle(int node);
