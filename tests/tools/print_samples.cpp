// Prints with the front end's printer and bitmaps (offscreen), for the check
// by poppler and pngcheck (check_print_files.py). In a folder (first
// argument) a program with its own configuration folder prints a small
// title block through the print command:
//   1. vector pages into "print.pdf" (two pages, corner crosses);
//   2. raster black-and-white pages on the "PDF" entry, into the one file
//      it asks for ("entry.pdf" in the configuration folder, two pages);
//   3. one raster colour page into "print.png";
//   4. three raster black-and-white pages into "print-1.png" .. "print-3.png",
//      where an earlier run left "print-4.png".
// "expected.txt" says where the files are and what each must hold: one
// fact a line.
#include <QApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "drawing/containers.h"
#include "drawing/entities.h"
#include "drawing/print_pages.h"
#include "forms/rys1.h"
#include "forms/ustawienia_wydruku.h"
#include "gui/qt_bitmap.h"
#include "gui/qt_printer.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/paths.h"
#include "platform/sysutils.h"

namespace {

// The headless services with the front end's printer and bitmaps.
class PrintingServices : public HeadlessServices {
public:
    using HeadlessServices::HeadlessServices;
    TPrinter& printer() override { return qt_printer; }
    std::unique_ptr<TBitmap> make_bitmap(int width, int height) override {
        return std::make_unique<gui::QtBitmap>(width, height);
    }
    gui::QtPrinter qt_printer;
};

std::vector<std::string> facts;

void fact(const std::string& line) { facts.push_back(line); }

std::string number(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", v);
    return text;
}

// The page layout the print command used (the dialog as it left it).
print_layout layout_now() {
    const Ttustawienia_wydruku& d = *tustawienia_wydruku;
    print_layout l;
    l.printer = read_printer_params(services().printer());
    l.offsets = page_offsets(l.printer);
    l.margins = {StrToFloat(d.e_ml->Text()), StrToFloat(d.e_mr->Text()), StrToFloat(d.e_mt->Text()),
                 StrToFloat(d.e_md->Text())};
    l.page = page_size(l.printer, l.margins);
    l.units = StrToFloat(d.e_jedn->Text());
    l.mm = StrToFloat(d.e_mm->Text());
    l.xmin = Form1->preview_min_extents[0];
    l.xmax = Form1->preview_max_extents[0];
    l.ymin = Form1->preview_min_extents[1];
    l.ymax = Form1->preview_max_extents[1];
    return l;
}

// Marks the cells; the rest are cleared.
void mark(const std::vector<std::pair<int, int>>& cells) {
    TStringGrid& g = *tustawienia_wydruku->sg_kartki;
    for (int c = 0; c < g.ColCount(); ++c)
        for (int r = 0; r < g.RowCount(); ++r) g.SetCell(c, r, "");
    for (const auto& [c, r] : cells) g.SetCell(c, r, "+");
}

// The longest line of the drawing, whose middle the vector page shows.
const Line_* fixture_line() {
    const Line_* best = nullptr;
    double length = 0;
    for (const Entity_List* list : Form1->selection->lists())
        for (const auto& e : list->entities())
            if (const auto* line = dynamic_cast<const Line_*>(e.get())) {
                const double d = plan_distance(line->position, line->end_point);
                if (d > length) {
                    length = d;
                    best = line;
                }
            }
    return best;
}

void set_check(TCheckBox* box, bool on) {
    if (box->Checked() != on) user::click(box);
}

void print_with(PrintingServices& s, const std::function<void(Ttustawienia_wydruku&)>& choose) {
    s.on_modal("Ttustawienia_wydruku", [&](TForm&) {
        Ttustawienia_wydruku& d = *tustawienia_wydruku;
        choose(d);
        user::click(d.b_Print);
    });
    Form1->sb_printClick(nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qt_argc = 1;
    QApplication app(qt_argc, argv);
    const std::string folder = argv[1];
    ForceDirectories(folder + "/home");
    setenv("HALVOREN_HOME", (folder + "/home").c_str(), 1);
    auto services = std::make_unique<PrintingServices>(registry_folder());
    auto program = std::make_unique<Program>(*services, std::vector<std::string>{folder + "/home/bin/halvoren"});
    decimal_separator = '.';
    euro_rounding = false;

    // The "PDF" entry: A4 across at 600 dots per inch.
    gui::QtPrinter& printer = services->qt_printer;
    printer.SetPrinterIndex(static_cast<int>(printer.Printers().size()) - 1);
    printer.qprinter().setPageSize(QPageSize(QPageSize::A4));
    printer.SetOrientation(TPrinterOrientation::poLandscape);
    Form1->pobierz_param_strony();

    Form1->a_ProjectNew->Execute();
    Form1->make_text_box(1, 10, 20, 300, 60)->Lines().Add("Projekt");
    Form1->make_text_box(2, 320, 20, 200, 19)->Lines().Add("Skala 1:500");

    const std::string config = folders().config_folder;
    const std::string dpi = IntToStr(printer.dpi_x());
    fact("paper " + number(printer.physical_width() * 72.0 / printer.dpi_x()) + " " +
         number(printer.physical_height() * 72.0 / printer.dpi_y()));

    // 1. Vector pages into print.pdf: the page holding the fixture line's
    // middle and the one left of it.
    std::pair<int, int> line_cell{0, 0};
    TPoint line_pixel{};
    print_with(*services, [&](Ttustawienia_wydruku& d) {
        user::set_text(d.e_jedn, "2");
        set_check(d.cb_PrintToFile, true);
        // Which page shows the line's middle, as the print command will lay it out.
        print_layout l = layout_now();
        l.xmin -= 20;
        l.xmax += 20;
        const device_page dev = device_rectangle(l);
        const Line_* line = fixture_line();
        const point3 middle{(line->position.x + line->end_point.x) / 2, (line->position.y + line->end_point.y) / 2, 0};
        const TStringGrid& g = *d.sg_kartki;
        for (int c = 0; c < g.ColCount(); ++c)
            for (int r = 0; r < g.RowCount(); ++r) {
                const world_window w = page_window(l, c, r, g.ColCount(), g.RowCount());
                printer_fit(0, 0, dev.page_width, w.left, w.right, w.bottom, w.top, dev.page_height);
                const TPoint p = printer_project(nullptr, middle, nullptr);
                if (p.x > dev.left + 10 && p.x < dev.right - 10 && p.y > dev.top + 10 && p.y < dev.bottom - 10) {
                    line_cell = {c, r};
                    line_pixel = p;
                }
            }
        const int left = line_cell.first > 0 ? line_cell.first - 1 : line_cell.first + 1;
        mark({{left, line_cell.second}, line_cell});
        fact("line " + std::string(line->position.y == line->end_point.y ? "horizontal" : "vertical"));
    });
    {
        print_layout l = layout_now();
        const device_page dev = device_rectangle(l);
        const double ox = printer.offset_x(), oy = printer.offset_y(), res = printer.dpi_x();
        fact("pdf print.pdf pages 2");
        const int c = static_cast<int>(Round(3 / dev.mx));
        // Points on the crosses' arms (half way out) of each page, and the
        // line's middle on its page (second in print order when the other
        // page lies left of it, else first), in inches from the paper's
        // top left corner.
        const int line_page = line_cell.first > 0 ? 2 : 1;
        for (int page = 1; page <= 2; ++page) {
            for (const TPoint corner : {TPoint{dev.left, dev.top}, TPoint{dev.right, dev.bottom}}) {
                fact("ink print.pdf " + IntToStr(page) + " " + number((ox + corner.x + c / 2.0) / res) + " " +
                     number((oy + corner.y) / res));
                fact("ink print.pdf " + IntToStr(page) + " " + number((ox + corner.x) / res) + " " +
                     number((oy + corner.y - c / 2.0) / res));
            }
            // No ink outside the corner, between the arms.
            fact("blank print.pdf " + IntToStr(page) + " " + number((ox + dev.left - c / 2.0) / res) + " " +
                 number((oy + dev.top - c / 2.0) / res));
        }
        fact("ink print.pdf " + IntToStr(line_page) + " " + number((ox + line_pixel.x) / res) + " " +
             number((oy + line_pixel.y) / res));
    }

    // 2. Raster black and white on the "PDF" entry: one file of two pages.
    services->choose_file(config + "entry.pdf");
    print_with(*services, [&](Ttustawienia_wydruku& d) {
        set_check(d.cb_PrintToFile, false);
        user::choose(d.cb_PrintMode, 1);
        set_check(d.cb_BlacknWhite, true);
        mark({{0, 0}, {1, 0}});
    });
    {
        const print_layout l = layout_now();
        const int divisor = raster_divisor(printer.dpi_x());
        const device_page full = device_rectangle(l), small = device_rectangle(l, divisor);
        const int a = full.target_height();
        const int band = a / std::max(1, a / 100);
        std::string heights;
        for (int y = 0; y < a; y += band) {
            const int rows = std::min(band, a - y);
            const int from = static_cast<int>(Round(static_cast<double>(y) * small.target_height() / a));
            const int count = static_cast<int>(Round(static_cast<double>(rows) * small.target_height() / a));
            heights += (heights.empty() ? "" : ",") + IntToStr(std::min(count, small.target_height() - from));
        }
        fact("pdf entry.pdf pages 2");
        fact("images entry.pdf 1 " + IntToStr(small.target_width()) + " " + heights);
    }

    // 3. One raster colour page into print.png.
    print_with(*services, [&](Ttustawienia_wydruku& d) {
        set_check(d.cb_PrintToFile, true);
        set_check(d.cb_BlacknWhite, false);
        mark({{0, 0}});
    });
    {
        const device_page small = device_rectangle(layout_now(), raster_divisor(printer.dpi_x()));
        fact("png print.png " + IntToStr(small.target_width()) + " " + IntToStr(small.target_height()) + " 24");
    }

    // 4. Three raster black-and-white pages into numbered files.
    write_file(config + "print-4.png", "left by an earlier run");
    print_with(*services, [&](Ttustawienia_wydruku& d) {
        set_check(d.cb_BlacknWhite, true);
        mark({{0, 0}, {1, 0}, {2, 0}});
    });
    {
        const device_page small = device_rectangle(layout_now(), raster_divisor(printer.dpi_x()));
        for (int n = 1; n <= 3; ++n)
            fact("png print-" + IntToStr(n) + ".png " + IntToStr(small.target_width()) + " " +
                 IntToStr(small.target_height()) + " 1");
        fact("gone print-4.png");
    }
    fact("dpi " + dpi);
    // One box for the PDF file, one for each PNG file.
    fact("boxes 5 " + IntToStr(static_cast<int64_t>(services->boxes.size())));

    std::string text = "folder " + config + "\n";
    for (const std::string& f : facts) text += f + "\n";
    write_file(folder + "/expected.txt", text);
    program.reset();
    services.reset();
    return 0;
}
