// The projection of the preview: a drawing point, through the transform
// when one is given, to a pixel of a view (zoom_view). The owner handed to
// the entities' drawing is the view itself (`const zoom_view*`), the
// viewport's current one.
#pragma once

#include "drawing/entities.h"
#include "widgets/zoom_view.h"

TPoint view_projection(const void* owner, const point3& p, const matrix4* transform);

// The drawing rectangle that a rectangle of pixels of the view shows, in
// drawing units (a pixel's whole area included), grown by `margin` pixels
// on every side: what pens and point marks reach beyond an entity's points.
world_box view_world_rectangle(const zoom_view& v, const TRect& pixels, int margin = 0);

// What the preview's canvas may show of the drawing: the pixels being
// painted grown by the widest reach of a pen past its points.
inline constexpr int view_pen_margin = 4;
