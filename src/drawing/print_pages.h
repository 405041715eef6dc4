// The geometry of printing: the printer's page in millimetres, the grid of
// pages a drawing covers at a print ratio, the page outlines the preview
// shows, each page's drawing window and device rectangle, the page limits
// drawn on it, and the projection of drawing points onto the page. Pure
// arithmetic on the values read from the printer; nothing here prints.
#pragma once

#include <vector>

#include "drawing/geometry.h"
#include "platform/types.h"
#include "widgets/zoom_view.h"

class TPrinter;
class TCanvas;

// The printer's page as the printer reports it.
struct printer_params {
    double offset_x = 0, offset_y = 0;                 // device pixels from the paper's edge to the printable area
    double dpi_x = 0, dpi_y = 0;                       // pixels per inch
    double physical_width = 0, physical_height = 0;    // the paper in device pixels
    double page_width = 0, page_height = 0;            // the printable area in device pixels
    double horz_size = 0, vert_size = 0;               // the printable area in millimetres
};

// Reads the current printer's page (the printer must be installed).
printer_params read_printer_params(TPrinter& printer);
// The printer's page as last read (process-wide).
printer_params& page_parameters();

// Four millimetre values of the page's sides.
struct page_sides {
    double left = 0, right = 0, top = 0, bottom = 0;
    bool operator==(const page_sides&) const = default;
};

// The printer's unprintable strip on each side, in millimetres.
page_sides page_offsets(const printer_params& p);
// Each side's margin, never less than the printer's offset on that side.
page_sides effective_margins(const page_sides& margins, const page_sides& offsets);
// The printable page W x H in millimetres inside the effective margins.
struct page_mm {
    double width = 0, height = 0;
};
page_mm page_size(const printer_params& p, const page_sides& margins);

// How many pages an extent needs: the quotient rounded to six decimals
// before its ceiling, so that a drawing a hair wider than two pages still
// takes two. At least one page (a drawing without extents takes one), at
// most max_page_count.
inline constexpr int max_page_count = 1000;
int page_count(double extent, double page_extent);

// The grid of pages a drawing of ex x ey drawing units covers. With `fit`
// the whole drawing goes on one page and the ratio becomes ex / W (`units`
// holds it as the dialog shows it, six decimals); otherwise a page covers
// S x W / M by S x H / M drawing units (S drawing units per M millimetres).
struct page_grid {
    int columns = 1, rows = 1;
    double page_width = 0, page_height = 0;  // drawing units
};
page_grid print_grid(double ex, double ey, page_mm page, double units, double mm, bool fit);

// A line of the drawing in drawing units.
struct outline_line {
    double x1, y1, x2, y2;
    bool operator==(const outline_line&) const = default;
};
// The page outlines of a grid: columns + 1 vertical and rows + 1 horizontal
// lines, laid from the right edge `right` leftwards and from the bottom edge
// `bottom` upwards, one page apart.
std::vector<outline_line> page_outlines(const page_grid& grid, double right, double bottom);

// Everything a page of a print run is computed from.
struct print_layout {
    printer_params printer;
    page_sides margins;  // the dialog's margins (already no less than the offsets)
    page_sides offsets;
    page_mm page;
    double units = 100;  // S: drawing units ...
    double mm = 1;       // M: ... per print millimetres
    bool fit = false;
    bool centre = false;
    // The drawing's extents (already widened for printing).
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
};

// The drawing window of page (column, row) of a grid of columns x rows.
struct world_window {
    double left = 0, right = 0, bottom = 0, top = 0;
};
world_window page_window(const print_layout& l, int column, int row, int columns, int rows);

// The page in device pixels: the printable rectangle (left, top)-(right,
// bottom) inside a target of (left + right) x (top + bottom) pixels, and
// the millimetres per pixel. `divisor` reduces the printer's resolution
// (1: the printer's own pixels).
struct device_page {
    int left = 0, top = 0, right = 0, bottom = 0;
    double mx = 0, my = 0;                // millimetres per pixel
    int page_width = 0, page_height = 0;  // the printable area in these pixels
    int target_width() const { return left + right; }
    int target_height() const { return top + bottom; }
};
device_page device_rectangle(const print_layout& l, int divisor = 1);

// The smallest whole divisor that brings a resolution to 300 dpi or below.
int raster_divisor(double dpi);

// How the page's limits are drawn (the dialog's choice).
enum class page_borders { corner_crosses = 0, frame = 1, none = 2 };
// Draws the page's limits: crosses of round(3 / mx) pixels to each side of
// every corner (left-top, right-top, right-bottom, left-bottom), or the
// rectangle, or nothing.
void draw_page_borders(TCanvas& canvas, const device_page& d, page_borders borders);

// The one printer view of the page being printed.
zoom_view& printer_view();
// Sets the printer view: the window (xmin, xmax, ymin, ymax) on a page of
// width x height pixels less the margins, one scale for both axes (the
// smaller; a zero extent counts as scale 1).
void printer_fit(double margin_x, double margin_y, double width, double xmin, double xmax, double ymin, double ymax,
                 double height);
// The projection of printing (a dxf_projection): the pixel of a drawing
// point in the printer view, the point first transformed by the matrix when
// one is given. The owner is not used.
TPoint printer_project(const void* owner, const point3& p, const matrix4* transform);
