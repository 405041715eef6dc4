// The projection of the preview: a drawing point, through the transform
// when one is given, to a pixel of a view (zoom_view). The owner handed to
// the entities' drawing is the view itself (`const zoom_view*`), the
// viewport's current one.
#pragma once

#include "drawing/entities.h"
#include "widgets/zoom_view.h"

TPoint view_projection(const void* owner, const point3& p, const matrix4* transform);

// The drawing rectangle that a rectangle of pixels of the view shows:
// xmin, ymin, xmax, ymax in drawing units (a pixel's whole area included).
struct view_world_rect {
    double xmin = 0;
    double ymin = 0;
    double xmax = 0;
    double ymax = 0;
};
view_world_rect view_world_rectangle(const zoom_view& v, const TRect& pixels);
