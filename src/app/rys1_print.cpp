// The main window's printing: the print command, the printer set-up, the
// printer's page and the print dialog's grid of pages, the bitmap bands of
// raster printing and the page outlines of the preview.
#include <algorithm>
#include <cmath>
#include <memory>

#include "drawing/containers.h"
#include "drawing/drawing_state.h"
#include "drawing/entities.h"
#include "drawing/print_pages.h"
#include "files/settings_groups.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "forms/ustawienia_wydruku.h"
#include "model/messages.h"
#include "model/state.h"
#include "model/utils.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/paths.h"
#include "platform/printer.h"
#include "platform/scope.h"
#include "platform/services.h"
#include "platform/sysutils.h"

namespace {

bool printer_installed() { return !services().printer().Printers().empty(); }

// The printer's page, read now when it was never read.
const printer_params& current_page() {
    printer_params& p = page_parameters();
    if (p.dpi_x <= 0 || p.dpi_y <= 0) p = read_printer_params(services().printer());
    return p;
}

double field_value(const TEdit* e) { return StrToFloat(fix_decimal_separator(e->Text())); }

// 10 to the power of the drawing unit chosen in the settings.
double settings_unit() { return std::pow(10.0, std::clamp(topcje->cb_jedn->ItemIndex(), 0, 6)); }

// The drawing's font as the preview and printing write texts.
std::string drawing_font() {
    const std::string name = topcje->cb_fonts->Text();
    return name.empty() || name.find('.') != std::string::npos ? "Arial" : name;
}

// The numbered picture files of an earlier run beyond the pages of this one
// (all of them after a run of one page, which gives "print.png").
void remove_stale_pictures(const std::string& folder, int pages) {
    for (const std::string& name : list_folder(folder, "print-*.png", false)) {
        const std::string number = name.substr(6, name.size() - 10);
        int n = 0;
        if (!TryStrToInt(number, n) || IntToStr(n) != number) continue;
        if (pages == 1 || n > pages) DeleteFile(path_join(folder, name));
    }
}

}  // namespace

void TForm1::mi_PrinterSetupClick(TObject*) {
    // The printer chosen there is the one every later operation uses.
    if (psd->Execute()) pobierz_param_strony();
}

void TForm1::pobierz_param_strony() {
    TPrinter& printer = services().printer();
    const std::vector<std::string> names = printer.Printers();
    if (!names.empty()) page_parameters() = read_printer_params(printer);
    if (!tustawienia_wydruku) return;
    const int i = printer.PrinterIndex();
    tustawienia_wydruku->l_CurrentPrinter->SetCaption(
        names.empty() || i < 0 || i >= static_cast<int>(names.size())
            ? msg("msg_ErrorNoPrinter", "Błąd: Brak zainstalowanej drukarki"_cp)
            : names[static_cast<std::size_t>(i)]);
}

void TForm1::ofsety(double& left, double& right, double& top, double& bottom) {
    const page_sides o = page_offsets(current_page());
    left = o.left;
    right = o.right;
    top = o.top;
    bottom = o.bottom;
}

void TForm1::marginesy(double& left, double& right, double& top, double& bottom) {
    const Ttustawienia_wydruku& p = *tustawienia_wydruku;
    left = field_value(p.e_ml);
    right = field_value(p.e_mr);
    top = field_value(p.e_mt);
    bottom = field_value(p.e_md);
}

void TForm1::wymiary_strony(double& width, double& height) {
    if (!printer_installed()) return;
    page_sides m;
    marginesy(m.left, m.right, m.top, m.bottom);
    const printer_params& p = current_page();
    const page_sides e = effective_margins(m, page_offsets(p));
    const page_mm page = page_size(p, m);
    width = page.width;
    height = page.height;
    // The dialog shows no margin smaller than the printer's offset.
    Ttustawienia_wydruku& d = *tustawienia_wydruku;
    d.e_ml->SetText(Format("%f", {e.left}));
    d.e_mr->SetText(Format("%f", {e.right}));
    d.e_mt->SetText(Format("%f", {e.top}));
    d.e_md->SetText(Format("%f", {e.bottom}));
}

