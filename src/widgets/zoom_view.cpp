#include "widgets/zoom_view.h"

#include <cmath>

#include "platform/sysutils.h"

namespace {

constexpr double pixel_limit = 100000000.0;

int clamped_pixel(double d) {
    if (std::isnan(d)) return 0;
    if (d > pixel_limit) d = pixel_limit;
    if (d < -pixel_limit) d = -pixel_limit;
    return static_cast<int>(Round(d));
}

}  // namespace

TPoint view_pixel(const zoom_view& v, double x, double y) {
    return {clamped_pixel((x - v.left) * v.scale_x), clamped_pixel((v.top - y) * v.scale_y)};
}

void view_point(const zoom_view& v, double px, double py, double& x, double& y) {
    x = v.left + px / v.scale_x;
    y = v.top - py / v.scale_y;
}
