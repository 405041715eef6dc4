// Geotechnical columns: a borehole's layers, ground water and legend
// entries drawn as a narrow column at its chainage.
#include "drawing/dxf_writer.h"

void DXF_Writer::draw_geotechnical_columns(uint16_t /*profile*/) {}