double TForm1::jednostka_rysunku() {
    const IniFile ini(user_settings_file());
    return std::pow(10.0, ini.ReadInteger("rysunek", "jednostka_last", 0));
}

bool TForm1::odswiez_kartki() {
    if (!drawing_loaded) wgraj_rysunek();
    Ttustawienia_wydruku& d = *tustawienia_wydruku;
    TStringGrid& grid = *d.sg_kartki;
    // The rebuild moves no mark and rebuilds nothing more.
    const TNotifyEvent click = grid.OnClick, mm_change = d.e_mm->OnChange, units_change = d.e_jedn->OnChange;
    grid.OnClick = nullptr;
    d.e_mm->OnChange = d.e_jedn->OnChange = nullptr;
    const at_scope_end restore([&] {
        grid.OnClick = click;
        d.e_mm->OnChange = mm_change;
        d.e_jedn->OnChange = units_change;
    });
    for (int c = 0; c < grid.ColCount(); ++c)
        for (int r = 0; r < grid.RowCount(); ++r) grid.SetCell(c, r, "");
    const double ex = preview_max_extents[0] - preview_min_extents[0];
    const double ey = preview_max_extents[1] - preview_min_extents[1];
    double w = 0, h = 0;
    wymiary_strony(w, h);
    page_grid g;
    if (d.cb_Fit->Checked()) {
        d.e_jedn->SetText(Format("%.6f", {w != 0 ? ex / w : 0.0}));
    } else {
        g = print_grid(ex, ey, {w, h}, StrToFloat(d.e_jedn->Text()), StrToFloat(d.e_mm->Text()), false);
    }
    grid.SetColCount(g.columns);
    grid.SetRowCount(g.rows);
    grid.SetCell(g.columns - 1, g.rows - 1, "+");
    return true;
}

void TForm1::nanies_kontury() {
    if (!preview_drawing || !drawing().preview_requested || tb_HidePageBorders->Down() || !printer_installed()) return;
    const Ttustawienia_wydruku& d = *tustawienia_wydruku;
    double units = 0, mm = 0;
    const bool fit = d.cb_Fit->Checked();
    if (!fit && (!TryStrToFloat(d.e_jedn->Text(), units) || !TryStrToFloat(d.e_mm->Text(), mm) || units == 0 ||
                 mm == 0))
        return;
    double w = 0, h = 0;
    wymiary_strony(w, h);
    const double ex = preview_max_extents[0] - preview_min_extents[0];
    const double ey = preview_max_extents[1] - preview_min_extents[1];
    const page_grid g = print_grid(ex, ey, {w, h}, units, mm, fit);
    // The pages lie from the drawing's right edge, 20 millimetres on, leftwards.
    const double right = preview_max_extents[0] + 20 / settings_unit();
    preview_drawing->layer("0");
    for (const outline_line& l : page_outlines(g, right, preview_min_extents[1]))
        preview_drawing->add_entity_to_layer(std::make_unique<Line_>(point3{l.x1, l.y1, 0}, point3{l.x2, l.y2, 0}, 9),
                                             "0");
}

void TForm1::printBMP(TBitmap& bitmap, const std::string& title, const TRect& page) {
    TPrinter& printer = services().printer();
    // A run that prints into one document has it open already.
    const bool own_job = !printer.Printing();
    if (own_job) {
        printer.Title = title;
        printer.BeginDoc();
    }
    TCanvas& canvas = printer.Canvas();
    const int width = page.Left + page.Right;
    const int a = page.Top + page.Bottom;
    const int band = a / std::max(1, a / 100);
    for (int y = 0; y < a; y += band) {
        const int rows = std::min(band, a - y);
        const int from = static_cast<int>(Round(static_cast<double>(y) * bitmap.Height() / a));
        const int count = static_cast<int>(Round(static_cast<double>(rows) * bitmap.Height() / a));
        canvas.StretchDraw({0, y, width, y + rows}, bitmap, {0, from, bitmap.Width(), from + count});
    }
    if (own_job) printer.EndDoc();
}

