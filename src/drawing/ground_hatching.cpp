// Soil hatching under the existing terrain: covered ranges cut out of the
// terrain pieces, then slanted strokes under what is left and under the
// ranges of terrain descriptions.
#include "drawing/dxf_writer.h"

void DXF_Writer::hatch_ground() {}

void DXF_Writer::cut_ground(const ground_cut& /*cut*/) {}

void DXF_Writer::hatch_segment(const point3& /*start*/, const point3& /*end*/, const std::string& /*kind*/) {}
