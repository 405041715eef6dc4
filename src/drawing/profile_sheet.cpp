// The longitudinal profile sheet: every included profile side by side with
// its table, axis, datum, lines, pipe, annotations, name and ruler; then
// the legend, the title block and the vertical description texts.
#include "drawing/drawing_state.h"
#include "drawing/dxf_writer.h"
#include "forms/rys1.h"

void DXF_Writer::draw_profile_sheet() {
    out_.group(0, "SECTION");
    out_.group(2, "ENTITIES");
    if (!Form1->tb_bezmetryki->Down()) write_title_block(point3{});
    out_.group(0, "ENDSEC");
}
