// A view of a drawing on a pixel surface: the drawing window shown and the
// pixels per drawing unit. The preview's viewport keeps several; printing
// keeps one for the page being printed.
#pragma once

#include "platform/types.h"

struct zoom_view {
    double scale_x = 0;  // pixels per drawing unit (kept equal on both axes)
    double scale_y = 0;
    double left = 0;     // the drawing window shown
    double right = 0;
    double bottom = 0;
    double top = 0;
    double centre_x = 0;  // the centre as the view operations keep it
    double centre_y = 0;

    // A view whose two scales are not both non-zero is empty.
    bool empty() const { return scale_x == 0 || scale_y == 0; }
    bool operator==(const zoom_view&) const = default;
};

// The pixel of a drawing point: x = round((x - left) * scale_x), y =
// round((top - y) * scale_y), with the process's rounding. A coordinate past
// +-100,000,000 pixels is held there and a NaN counts as 0, so that no
// point, however far or broken, fails the projection.
TPoint view_pixel(const zoom_view& v, double x, double y);

// The drawing point under a pixel: x = left + px / scale_x, y = top - py / scale_y.
void view_point(const zoom_view& v, double px, double py, double& x, double& y);
