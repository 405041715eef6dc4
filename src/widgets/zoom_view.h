// A view of a drawing on a pixel surface: the drawing window shown and the
// pixels per drawing unit. The preview's viewport keeps several; printing
// keeps one for the page being printed.
#pragma once

#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/sysutils.h"
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

// One pixel coordinate of view_pixel: held within +-100,000,000, a NaN as
// 0, rounded as Round rounds. Inline, as the preview projects every point
// of a drawing through it: the processor's conversion (to nearest, ties to
// even, the mode Round keeps) gives Round's result except for a value
// within 1e-6 of a half under euro_rounding, which goes to Round itself.
[[gnu::always_inline]] inline int view_pixel_coordinate(double d) {
    constexpr double limit = 100000000.0;
    if (d != d) return 0;
    d = d > limit ? limit : d;
    d = d < -limit ? -limit : d;
#if defined(__SSE2__)
    const int r = _mm_cvtsd_si32(_mm_set_sd(d));
    if (!euro_rounding || std::fabs(std::fabs(d - r) - 0.5) > 1e-6) return r;
#endif
    return static_cast<int>(Round(d));
}

// The pixel of a drawing point: x = round((x - left) * scale_x), y =
// round((top - y) * scale_y), with the process's rounding. A coordinate past
// +-100,000,000 pixels is held there and a NaN counts as 0, so that no
// point, however far or broken, fails the projection.
[[gnu::always_inline]] inline TPoint view_pixel(const zoom_view& v, double x, double y) {
    return {view_pixel_coordinate((x - v.left) * v.scale_x), view_pixel_coordinate((v.top - y) * v.scale_y)};
}

// The drawing point under a pixel: x = left + px / scale_x, y = top - py / scale_y.
void view_point(const zoom_view& v, double px, double py, double& x, double& y);
