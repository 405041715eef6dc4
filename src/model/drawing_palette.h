// The screen colours of the drawing colour numbers 1 to 256 (256 = by
// layer): entry n - 1 for colour number n. One table for the whole program:
// the drawing model draws with it, the settings tables and the colour
// chooser show it, and the nearest-colour look-up reads its fixed values.
#pragma once

#include <array>

#include "platform/types.h"

inline constexpr int drawing_palette_size = 256;

// The fixed values (entry 7 is (1, 1, 1)).
extern const std::array<TColor, drawing_palette_size> drawing_palette_fixed;

// The copy the drawing is rendered with. It starts as the fixed values; the
// drawing writer may set entry 7 (white on a black preview) before a drawing.
extern std::array<TColor, drawing_palette_size> drawing_palette;

// Puts the fixed values back into `drawing_palette`.
void reset_drawing_palette();

// The rendered colour of colour number n (1 to 256); `fallback` for any other number.
TColor drawing_palette_colour(int n, TColor fallback);

// The drawing colour number of each network type, in the order of
// `network_letters` (water main, storm drain, sewer, gas, heating, land
// drainage, other).
inline constexpr std::array<int, 7> network_colours{5, 34, 84, 2, 200, 112, 9};
