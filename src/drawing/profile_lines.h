// The user-defined lines of the profile sheet, drawn from the values a
// table row left in the nodes.
#pragma once

#include <cstdint>

class DXF_Writer;
struct linia_def;

// The user line `entry` along the profile from the nodes' scratch pairs
// (`wezel.temp`): one line per segment whose four values are all given
// (neither the empty value nor infinite), and a vertical step at a sump-like
// node whose two values differ.
void draw_user_line_segments(DXF_Writer& writer, uint16_t profile, const linia_def& entry);