void TForm1::sb_printClick(TObject*) {
    TPrinter& printer = services().printer();
    if (!printer_installed()) {
        MessageBox(msg("msg_PrinterLack", "Błąd: Brak zainstalowanej drukarki."_cp), MB_OK | MB_ICONERROR);
        return;
    }
    Ttustawienia_wydruku& d = *tustawienia_wydruku;
    drawing().preview_requested = false;
    draw_make("print");
    pobierz_param_strony();
    odswiez_kartki();
    const TModalResult result = d.ShowModal();
    print_layout l;
    l.printer = current_page();
    wymiary_strony(l.page.width, l.page.height);
    marginesy(l.margins.left, l.margins.right, l.margins.top, l.margins.bottom);
    ofsety(l.offsets.left, l.offsets.right, l.offsets.top, l.offsets.bottom);
    if (result != mrOk) return;

    // The drawing's extents widen once by 20 millimetres on both sides.
    const double u = settings_unit();
    preview_min_extents[0] -= 20 / u;
    preview_max_extents[0] += 20 / u;
    l.xmin = preview_min_extents[0];
    l.xmax = preview_max_extents[0];
    l.ymin = preview_min_extents[1];
    l.ymax = preview_max_extents[1];
    l.units = StrToFloat(d.e_jedn->Text());
    l.mm = StrToFloat(d.e_mm->Text());
    l.fit = d.cb_Fit->Checked();
    l.centre = d.cb_CenterOnPage->Checked();

    struct page_cell {
        int column, row;
    };
    std::vector<page_cell> cells;
    const TStringGrid& grid = *d.sg_kartki;
    for (int c = 0; c < grid.ColCount(); ++c)
        for (int r = 0; r < grid.RowCount(); ++r)
            if (grid.Cells(c, r) == "+") cells.push_back({c, r});

    const std::string title = ExtractFileName(model().project_path);
    const bool raster = d.cb_PrintMode->ItemIndex() == 1;
    const bool to_file = d.cb_PrintToFile->Checked();
    const bool black_and_white = raster && d.cb_BlacknWhite->Checked();
    const auto borders = static_cast<page_borders>(std::clamp(d.rg_Borders->ItemIndex(), 0, 2));
    const bool fixed_pen = d.rg_PenWidth->ItemIndex() == 1;
    const int pen_width = d.se_PenWidth->Value();
    const std::string folder = folders().config_folder;
    const int divisor = raster ? raster_divisor(std::max(l.printer.dpi_x, l.printer.dpi_y)) : 1;
    const device_page full = device_rectangle(l);
    const device_page target = device_rectangle(l, divisor);
    TPrinter* const owner = &printer;

    auto draw_page = [&](TCanvas& canvas, const page_cell& cell) {
        canvas.Font.Name = drawing_font();
        canvas.Pen.Width = 1;
        canvas.Brush.Style = TBrushStyle::bsClear;
        draw_page_borders(canvas, target, borders);
        if (fixed_pen) canvas.Pen.Width = pen_width;
        canvas.SetClipRect({target.left, target.top, target.right, target.bottom});
        const world_window w = page_window(l, cell.column, cell.row, grid.ColCount(), grid.RowCount());
        printer_fit(0, 0, target.page_width, w.left, w.right, w.bottom, w.top, target.page_height);
        for (Entity_List* list : selection->lists()) list->draw(canvas, nullptr, printer_project, owner);
        canvas.ResetClip();
    };

    // A file, or a printer entry that writes into a file, takes the whole
    // run as one document without copies; a printer prints one job per
    // page with the copies asked for.
    const bool vector_file = to_file && !raster;
    const bool one_document = vector_file || (!to_file && printer.prints_to_file());
    const int copies = std::max(1, d.se_Copies->Value());
    const std::string pdf_path = path_join(folder, "print.pdf");
    try {
        printer.Title = title;
        printer.Copies = one_document ? 1 : copies;
        if (vector_file) printer.output_file = pdf_path;
        std::size_t page_number = 0;
        for (const page_cell& cell : cells) {
            ++page_number;
            if (!raster) {
                if (!one_document || page_number == 1) printer.BeginDoc();
                else printer.NewPage();
                draw_page(printer.Canvas(), cell);
                if (!one_document) printer.EndDoc();
                continue;
            }
            std::unique_ptr<TBitmap> bitmap = services().make_bitmap(target.target_width(), target.target_height());
            draw_page(bitmap->Canvas(), cell);
            if (black_and_white) bitmap->make_monochrome();
            if (to_file) {
                const std::string name =
                    cells.size() == 1 ? "print.png" : "print-" + IntToStr(static_cast<int64_t>(page_number)) + ".png";
                const std::string path = path_join(folder, name);
                bitmap->SaveToFile(path);
                Application()->MessageBox(
                    format_language_text(msg("msg_SaveToFile", "Wydruk został zapisany w pliku: %s %s"_cp), {"\r", path}),
                    program_title, MB_OK | MB_ICONINFORMATION);
                continue;
            }
            if (one_document) {
                if (page_number == 1) printer.BeginDoc();
                else printer.NewPage();
            }
            printBMP(*bitmap, title, {full.left, full.top, full.right, full.bottom});
        }
        if (one_document && !raster && printer.Printing()) printer.EndDoc();
        if (one_document && raster && !to_file && printer.Printing()) printer.EndDoc();
    } catch (...) {
        if (printer.Printing()) printer.Abort();
        printer.output_file.clear();
        printer.Copies = 1;
        throw;
    }
    printer.output_file.clear();
    printer.Copies = 1;
    if (raster && to_file && !cells.empty()) remove_stale_pictures(folder, static_cast<int>(cells.size()));
    if (vector_file && !cells.empty())
        Application()->MessageBox(
            format_language_text(msg("msg_SaveToFile", "Wydruk został zapisany w pliku: %s %s"_cp), {"\r", pdf_path}),
            program_title, MB_OK | MB_ICONINFORMATION);

    IniFile ini(user_settings_file());
    ini.WriteString("drukowanie", "mm", d.e_mm->Text());
    ini.WriteString("drukowanie", "jedn", d.e_jedn->Text());
    ini.WriteString("drukowanie", "marg_l", d.e_ml->Text());
    ini.WriteString("drukowanie", "marg_p", d.e_mr->Text());
    ini.WriteString("drukowanie", "marg_g", d.e_mt->Text());
    ini.WriteString("drukowanie", "marg_d", d.e_md->Text());
    ini.WriteInteger("drukowanie", "granice", d.rg_Borders->ItemIndex());
    ini.WriteInteger("drukowanie", "penwidth_mode", d.rg_PenWidth->ItemIndex());
    ini.WriteInteger("drukowanie", "penwidth", d.se_PenWidth->Value());
    ini.WriteInteger("drukowanie", "printmode", d.cb_PrintMode->ItemIndex());
    ini.WriteBool("drukowanie", "blacknwhite", d.cb_BlacknWhite->Checked());
    ini.WriteBool("drukowanie", "printtofile", d.cb_PrintToFile->Checked());
    ini.UpdateFile();
    // The preview shows the print drawing now: it is made again for the screen.
    view().redraw_preview();
}

void TForm1::connect_print_handlers() {
    a_Print->OnExecute = [this](TObject* s) { sb_printClick(s); };
    mi_PrinterSetup->OnClick = [this](TObject* s) { mi_PrinterSetupClick(s); };
}
