// Annotations of the profile: free labels with leaders, plot-boundary
// marks, the terrain and auxiliary lines with their inserted ordinates,
// and crossings with other utilities.
#include "drawing/dxf_writer.h"
#include "model/records.h"

void DXF_Writer::comment_label(const std::string& /*text*/, bool /*write_text*/, double /*x*/, double /*y*/,
                               bool /*horizontal*/, bool /*downward*/) {}

void DXF_Writer::boundary_mark(const granica_opis& /*boundary*/, uint16_t /*profile*/) {}

void DXF_Writer::auxiliary_line(int /*element*/) {}

void DXF_Writer::crossing(int /*index*/, uint16_t /*profile*/, double /*x*/, double /*y*/, double /*ordinate*/,
                          double /*diameter*/, bool /*node_object*/) {}
