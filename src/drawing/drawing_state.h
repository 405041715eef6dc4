// The process-wide state of the drawing: the sheet values the header writer
// prepares before every drawing and every sheet reads (the unit, the
// scale factors, the profile being drawn, the pen-width choice, the colour
// of number 7), and the values of the drawing command (the mode of the last
// call, whether its recalculation has finished, the profile sheet's title
// column and the gaps between profiles). The Program owns one; drawing()
// reaches it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/types.h"

struct drawing_state {
    // ---- the sheet state, recomputed before every drawing ----

    // Millimetres per drawing unit: mm 1, cm 10, dm 100, m 1000, dam 10000,
    // hm 100000, km 1000000.
    int unit_factor = 1;
    // Drawing units per metre of the 1:100 layout (1000 / unit_factor).
    double units_per_metre = 1000;
    // The vertical factor of the current sheet: 1e5 / (vertical scale x unit_factor).
    double y_factor = 0;
    // The horizontal factor of the cross-section, sump and scheme sheets.
    double x_factor = 0;
    // The index of the profile being drawn.
    uint16_t drawn_profile = 0;
    // The item index of the print settings' pen-width choice, for the
    // renderers of lines and arcs.
    uint8_t pen_width = 0;
    // The rendered colour of colour number 7: white on a black preview,
    // (1, 1, 1) otherwise.
    TColor palette_entry_7 = 0x010101;

    // ---- the drawing command's values ----

    // The mode of the last drawing: "in" (preview), "print" or "out" (CAD).
    std::string drawing_mode = "in";
    // Clear while the drawing command recalculates the project, set when it
    // has finished; the preview loads the drawing only when it is set.
    bool recalculation_done = false;
    bool preview_requested = false;  // set by the preview before it draws, cleared by printing
    // Centimetres of paper, 4 to 12 when measured.
    double title_column_width = 4;
    // Millimetres of paper between two profiles ([inne] "odstep", at most 100).
    uint8_t profile_gap = 15;
    // Millimetres of paper from one profile to the next: the gap, plus the
    // title column when it stands before every profile.
    uint16_t column_step = 15;
    // The width factor of the profile text style (percent / 100).
    double title_font_factor = 0.9;
};

drawing_state& drawing();
void set_drawing(drawing_state* d);
