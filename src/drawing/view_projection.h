// The projection of the preview: a drawing point, through the transform
// when one is given, to a pixel of a view (zoom_view). The owner handed to
// the entities' drawing is the view itself (`const zoom_view*`), the
// viewport's current one.
#pragma once

#include "drawing/entities.h"
#include "widgets/zoom_view.h"

TPoint view_projection(const void* owner, const point3& p, const matrix4* transform);

// The same, inline.
[[gnu::always_inline]] inline TPoint view_projection_inline(const void* owner, const point3& p, const matrix4* transform) {
    const auto& view = *static_cast<const zoom_view*>(owner);
    if (!transform) return view_pixel(view, p.x, p.y);
    const point3 q = point3_transform(*transform, p);
    return view_pixel(view, q.x, q.y);
}

// A point through a projection, inlined when it is the preview's.
[[gnu::always_inline]] inline TPoint project_point(dxf_projection projection, const void* owner, const point3& p,
                            const matrix4* transform) {
    if (projection == &view_projection) return view_projection_inline(owner, p, transform);
    return projection(owner, p, transform);
}

// The drawing rectangle that a rectangle of pixels of the view shows, in
// drawing units (a pixel's whole area included), grown by `margin` pixels
// on every side: what pens and point marks reach beyond an entity's points.
world_box view_world_rectangle(const zoom_view& v, const TRect& pixels, int margin = 0);

// What the preview's canvas may show of the drawing: the pixels being
// painted grown by the widest reach of a pen past its points.
inline constexpr int view_pen_margin = 4;
