// Casing pipes on the profile: two lines around the pipe, piece by piece
// over the segments they cross, their description and table values.
#include "drawing/dxf_writer.h"
#include "model/records.h"

void DXF_Writer::draw_casing_pipe(const oslonowa& /*entry*/, double /*datum*/, int /*index*/) {}
