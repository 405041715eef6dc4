// The objects that stand at nodes: tanks, buildings, sumps, risers,
// fittings, ditches and drops. Not drawn yet: each entry point draws
// nothing, and the profile sheet leaves room where their symbols go.
#include "drawing/dxf_writer.h"

void DXF_Writer::draw_node_objects(uint16_t /*profile*/, int /*node*/) {}

void DXF_Writer::draw_ditch(int /*node*/) {}

uint16_t DXF_Writer::draw_drop(int /*node*/, bool /*flag*/, double /*a*/, double /*b*/, double /*c*/,
                               double /*unused*/, double /*d*/, double /*x*/, int /*f*/, int /*g*/) {
    return 0;
}

int DXF_Writer::draw_sump(uint16_t /*profile*/, int /*node*/, int /*mode*/) { return -1; }

void DXF_Writer::draw_tank(int /*mode*/, int /*node*/, double /*x*/, double /*y*/, double /*angle*/) {}

void DXF_Writer::draw_building(uint16_t /*profile*/, int /*node*/, bool /*forward*/, int /*mode*/) {}

void DXF_Writer::draw_riser(uint16_t /*profile*/, int /*node*/, int /*mode*/) {}

uint8_t DXF_Writer::shaft_extension(bool /*opening*/, int /*node*/, double /*wall*/, int /*most_rings*/,
                                    double /*ring_height*/, double /*opening_width*/, double /*missing_height*/,
                                    double /*top_y*/, double /*left_x*/) {
    return 0;
}
