// The page geometry of printing on a printer of easy numbers: 254 dots per
// inch (10 pixels a millimetre), A4 paper of 2100 x 2970 pixels with a
// printable area of 2000 x 2870 pixels 5 millimetres in from each edge.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "drawing/print_pages.h"
#include "platform/graphics.h"
#include "platform/sysutils.h"

namespace {

class PrintPages : public ::testing::Test {
protected:
    PrintPages() {
        euro_rounding = false;
        decimal_separator = '.';
    }
    static printer_params printer() {
        printer_params p;
        p.offset_x = p.offset_y = 50;
        p.dpi_x = p.dpi_y = 254;
        p.physical_width = 2100;
        p.physical_height = 2970;
        p.page_width = 2000;
        p.page_height = 2870;
        p.horz_size = 200;
        p.vert_size = 287;
        return p;
    }
    // The dialog's margins 10, 10, 5, 15 at 100 drawing units per print millimetre.
    static print_layout layout() {
        print_layout l;
        l.printer = printer();
        l.offsets = page_offsets(l.printer);
        l.margins = effective_margins({10, 10, 5, 15}, l.offsets);
        l.page = page_size(l.printer, l.margins);
        l.units = 100;
        l.mm = 1;
        l.xmin = 0;
        l.xmax = 1000;
        l.ymin = 0;
        l.ymax = 500;
        return l;
    }
};

TEST_F(PrintPages, ThePageIsThePaperLessEachSidesLargerOfMarginAndOffset) {
    struct page_case {
        page_sides margins;
        page_sides effective;
        double width, height;
    };
    const page_case cases[] = {
        {{10, 10, 5, 15}, {10, 10, 5, 15}, 190, 277},
        {{2, 10, 5, 15}, {5, 10, 5, 15}, 195, 277},  // a margin inside the unprintable strip
        {{0, 0, 0, 0}, {5, 5, 5, 5}, 200, 287},
    };
    const page_sides offsets = page_offsets(printer());
    EXPECT_NEAR(offsets.left, 5, 1e-9);
    EXPECT_NEAR(offsets.right, 5, 1e-9);
    EXPECT_NEAR(offsets.top, 5, 1e-9);
    EXPECT_NEAR(offsets.bottom, 5, 1e-9);
    for (const page_case& c : cases) {
        const page_sides e = effective_margins(c.margins, offsets);
        EXPECT_NEAR(e.left, c.effective.left, 1e-9);
        EXPECT_NEAR(e.right, c.effective.right, 1e-9);
        EXPECT_NEAR(e.top, c.effective.top, 1e-9);
        EXPECT_NEAR(e.bottom, c.effective.bottom, 1e-9);
        const page_mm page = page_size(printer(), c.margins);
        EXPECT_NEAR(page.width, c.width, 1e-9) << c.margins.left;
        EXPECT_NEAR(page.height, c.height, 1e-9) << c.margins.left;
    }
}

TEST_F(PrintPages, TheGridRoundsThePagesToSixDecimalsBeforeTheCeiling) {
    // A page covers 100 x 190 = 19000 drawing units across, 27700 down.
    struct grid_case {
        double pages_across, pages_down;
        int columns, rows;
    };
    const grid_case cases[] = {
        {2.0, 1.0, 2, 1},       {2.0000001, 1.0, 2, 1}, {2.1, 1.0, 3, 1},
        {2.0000006, 0.5, 3, 1}, {0.0, 0.0, 1, 1},       {0.3, 3.5, 1, 4},
        {-5e10, -1e15, 1, 1},  // no extents: the stored ones stand crossed
        {1e18, 2e3, 1000, 1000},
    };
    for (const grid_case& c : cases) {
        const page_grid g = print_grid(c.pages_across * 19000, c.pages_down * 27700, {190, 277}, 100, 1, false);
        EXPECT_EQ(g.columns, c.columns) << c.pages_across;
        EXPECT_EQ(g.rows, c.rows) << c.pages_down;
        EXPECT_DOUBLE_EQ(g.page_width, 19000);
        EXPECT_DOUBLE_EQ(g.page_height, 27700);
    }
    // Fit: one page, the ratio the drawing's width over the page's.
    const page_grid fit = print_grid(5 * 19000, 3 * 27700, {190, 277}, 100, 1, true);
    EXPECT_EQ(fit.columns, 1);
    EXPECT_EQ(fit.rows, 1);
    EXPECT_DOUBLE_EQ(fit.page_width, 5 * 19000);
    // 2 print millimetres for 100 units: pages half as wide in the drawing.
    EXPECT_EQ(print_grid(2.5 * 9500, 1, {190, 277}, 100, 2, false).columns, 3);
}

TEST_F(PrintPages, OutlinesRunFromTheRightAndBottomEdgesOnePageApart) {
    page_grid g;
    g.columns = 2;
    g.rows = 1;
    g.page_width = 100;
    g.page_height = 50;
    const std::vector<outline_line> expected{
        {1000, 0, 1000, 50}, {900, 0, 900, 50}, {800, 0, 800, 50},  // columns + 1 verticals
        {800, 0, 1000, 0},   {800, 50, 1000, 50},                   // rows + 1 horizontals
    };
    EXPECT_EQ(page_outlines(g, 1000, 0), expected);
}

TEST_F(PrintPages, EachPageShowsItsWindowOfTheDrawing) {
    struct window_case {
        const char* what;
        bool fit, centre;
        int column, row, columns, rows;
        world_window expected;
    };
    const double ratio = 277.0 / 190.0;
    const window_case cases[] = {
        // The bottom right page: its printable area ends at the drawing's
        // right edge and starts at its bottom.
        {"single page", false, false, 0, 0, 1, 1, {1000 - 100 * 195, 1000 + 100 * 5, 0 - 100 * 10, 0 + 100 * 277}},
        // The left one of two side by side lies one printable width (190 mm) further left.
        {"left of two", false, false, 0, 0, 2, 1, {1000 - 100 * 195 - 19000, 1000 + 500 - 19000, -1000, 27700}},
        {"right of two", false, false, 1, 0, 2, 1, {1000 - 100 * 195, 1000 + 500, -1000, 27700}},
        {"upper of two", false, false, 0, 0, 1, 2, {1000 - 19500, 1500, -1000 + 27700, 27700 + 27700}},
        // Fit: the margins at the ratio, the page's height taken from the width.
        {"fit", true, false, 0, 0, 1, 1, {-1000, 2000, -1500, 0 + 1000 * ratio}},
        {"fit, centred", true, true, 0, 0, 1, 1,
         {-1000, 2000, 0 - (1000 * ratio - 500) / 2, 500 + (1000 * ratio - 500) / 2}},
    };
    for (const window_case& c : cases) {
        print_layout l = layout();
        l.fit = c.fit;
        l.centre = c.centre;
        const world_window w = page_window(l, c.column, c.row, c.columns, c.rows);
        EXPECT_NEAR(w.left, c.expected.left, 1e-6) << c.what;
        EXPECT_NEAR(w.right, c.expected.right, 1e-6) << c.what;
        EXPECT_NEAR(w.bottom, c.expected.bottom, 1e-6) << c.what;
        EXPECT_NEAR(w.top, c.expected.top, 1e-6) << c.what;
    }
    // A tall drawing on a fitted page takes its width from the height.
    print_layout tall = layout();
    tall.fit = true;
    tall.ymax = 5000;
    const world_window w = page_window(tall, 0, 0, 1, 1);
    EXPECT_NEAR(w.left, 1000 - 5000 / ratio, 1e-6);
    tall.centre = true;
    const world_window c = page_window(tall, 0, 0, 1, 1);
    EXPECT_NEAR(c.left, 0 - (5000 / ratio - 1000) / 2, 1e-6);
    EXPECT_NEAR(c.right, 1000 + (5000 / ratio - 1000) / 2, 1e-6);
}

TEST_F(PrintPages, TheDeviceRectangleAndTheRasterResolution) {
    const device_page d = device_rectangle(layout());
    EXPECT_DOUBLE_EQ(d.mx, 0.1);
    EXPECT_EQ(d.left, 50);  // 10 mm margin less 5 mm offset
    EXPECT_EQ(d.top, 0);
    EXPECT_EQ(d.right, 1950);
    EXPECT_EQ(d.bottom, 2770);
    EXPECT_EQ(d.target_width(), 2000);
    EXPECT_EQ(d.target_height(), 2770);
    // Half the resolution: every pixel count halves, mx doubles.
    const device_page h = device_rectangle(layout(), 2);
    EXPECT_DOUBLE_EQ(h.mx, 0.2);
    EXPECT_EQ(h.left, 25);
    EXPECT_EQ(h.right, 975);
    EXPECT_EQ(h.page_width, 1000);

    struct divisor_case {
        double dpi;
        int divisor;
    };
    for (const divisor_case c : {divisor_case{254, 1}, {300, 1}, {301, 2}, {600, 2}, {900, 3}, {1200, 4}, {2400, 8}})
        EXPECT_EQ(raster_divisor(c.dpi), c.divisor) << c.dpi;
}

TEST_F(PrintPages, PageLimitsAreCornerCrossesSixMillimetresAcrossAFrameOrNothing) {
    const device_page d = device_rectangle(layout());
    RecordingCanvas crosses;
    draw_page_borders(crosses, d, page_borders::corner_crosses);
    std::vector<std::vector<int>> strokes;
    for (const auto& op : crosses.of_kind("line")) strokes.push_back(op.args);
    // 30 pixels (3 mm at 0.1 mm a pixel) to each side of each corner.
    const std::vector<std::vector<int>> expected{
        {20, 0, 80, 0},       {50, -30, 50, 30},       {1920, 0, 1980, 0},       {1950, -30, 1950, 30},
        {1920, 2770, 1980, 2770}, {1950, 2740, 1950, 2800}, {20, 2770, 80, 2770}, {50, 2740, 50, 2800},
    };
    ASSERT_EQ(strokes.size(), expected.size());
    for (std::size_t i = 0; i < strokes.size(); ++i) {
        // A line op records its start (the pen position) and end.
        const std::vector<int>& s = strokes[i];
        EXPECT_EQ(std::vector<int>(s.end() - 4, s.end()), expected[i]) << i;
    }
    RecordingCanvas frame;
    draw_page_borders(frame, d, page_borders::frame);
    ASSERT_EQ(frame.ops.size(), 1u);
    EXPECT_EQ(frame.ops[0].kind, "rect");
    EXPECT_EQ(frame.ops[0].args, (std::vector<int>{50, 0, 1950, 2770}));
    RecordingCanvas none;
    draw_page_borders(none, d, page_borders::none);
    EXPECT_TRUE(none.ops.empty());
}

TEST_F(PrintPages, ThePrinterViewTakesTheSmallerScaleAndProjectsThroughTheMatrix) {
    printer_fit(0, 0, 1000, 0, 100, 0, 50, 1000);
    EXPECT_DOUBLE_EQ(printer_view().scale_x, 10);  // x: 10, y: 20 -> the smaller
    EXPECT_DOUBLE_EQ(printer_view().scale_y, 10);
    EXPECT_DOUBLE_EQ(printer_view().centre_x, 50);
    EXPECT_EQ(printer_project(nullptr, {10, 40, 0}, nullptr), (TPoint{100, 100}));
    const matrix4 shift = matrix_translation({5, -5, 0});
    EXPECT_EQ(printer_project(nullptr, {10, 40, 0}, &shift), (TPoint{150, 150}));
    // Round to even, as the process rounds: 0.25 * 10 = 2.5 -> 2.
    EXPECT_EQ(printer_project(nullptr, {0.25, 50, 0}, nullptr), (TPoint{2, 0}));

    // A drawing of no width takes scale 1 across before the smaller is chosen.
    printer_fit(0, 0, 1000, 7, 7, 0, 50, 1000);
    EXPECT_DOUBLE_EQ(printer_view().scale_x, 1);
    printer_fit(0, 0, 1000, 7, 7, 0, 5000, 1000);
    EXPECT_DOUBLE_EQ(printer_view().scale_x, 0.2);
    // Points far out or broken still project.
    EXPECT_EQ(printer_project(nullptr, {NAN, 1e300, 0}, nullptr), (TPoint{0, -100000000}));
}

}  // namespace
