#include "widgets/zoom_view.h"

void view_point(const zoom_view& v, double px, double py, double& x, double& y) {
    x = v.left + px / v.scale_x;
    y = v.top - py / v.scale_y;
}
