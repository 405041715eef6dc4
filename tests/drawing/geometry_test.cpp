#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "drawing/dxf_groups.h"
#include "drawing/geometry.h"
#include "platform/sysutils.h"
#include "support/xorshift.h"

namespace {

TEST(DrawingGeometry, RealsAsDrawingFileTextUnderEitherSeparator) {
    euro_rounding = false;
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0, "0"},       {12, "12"},         {12.5, "12.5"},   {-3.25, "-3.25"},         {-2, "-2"},
        {0.1, "0.1"},   {1e-5, "1E-5"},     {1e-4, "0.0001"}, {1e15, "1E15"},           {999999999999999, "999999999999999"},
        {1.0 / 3, "0.333333333333333"},     {5.55111512312578e-17, "5.55111512312578E-17"}, {-1234.5e20, "-1.2345E23"},
    };
    for (const char separator : {'.', ','}) {
        decimal_separator = separator;
        for (const auto& c : cases) EXPECT_EQ(dxf_real_text(c.value), c.text) << c.value << " with " << separator;
    }
    // The drawing file's reals are the general form of FloatToStr with ".",
    // under either rounding mode; the group output writes the same text.
    xorshift64 next{0x9E3779B97F4A7C15ull};
    for (const bool euro : {false, true})
        for (const char separator : {'.', ','}) {
            euro_rounding = euro;
            decimal_separator = separator;
            for (int k = 0; k < 5000; ++k) {
                const double mantissa = static_cast<double>(next() % 2000001) / 1000 - 1000;
                const double v = k % 2 ? mantissa : mantissa * std::pow(10.0, static_cast<int>(next() % 41) - 20);
                std::string expected = FloatToStr(v);
                for (char& c : expected)
                    if (c == ',') c = '.';
                ASSERT_EQ(dxf_real_text(v), expected) << v;
                dxf_group_output out;
                out.group(10, v);
                ASSERT_EQ(out.bytes(), "10\r\n" + expected + "\r\n") << v;
            }
        }
    euro_rounding = false;
    decimal_separator = '.';
}

TEST(DrawingGeometry, PointAndBooleanTexts) {
    decimal_separator = ',';
    euro_rounding = false;
    EXPECT_EQ(point3_text({1.5, -2, 1234567.891}), "(1,50, -2,00, 1234568,00)");
    decimal_separator = '.';
    EXPECT_EQ(point3_text({0, 0.005, 12345678}), "(0.00, 0.01, 1.234568E7)");
    EXPECT_EQ(bool_text(true), "TRUE");
    EXPECT_EQ(bool_text(false), "FALSE");
}

TEST(DrawingGeometry, GridRoundingFollowsTheRoundingMode) {
    const struct {
        point3 p;
        double f;
        point3 nearest_even;
        point3 halves_away;
    } cases[] = {
        {{1.26, -1.24, 0.5}, 10, {1.3, -1.2, 0.5}, {1.3, -1.2, 0.5}},
        {{1.21, 0, 0}, 10, {1.2, 0, 0}, {1.2, 0, 0}},
        {{1.25, -1.25, 0.5}, 10, {1.2, -1.2, 0.5}, {1.3, -1.3, 0.5}},
        {{2.5, 3.5, -0.5}, 1, {2, 4, -0}, {3, 4, -1}},
    };
    for (const auto& c : cases)
        for (const bool euro : {false, true}) {
            euro_rounding = euro;
            const point3 want = euro ? c.halves_away : c.nearest_even;
            const point3 got = point3_round_to_grid(c.p, c.f);
            EXPECT_DOUBLE_EQ(got.x, want.x) << c.p.x << (euro ? " euro" : " even");
            EXPECT_DOUBLE_EQ(got.y, want.y) << c.p.y << (euro ? " euro" : " even");
            EXPECT_DOUBLE_EQ(got.z, want.z) << c.p.z << (euro ? " euro" : " even");
        }
}

