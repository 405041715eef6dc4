#include "drawing/view_projection.h"

#include <algorithm>

TPoint view_projection(const void* owner, const point3& p, const matrix4* transform) {
    return view_projection_inline(owner, p, transform);
}

world_box view_world_rectangle(const zoom_view& v, const TRect& pixels, int margin) {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    // A pixel reaches half a pixel beyond its centre on each side.
    view_point(v, pixels.Left - margin - 0.5, pixels.Top - margin - 0.5, x1, y1);
    view_point(v, pixels.Right + margin + 0.5, pixels.Bottom + margin + 0.5, x2, y2);
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}
