#include "drawing/print_pages.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics.h"
#include "platform/printer.h"
#include "platform/sysutils.h"

printer_params read_printer_params(TPrinter& printer) {
    printer_params p;
    p.offset_x = printer.offset_x();
    p.offset_y = printer.offset_y();
    p.dpi_x = printer.dpi_x();
    p.dpi_y = printer.dpi_y();
    p.physical_width = printer.physical_width();
    p.physical_height = printer.physical_height();
    p.page_width = printer.PageWidth();
    p.page_height = printer.PageHeight();
    p.horz_size = p.dpi_x > 0 ? p.page_width / p.dpi_x * 25.4 : 0;
    p.vert_size = p.dpi_y > 0 ? p.page_height / p.dpi_y * 25.4 : 0;
    return p;
}

printer_params& page_parameters() {
    static printer_params params;
    return params;
}

page_sides page_offsets(const printer_params& p) {
    page_sides o;
    o.left = p.offset_x / p.dpi_x * 25.4;
    o.right = (p.physical_width - p.offset_x) / p.dpi_x * 25.4 - p.horz_size;
    o.top = p.offset_y / p.dpi_y * 25.4;
    o.bottom = (p.physical_height - p.offset_y) / p.dpi_y * 25.4 - p.vert_size;
    return o;
}

page_sides effective_margins(const page_sides& m, const page_sides& o) {
    return {std::max(m.left, o.left), std::max(m.right, o.right), std::max(m.top, o.top),
            std::max(m.bottom, o.bottom)};
}

page_mm page_size(const printer_params& p, const page_sides& margins) {
    const page_sides e = effective_margins(margins, page_offsets(p));
    return {p.physical_width / p.dpi_x * 25.4 - e.left - e.right, p.physical_height / p.dpi_y * 25.4 - e.top - e.bottom};
}

int page_count(double extent, double page_extent) {
    if (!(page_extent > 0) || !(extent > 0) || !std::isfinite(extent)) return 1;
    const double pages = extent / page_extent;
    if (!(pages < max_page_count)) return max_page_count;
    const double q = static_cast<double>(Round(1e6 * pages)) / 1e6;
    return std::clamp(static_cast<int>(std::ceil(q)), 1, max_page_count);
}

page_grid print_grid(double ex, double ey, page_mm page, double units, double mm, bool fit) {
    page_grid g;
    if (fit) {
        // The ratio the dialog then shows: ex / W with six decimals.
        units = page.width != 0 ? static_cast<double>(Round(ex / page.width * 1e6)) / 1e6 : 0;
        mm = 1;
    }
    g.page_width = units * page.width / mm;
    g.page_height = units * page.height / mm;
    if (!fit) {
        g.columns = page_count(ex, g.page_width);
        g.rows = page_count(ey, g.page_height);
    }
    return g;
}

std::vector<outline_line> page_outlines(const page_grid& g, double right, double bottom) {
    std::vector<outline_line> lines;
    const double w = g.page_width, h = g.page_height;
    for (int i = 0; i <= g.columns; ++i)
        lines.push_back({right - i * w, bottom, right - i * w, bottom + g.rows * h});
    for (int j = 0; j <= g.rows; ++j)
        lines.push_back({right - g.columns * w, bottom + j * h, right, bottom + j * h});
    return lines;
}

