// The value types of the drawing model: 3-D points and vectors, 4 x 4
// transforms, running extents, and the texts in which reals, points and
// Booleans go into the drawing file or into an entity's description.
#pragma once

#include <array>
#include <limits>
#include <string>

struct point3 {
    double x = 0;
    double y = 0;
    double z = 0;
};

// Four rows of four reals. Points are row vectors multiplied from the left:
// (x, y, z, 1) times the matrix, so row 3 holds the translation.
struct matrix4 {
    std::array<std::array<double, 4>, 4> m{};
};

inline constexpr point3 point3_origin{0, 0, 0};
inline constexpr point3 point3_unit_y{0, 1, 0};
inline constexpr point3 point3_unit_z{0, 0, 1};  // the default extrusion direction
matrix4 matrix_identity();

point3 point3_make(double x, double y, double z);
// Exactly equal, coordinate by coordinate.
bool point3_equal(const point3& a, const point3& b);
point3 point3_sub(const point3& a, const point3& b);
point3 point3_add(const point3& a, const point3& b);
point3 point3_cross(const point3& a, const point3& b);
// v divided by its length; a vector of length 0 is returned unchanged.
point3 point3_normalise(const point3& v);
// The distance in the x-y plane (z ignored), and its square.
double plan_distance(const point3& a, const point3& b);
double plan_distance_squared(const point3& a, const point3& b);
// Each coordinate c becomes Round(c * f) / f (the process-wide conversion).
point3 point3_round_to_grid(const point3& p, double f);
// a when b >= a, else b.
double min_real(double a, double b);

// Identity with row 0 = (c, -s, 0, 0) and row 1 = (s, c, 0, 0).
matrix4 matrix_rotation_z(double c, double s);
matrix4 matrix_scale(const point3& v);
matrix4 matrix_translation(const point3& v);
// Maps the unit x, y and z axes onto a, b and c.
matrix4 matrix_from_axes(const point3& a, const point3& b, const point3& c);
// out = a times b; out may be a or b.
void matrix_multiply(const matrix4& a, const matrix4& b, matrix4& out);
matrix4 matrix_multiply(const matrix4& a, const matrix4& b);

// The composition of an entity's own transform with the one handed down by
// its caller (either may be absent): the present one itself when the other
// is absent, no transform when both are, else the product a times b, kept
// by value in this object.
class matrix_compose {
public:
    matrix_compose(const matrix4* a, const matrix4* b) {
        if (a && b)
            compose(*a, *b);
        else
            single_ = a ? a : b;
    }
    matrix_compose(const matrix_compose& o) { *this = o; }
    matrix_compose& operator=(const matrix_compose& o);
    // The composed transform, nullptr for none.
    const matrix4* get() const { return own_ ? &product_ : single_; }

private:
    const matrix4* single_ = nullptr;
    matrix4 product_;
    bool own_ = false;
    void compose(const matrix4& a, const matrix4& b);
};

// (x M00 + y M10 + z M20 + M30, ...); the fourth column is not used.
point3 point3_transform(const matrix4& m, const point3& p);
// The point through the transform when there is one.
inline point3 point3_transform(const matrix4* m, const point3& p) { return m ? point3_transform(*m, p) : p; }

// Running extents: each coordinate grown on its own.
void extents_grow_max(point3& max, const point3& p);
void extents_grow_min(point3& min, const point3& p);
// The empty pair the callers start from when they grow extents point by point.
inline constexpr point3 extents_empty_max{-1e10, -1e10, -1e10};
inline constexpr point3 extents_empty_min{1e10, 1e10, 1e10};

// A rectangle of the drawing's plane in drawing units: the part of the
// world a canvas shows, or what an entity's drawing may touch.
struct world_box {
    double xmin, ymin, xmax, ymax;
};

// Holds nothing: lies outside every rectangle.
inline constexpr world_box world_box_empty{std::numeric_limits<double>::infinity(),
                                           std::numeric_limits<double>::infinity(),
                                           -std::numeric_limits<double>::infinity(),
                                           -std::numeric_limits<double>::infinity()};
// Holds everything: an extent that cannot be known.
inline constexpr world_box world_box_unbounded{-std::numeric_limits<double>::infinity(),
                                               -std::numeric_limits<double>::infinity(),
                                               std::numeric_limits<double>::infinity(),
                                               std::numeric_limits<double>::infinity()};
// True when `b` lies wholly outside `visible` (touching is inside); a box
// with a NaN is never outside.
inline bool world_box_outside(const world_box& b, const world_box& visible) {
    return b.xmax < visible.xmin || b.xmin > visible.xmax || b.ymax < visible.ymin || b.ymin > visible.ymax;
}

// A real as drawing-file text: the shortest general form with at most 15
// significant digits and "." as decimal point ("0", "12.5", "1E-5", "1E15").
std::string dxf_real_text(double r);
// "(x, y, z)", each in fixed notation with 2 decimals and at most 7
// significant digits, with the system's decimal separator.
std::string point3_text(const point3& p);
// "TRUE" or "FALSE".
std::string bool_text(bool b);