TEST(DrawingGeometry, PointOperations) {
    decimal_separator = '.';
    euro_rounding = false;
    EXPECT_TRUE(point3_equal(point3_normalise({0, 0, 0}), {0, 0, 0}));
    const point3 n = point3_normalise({3, 0, 4});
    EXPECT_DOUBLE_EQ(n.x, 0.6);
    EXPECT_DOUBLE_EQ(n.z, 0.8);
    EXPECT_FALSE(point3_equal({1, 2, 3}, {1, 2, std::nextafter(3.0, 4.0)}));
    EXPECT_DOUBLE_EQ(plan_distance({0, 0, 0}, {3, 4, 100}), 5);
    EXPECT_DOUBLE_EQ(plan_distance_squared({1, 1, 0}, {4, 5, -7}), 25);
    EXPECT_TRUE(point3_equal(point3_cross({1, 0, 0}, {0, 1, 0}), {0, 0, 1}));
    EXPECT_TRUE(point3_equal(point3_sub(point3_add({1, 2, 3}, {4, 5, 6}), {1, 1, 1}), {4, 6, 8}));
    EXPECT_EQ(min_real(2, 1), 1);
    EXPECT_EQ(min_real(1, 1), 1);

    point3 max = extents_empty_max;
    point3 min = extents_empty_min;
    for (const point3& p : {point3{1, -5, 0}, point3{-2, 3, 7}}) {
        extents_grow_max(max, p);
        extents_grow_min(min, p);
    }
    EXPECT_TRUE(point3_equal(max, {1, 3, 7}));
    EXPECT_TRUE(point3_equal(min, {-2, -5, 0}));
}

TEST(DrawingGeometry, TransformsComposeOwnFirstAndKeepTheirProduct) {
    decimal_separator = '.';
    euro_rounding = false;
    const double quarter = std::numbers::pi / 2;
    // An insert rotated by r passes cos(-r), sin(-r): points turn counter-clockwise.
    const matrix4 turn = matrix_rotation_z(std::cos(-quarter), std::sin(-quarter));
    const matrix4 move = matrix_translation({10, 0, 0});
    const matrix4 twice = matrix_scale({2, 2, 2});
    const point3 p = point3_transform(turn, {1, 0, 0});
    EXPECT_NEAR(p.x, 0, 1e-15);
    EXPECT_NEAR(p.y, 1, 1e-15);

    const matrix_compose none(nullptr, nullptr);
    EXPECT_EQ(none.get(), nullptr);
    const matrix_compose only_first(&move, nullptr);
    const matrix_compose only_second(nullptr, &move);
    EXPECT_EQ(only_first.get(), &move);
    EXPECT_EQ(only_second.get(), &move);

    // Own transform first: scale, then move.
    const matrix_compose scale_then_move(&twice, &move);
    const matrix_compose move_then_scale(&move, &twice);
    EXPECT_TRUE(point3_equal(point3_transform(*scale_then_move.get(), {1, 1, 0}), {12, 2, 0}));
    EXPECT_TRUE(point3_equal(point3_transform(*move_then_scale.get(), {1, 1, 0}), {22, 2, 0}));
    // A later composition leaves an earlier product as it was.
    EXPECT_TRUE(point3_equal(point3_transform(*scale_then_move.get(), {0, 0, 0}), {10, 0, 0}));
    const matrix_compose copy = scale_then_move;
    EXPECT_NE(copy.get(), scale_then_move.get());
    EXPECT_TRUE(point3_equal(point3_transform(*copy.get(), {1, 1, 0}), {12, 2, 0}));

    matrix4 m = twice;
    matrix_multiply(m, move, m);
    EXPECT_TRUE(point3_equal(point3_transform(m, {1, 0, 0}), {12, 0, 0}));
    const matrix4 axes = matrix_from_axes({0, 1, 0}, {-1, 0, 0}, {0, 0, 1});
    EXPECT_TRUE(point3_equal(point3_transform(axes, {2, 3, 4}), {-3, 2, 4}));
}

}  // namespace
