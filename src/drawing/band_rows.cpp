// The table under the profile: a row's values computed into the nodes and
// written at the nodes or between them, and single values written into a
// row at chainages between nodes.
#include "drawing/dxf_writer.h"
#include "drawing/profile_sheet.h"

bool copy2temp(const std::string& /*key*/, uint16_t /*profile*/, int /*row*/) { return false; }

double DXF_Writer::write_band_row(const std::string& /*key*/, uint16_t /*profile*/, double /*title_width*/,
                                  double top, int /*row*/) {
    return top;
}

void DXF_Writer::write_band_value(const std::string& /*key*/, char /*code*/, int /*colour*/, double /*value*/,
                                  double /*chainage*/) {}

void DXF_Writer::write_terrain_description_marks(const teren_opis& /*description*/) {}
