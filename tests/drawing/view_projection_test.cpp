// The preview's projection: a drawing point, through the transform when one
// is given, to a pixel of the view it is handed, and the drawing rectangle
// a part of the view shows.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "drawing/view_projection.h"
#include "platform/sysutils.h"

namespace {

zoom_view view_of(double scale, double left, double top) {
    zoom_view v;
    v.scale_x = v.scale_y = scale;
    v.left = left;
    v.top = top;
    v.right = left + 800 / scale;
    v.bottom = top - 600 / scale;
    return v;
}

TEST(ViewProjection, TheOwnersViewMapsThePointTransformedFirst) {
    euro_rounding = false;
    const zoom_view v = view_of(2, 10, 100);
    const struct {
        point3 p;
        const matrix4* t;
        TPoint pixel;
    } cases[] = {
        {{10, 100, 0}, nullptr, {0, 0}},
        {{60, 75, 7}, nullptr, {100, 50}},
        {{10.25, 99.75, 0}, nullptr, {0, 0}},  // halves go to the even pixel
        {{10.75, 99.25, 0}, nullptr, {2, 2}},
        {{std::numeric_limits<double>::quiet_NaN(), 1e300, 0}, nullptr, {0, -100000000}},
    };
    for (const auto& c : cases) EXPECT_EQ(view_projection(&v, c.p, c.t), c.pixel) << c.p.x;

    // A transform moves and scales the point before it is mapped.
    const matrix4 shift = matrix_translation({50, -25, 0});
    EXPECT_EQ(view_projection(&v, {10, 100, 0}, &shift), (TPoint{100, 50}));
    const matrix4 twice = matrix_scale({2, 2, 1});
    EXPECT_EQ(view_projection(&v, {5, 50, 0}, &twice), (TPoint{0, 0}));
    EXPECT_EQ(view_projection(&v, {30, 25, 0}, &twice), (TPoint{100, 100}));
}

TEST(ViewProjection, APartOfTheViewShowsTheRectangleOfItsPixels) {
    const zoom_view v = view_of(2, 10, 100);
    const world_box whole = view_world_rectangle(v, {0, 0, 800, 600});
    EXPECT_DOUBLE_EQ(whole.xmin, 10 - 0.25);
    EXPECT_DOUBLE_EQ(whole.xmax, 410 + 0.25);
    EXPECT_DOUBLE_EQ(whole.ymin, -200 - 0.25);
    EXPECT_DOUBLE_EQ(whole.ymax, 100 + 0.25);
    const world_box strip = view_world_rectangle(v, {700, 0, 800, 600});
    EXPECT_DOUBLE_EQ(strip.xmin, 360 - 0.25);
    EXPECT_DOUBLE_EQ(strip.xmax, whole.xmax);
}

}  // namespace
