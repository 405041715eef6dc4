#include "drawing/geometry.h"

#include <cmath>

#include "files/project_format.h"
#include "platform/sysutils.h"

matrix4 matrix_identity() {
    matrix4 r;
    for (int i = 0; i < 4; ++i) r.m[i][i] = 1;
    return r;
}

point3 point3_make(double x, double y, double z) { return {x, y, z}; }

bool point3_equal(const point3& a, const point3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

point3 point3_sub(const point3& a, const point3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

point3 point3_add(const point3& a, const point3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }

point3 point3_cross(const point3& a, const point3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

point3 point3_normalise(const point3& v) {
    double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length == 0) length = 1;
    return {v.x / length, v.y / length, v.z / length};
}

double plan_distance_squared(const point3& a, const point3& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    return dx * dx + dy * dy;
}

double plan_distance(const point3& a, const point3& b) { return std::sqrt(plan_distance_squared(a, b)); }

point3 point3_round_to_grid(const point3& p, double f) {
    auto snap = [f](double c) { return static_cast<double>(Round(c * f)) / f; };
    return {snap(p.x), snap(p.y), snap(p.z)};
}

double min_real(double a, double b) { return b >= a ? a : b; }

matrix4 matrix_rotation_z(double c, double s) {
    matrix4 r = matrix_identity();
    r.m[0] = {c, -s, 0, 0};
    r.m[1] = {s, c, 0, 0};
    return r;
}

matrix4 matrix_scale(const point3& v) {
    matrix4 r = matrix_identity();
    r.m[0][0] = v.x;
    r.m[1][1] = v.y;
    r.m[2][2] = v.z;
    return r;
}

matrix4 matrix_translation(const point3& v) {
    matrix4 r = matrix_identity();
    r.m[3] = {v.x, v.y, v.z, 1};
    return r;
}

matrix4 matrix_from_axes(const point3& a, const point3& b, const point3& c) {
    matrix4 r = matrix_identity();
    r.m[0] = {a.x, a.y, a.z, 0};
    r.m[1] = {b.x, b.y, b.z, 0};
    r.m[2] = {c.x, c.y, c.z, 0};
    return r;
}

void matrix_multiply(const matrix4& a, const matrix4& b, matrix4& out) {
    const matrix4 x = a;
    const matrix4 y = b;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += x.m[i][k] * y.m[k][j];
            out.m[i][j] = sum;
        }
}

matrix4 matrix_multiply(const matrix4& a, const matrix4& b) {
    matrix4 out;
    matrix_multiply(a, b, out);
    return out;
}

void matrix_compose::compose(const matrix4& a, const matrix4& b) {
    matrix_multiply(a, b, product_);
    own_ = true;
}

matrix_compose& matrix_compose::operator=(const matrix_compose& o) {
    single_ = o.single_;
    product_ = o.product_;
    own_ = o.own_;
    return *this;
}

point3 point3_transform(const matrix4& m, const point3& p) {
    const auto& r = m.m;
    return {p.x * r[0][0] + p.y * r[1][0] + p.z * r[2][0] + r[3][0],
            p.x * r[0][1] + p.y * r[1][1] + p.z * r[2][1] + r[3][1],
            p.x * r[0][2] + p.y * r[1][2] + p.z * r[2][2] + r[3][2]};
}

void extents_grow_max(point3& max, const point3& p) {
    if (p.x > max.x) max.x = p.x;
    if (p.y > max.y) max.y = p.y;
    if (p.z > max.z) max.z = p.z;
}

void extents_grow_min(point3& min, const point3& p) {
    if (p.x < min.x) min.x = p.x;
    if (p.y < min.y) min.y = p.y;
    if (p.z < min.z) min.z = p.z;
}

std::string dxf_real_text(double r) {
    // The general form is made with the system's separator; the file always
    // carries ".".
    if (!std::isfinite(r)) return FloatToStr(r);
    std::string s;
    put_general(s, r, 15);  // FloatToStr's text, without a stream
    const std::size_t comma = s.find(',');
    if (comma != std::string::npos) s[comma] = '.';
    return s;
}

std::string point3_text(const point3& p) {
    auto c = [](double v) { return FloatToStrF(v, TFloatFormat::ffFixed, 7, 2); };
    return "(" + c(p.x) + ", " + c(p.y) + ", " + c(p.z) + ")";
}

std::string bool_text(bool b) { return b ? "TRUE" : "FALSE"; }