world_window page_window(const print_layout& l, int column, int row, int columns, int rows) {
    const double k = l.units / l.mm;
    const page_sides& m = l.margins;
    const page_sides& o = l.offsets;
    world_window w;
    if (l.fit) {
        const double dx = l.xmax - l.xmin, dy = l.ymax - l.ymin;
        const double ratio = l.page.height / l.page.width;
        w.left = l.xmin - k * m.left;
        w.right = l.xmax + k * m.right;
        w.bottom = l.ymin - k * m.bottom;
        w.top = l.ymax + k * m.top;
        const bool tall = dy / dx >= ratio;
        if (l.centre) {
            if (tall) {
                w.right = l.xmax + (dy / ratio - dx) / 2;
                w.left = l.xmin - (dy / ratio - dx) / 2;
            } else {
                w.top = l.ymax + (dx * ratio - dy) / 2;
                w.bottom = l.ymin - (dx * ratio - dy) / 2;
            }
        } else if (tall) {
            w.left = l.xmax - dy / ratio;
        } else {
            w.top = l.ymin + dx * ratio;
        }
        return w;
    }
    // Pages to the right of and below this one; consecutive pages lie a
    // printable width and height apart.
    const int right_pages = columns - column - 1, lower_pages = rows - row - 1;
    const double hs = l.printer.horz_size, vs = l.printer.vert_size;
    const double gx = m.right + m.left - o.left - o.right;
    const double gy = m.bottom + m.top - o.top - o.bottom;
    w.right = l.xmax - k * (right_pages * hs - (m.right - o.right) - gx * right_pages);
    w.left = l.xmax - k * ((right_pages + 1) * hs - (m.right - o.right) - gx * right_pages);
    w.bottom = l.ymin + k * (lower_pages * vs - (m.bottom - o.bottom) - gy * lower_pages);
    w.top = l.ymin + k * ((lower_pages + 1) * vs - (m.bottom - o.bottom) - gy * lower_pages);
    return w;
}

device_page device_rectangle(const print_layout& l, int divisor) {
    device_page d;
    divisor = std::max(1, divisor);
    d.page_width = static_cast<int>(l.printer.page_width) / divisor;
    d.page_height = static_cast<int>(l.printer.page_height) / divisor;
    d.mx = d.page_width > 0 ? l.printer.horz_size / d.page_width : 1;
    d.my = d.page_height > 0 ? l.printer.vert_size / d.page_height : 1;
    d.left = static_cast<int>(Round((l.margins.left - l.offsets.left) / d.mx));
    d.top = static_cast<int>(Round((l.margins.top - l.offsets.top) / d.my));
    d.right = static_cast<int>(Round(l.page.width / d.mx)) + d.left;
    d.bottom = static_cast<int>(Round(l.page.height / d.my)) + d.top;
    return d;
}

int raster_divisor(double dpi) {
    if (!(dpi > 300)) return 1;
    return static_cast<int>(std::ceil(dpi / 300 - 1e-9));
}

void draw_page_borders(TCanvas& canvas, const device_page& d, page_borders borders) {
    switch (borders) {
        case page_borders::corner_crosses: {
            const int c = static_cast<int>(Round(3 / d.mx));
            const TPoint corners[] = {{d.left, d.top}, {d.right, d.top}, {d.right, d.bottom}, {d.left, d.bottom}};
            for (const TPoint& p : corners) {
                canvas.MoveTo(p.x - c, p.y);
                canvas.LineTo(p.x + c, p.y);
                canvas.MoveTo(p.x, p.y - c);
                canvas.LineTo(p.x, p.y + c);
            }
            break;
        }
        case page_borders::frame:
            canvas.Rectangle(d.left, d.top, d.right, d.bottom);
            break;
        case page_borders::none:
            break;
    }
}

zoom_view& printer_view() {
    static zoom_view view;
    return view;
}

void printer_fit(double margin_x, double margin_y, double width, double xmin, double xmax, double ymin, double ymax,
                 double height) {
    zoom_view& v = printer_view();
    const double sx = xmax - xmin != 0 ? (width - 2 * margin_x) / (xmax - xmin) : 1.0;
    const double sy = ymax - ymin != 0 ? (height - 2 * margin_y) / (ymax - ymin) : 1.0;
    v.scale_x = v.scale_y = std::min(sx, sy);
    v.left = xmin;
    v.right = xmax;
    v.bottom = ymin;
    v.top = ymax;
    v.centre_x = (xmin + xmax) / 2;
    v.centre_y = (ymin + ymax) / 2;
}

TPoint printer_project(const void*, const point3& p, const matrix4* transform) {
    const point3 q = point3_transform(transform, p);
    return view_pixel(printer_view(), q.x, q.y);
}
