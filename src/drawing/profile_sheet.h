// The longitudinal profile sheet's shared pieces: the built-in drawing
// elements by name, the test whether an element is drawn for a profile,
// the sheet's working state (legend, hatching lists, pipe colour, carried
// heights) and the values of a table row computed into the nodes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "drawing/geometry.h"

// The fifteen built-in drawing elements, in the order of the settings'
// element table (`line_defs`); user lines follow them.
enum drawing_element : int {
    element_ter = 0,
    element_rura = 1,
    element_dno_wyk = 2,
    element_lin1 = 3,
    element_lin2 = 4,
    element_tabela = 5,
    element_metryka = 6,
    element_koment = 7,
    element_terp = 8,
    element_os_rury = 9,
    element_oslon = 10,
    element_obi = 11,
    element_obi_symb = 12,
    element_obsyp = 13,
    element_kreskowanie = 14,
    builtin_element_count = 15,
};

// Whether element `element` of the settings' element table is drawn for
// the profile: its draw flag is on and its network letters hold the
// profile's letter or are "a". False for an element or profile that does
// not exist.
bool element_drawn(int element, uint16_t profile);

// One straight piece of the drawn existing-terrain line (drawing units).
// In the covered list the start's z holds the covering range's code.
struct ground_piece {
    point3 start{};
    point3 end{};
};

// A horizontal range that something drawn over the terrain covers: a
// negative code -(10 + k) is terrain description k of the profile, 0 a
// range that is only cut out.
struct ground_cut {
    double start = 0;
    double code = 0;
    double end = 0;
    double extra = 0;
};

// The profile sheet's working state, held by the writer for one drawing.
struct profile_sheet_state {
    // "key=text" entries of the legend, each once.
    std::vector<std::string> legend_lines;
    // The terrain pieces of the profile being drawn, the ranges cut out of
    // them and the covered pieces; emptied for each profile.
    std::vector<ground_piece> ground_segments;
    std::vector<ground_piece> covered_segments;
    std::vector<ground_cut> ground_cuts;
    // The colour the pipe lines of the profile start from.
    int pipe_colour = 0;
    // The profile name's height (tenths of a metre of ordinate), carried to
    // profiles without a title column.
    double name_height = 0;
    // The height of the last drawn profile's table (metres of the layout).
    double table_height = 0;

    void add_legend_line(const std::string& line) {
        if (std::find(legend_lines.begin(), legend_lines.end(), line) == legend_lines.end())
            legend_lines.push_back(line);
    }
};

// The values of table row `row` (key `key`) for every node of the profile
// into the nodes' scratch pair (`wezel.temp`) and, for text results of a
// user formula, `wezel.result`. True when the row's values are texts.
bool copy2temp(const std::string& key, uint16_t profile, int row);
