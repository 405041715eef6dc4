// The vertical description texts of the profile sheet: node lines and
// descriptions recorded per profile, then every recorded text sorted,
// spread apart and written with its leaders after the last profile.
#include "drawing/dxf_writer.h"

void DXF_Writer::add_node_description(uint16_t /*profile*/, int /*node*/) {}

void DXF_Writer::write_vertical_texts() {}
