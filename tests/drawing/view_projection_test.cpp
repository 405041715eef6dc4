// The preview's projection: a drawing point, through the transform when one
// is given, to a pixel of the view it is handed, and the drawing rectangle
// a part of the view shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

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

// The pixel coordinate as Round gives it, held and with NaN as 0.
int reference_pixel(double d) {
    if (std::isnan(d)) return 0;
    d = std::clamp(d, -100000000.0, 100000000.0);
    return static_cast<int>(Round(d));
}

TEST(ViewProjection, ThePixelCoordinateRoundsAsRoundInBothModes) {
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<double> values = {0,      0.5,         -0.5,         1.5,          2.5,         -2.5,
                                  2.675 * 100,         1.10 * 100,   100000.49995, 0.5 - 1e-9,  0.5 + 1e-9,
                                  0.5 - 2e-6,          7.5 + 1e-7,   -7.5 - 1e-7,  -7.5 + 5e-7, 99999999.5,
                                  -99999999.5,         1e8 + 0.5,    -1e8 - 0.5,   3e9,         -3e9,
                                  inf,                 -inf,         std::numeric_limits<double>::quiet_NaN(),
                                  1e-300,              -0.49999999999999994};
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> any(-2e5, 2e5);
    std::uniform_int_distribution<int> whole(-200000, 200000);
    std::uniform_real_distribution<double> noise(-3e-6, 3e-6);
    for (int i = 0; i < 20000; ++i) {
        values.push_back(any(random));
        values.push_back(whole(random) + 0.5 + noise(random));  // around halves, inside and outside the tolerance
    }
    for (const bool euro : {false, true}) {
        euro_rounding = euro;
        int differ = 0;
        for (const double d : values)
            if (view_pixel_coordinate(d) != reference_pixel(d)) {
                if (++differ < 5) ADD_FAILURE() << "euro " << euro << ": " << d;
            }
        EXPECT_EQ(differ, 0);
    }
    euro_rounding = false;
}

TPoint test_projection(const void* owner, const point3& p, const matrix4*) {
    ++*static_cast<int*>(const_cast<void*>(owner));
    return {static_cast<int>(p.x), -1};
}

TEST(ViewProjection, APointGoesThroughAnyProjectionAndTheViewsInline) {
    euro_rounding = false;
    int calls = 0;
    EXPECT_EQ(project_point(test_projection, &calls, {7, 8, 9}, nullptr), (TPoint{7, -1}));
    EXPECT_EQ(calls, 1);
    const zoom_view v = view_of(2, 10, 100);
    const matrix4 shift = matrix_translation({50, -25, 0});
    for (const point3 p : {point3{10, 100, 0}, point3{60.25, 75.75, 7}, point3{-1e12, 1e12, 0}})
        for (const matrix4* t : {static_cast<const matrix4*>(nullptr), &shift}) {
            const point3 q = point3_transform(t, p);
            const TPoint expected{reference_pixel((q.x - v.left) * v.scale_x), reference_pixel((v.top - q.y) * v.scale_y)};
            EXPECT_EQ(project_point(view_projection, &v, p, t), expected) << p.x;
        }
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
