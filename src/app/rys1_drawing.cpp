// The drawing command: from the project to the configuration folder's
// "rysunek.dxf" (scales, warnings, recalculation, the profile sheet's
// layout, the file), the statistics and open-in-CAD commands that run it,
// and the printable page that the fit of the scale needs.
#include <algorithm>
#include <cmath>
#include <string>

#include "drawing/containers.h"
#include "drawing/drawing_lengths.h"
#include "drawing/drawing_state.h"
#include "drawing/dxf_sections.h"
#include "files/settings_groups.h"
#include "files/title_block.h"
#include "files/utils.h"
#include "forms/opcje.h"
#include "forms/preview.h"
#include "forms/raport.h"
#include "forms/rys1.h"
#include "model/flows.h"
#include "model/messages.h"
#include "model/objects.h"
#include "model/pairs.h"
#include "model/recalculation.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "model/sumps.h"
#include "model/terrain.h"
#include "model/utils.h"
#include "model/warnings.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/paths.h"
#include "platform/printer.h"
#include "platform/scope.h"
#include "platform/services.h"
#include "platform/sysutils.h"

namespace {

std::string drawing_file() { return folders().config_folder + "rysunek.dxf"; }

bool separate_preview_showing() { return tPreview && tPreview->Visible(); }

// A scale cell holds a positive whole number; any other text becomes "100".
// A number that is not one (a negative or a fractional scale) is named in
// a warning; a text that is no number, and 0, are replaced silently.
void check_scales() {
    TStringAlignGrid& grid = *topcje->sag_DrawingProperties;
    for (int column = 1; column <= 3; ++column) {
        for (int row = 1; row <= 2; ++row) {
            const std::string text = grid.Cells(column, row);
            int whole = 0;
            if (TryStrToInt(text, whole) && whole > 0) continue;
            double value = 0;
            const bool number = TryStrToFloat(fix_decimal_separator(text), value);
            grid.SetCell(column, row, "100");
            if (number && value != 0)
                MessageBox(format_language_text(msg("msg_InvalidScale", "Niepoprawna skala rysunku: \"%s\"; przyjęto 100."_cp),
                                                {text}),
                           MB_OK | MB_ICONWARNING);
        }
    }
}

// The current title of the title block joins its list when it is new.
void remember_title() {
    auto* list = dynamic_cast<TComboBox*>(title_box(0));
    if (!list) return;
    const std::string title = list->Text();
    if (!title.empty() && list->Items().IndexOf(title) < 0) list->Items().Add(title);
}

void drawing_warnings() {
    model_state& m = model();
    for (char kind : {'l', 's', 'd', '2', 'r'}) error_del(kind);
    for (std::size_t p = 0; p < m.profiles.size(); ++p) {
        if (m.profiles[p].nodes.size() != 1) continue;
        error_spec e;
        e.kind = '2';
        e.title = msg("msg_NoValueError", "brak wartości"_cp);
        e.message = msg("msg_NoValueErrorDesc", "brak wartości w drugim węźle"_cp);
        e.first = static_cast<uint16_t>(p);
        e.second = 0;
        e.color = clRed;
        error_add(e);
    }
    for (std::size_t p = 0; p < m.profiles.size(); ++p) {
        const auto& nodes = m.profiles[p].nodes;
        for (std::size_t j = 0; j < nodes.size(); ++j) {
            const wezel& n = nodes[j];
            if (n.rad == 0 || std::fabs(n.dlug) < 2 * std::fabs(n.rad)) continue;
            error_spec e;
            e.kind = 'r';
            e.title = msg("msg_RadiusTooSmallError", "zbyt mały promień gięcia"_cp);
            e.message = msg("msg_RadiusTooSmallErrorDesc",
                            "wartość promienia gięcia musi być większa od połowy długości odcinka"_cp);
            e.first = static_cast<uint16_t>(p);
            e.second = static_cast<uint16_t>(j);
            e.color = clYellow;
            error_add(e);
        }
    }
}

// The centre of each bend's arc, (0, 0) where the segment is straight.
void bend_centres(odcinek& p) {
    for (std::size_t j = 0; j < p.nodes.size(); ++j) {
        wezel& n = p.nodes[j];
        plan_point centre;
        if (j + 1 < p.nodes.size() && n.rad != 0 && 2 * std::fabs(n.rad) > n.dlug) {
            const plan_point a{n.odl, n.dno.s2};
            const plan_point b{n.odl + n.dlug, p.nodes[j + 1].dno.s1};
            circle_center(a, b, n.rad, centre);
        }
        n.arc_center_x = centre.x;
        n.arc_center_y = centre.y;
    }
}

// The annotation records of a profile follow its recalculated nodes; the
// estimate's resource summary and the project statistics follow the
// project. Their editors and the estimate bring them.
void refresh_annotations(uint16_t /*profile*/) {}
void koszt_zestawienie_rms() {}
void pro_stat() {}

// Band rows shown because the project holds their data.
void automatic_band_rows() {
    settings_state& s = settings();
    if (s.profile_table_rows.empty()) return;
    const std::size_t count = model().profiles.size();
    auto mark = [&s](const std::string& key) {
        const uint8_t row = TitleNr(key, "");
        if (row != 255 && row < s.profile_table_rows.size()) s.profile_table_rows[row].forced = true;
    };
    auto scan = [&](const std::string& key, auto holds) {
        for (std::size_t p = 0; p < count; ++p)
            if (holds(static_cast<uint16_t>(p))) {
                mark(key);
                return;
            }
    };
    auto data = [](const char* what) {
        return [what](uint16_t p) { return Form1->czy_sa_dane(p, what); };
    };
    if (topcje->cb_AutoProjGroundLevel->Checked()) scan("teren_proj", data("teren_proj"));
    if (topcje->cb_AutoTerrainDesc->Checked())
        scan("teren_opis", [](uint16_t p) { return !model().profiles[p].terrain_descriptions.empty(); });
    if (topcje->cb_AutoLine->Checked()) {
        scan("linia", data("linia"));
        scan("linia2", data("linia2"));
    }
    if (topcje->cb_AutoAngle->Checked()) scan("kat", data("kat"));
    scan("skala", data("skala"));
}

// The width of the profile sheet's title column, the gap between profiles
// and the step from one profile to the next.
void title_column() {
    drawing_state& d = drawing();
    settings_state& s = settings();
    if (s.title_column_width != 0) {
        d.title_column_width = s.title_column_width / 10.0;
    } else {
        TFont font;
        font.SetSize(StrToInt(topcje->sag_Fonts->Cells(1, 1)));
        std::string factor = topcje->sag_Fonts->Cells(4, 1);
        if (const auto at = factor.find('%'); at != std::string::npos) factor.erase(at, 1);
        d.title_font_factor = StrToInt(factor) / 100.0;
        double w = 0;
        for (const dane_pod_profil& row : s.profile_table_rows) {
            if (!(row.shown || row.forced) || row.key == "hekto") continue;
            w = std::max(w, text_width(font, row.title) * d.title_font_factor);
        }
        d.title_column_width = std::min(12.0, std::max(4.0, 0.0125 * w));
    }
    s.profile_gap = std::min<uint8_t>(100, s.profile_gap);
    d.profile_gap = s.profile_gap;
    d.column_step = static_cast<uint16_t>(
        d.profile_gap +
        (topcje->cb_TitleColumnBeforeEveryProfile->Checked() ? Round(d.title_column_width * 10) : 0));
}

// The profile scale grows by the fit step until the profile sheet fits the
// printer's page width.
void fit_to_page() {
    if (!topcje->cb_Fit2Page->Checked() || chosen_sheet() != sheet_kind::profile) return;
    if (services().printer().Printers().empty()) return;
    const model_state& m = model();
    const drawing_state& d = drawing();
    auto included = [](const odcinek& p) { return p.rysuj && !p.nodes.empty(); };
    const auto n = std::count_if(m.profiles.begin(), m.profiles.end(), included);
    double page_width = 0, page_height = 0;
    Form1->wymiary_strony(page_width, page_height);
    const double f = d.title_column_width * 10 + 5 + static_cast<double>(n - 1) * d.column_step;
    if (f / page_width >= 1) return;
    // A step that is not a positive whole number counts as 50.
    int step = 0;
    if (!TryStrToInt(topcje->e_skala_krot->Text(), step) || step <= 0) step = 50;
    const double uf = unit_factor_of(topcje->cb_jedn->ItemIndex());
    TStringAlignGrid& grid = *topcje->sag_DrawingProperties;
    for (int s = step; s <= 5000; s += step) {
        grid.SetCell(1, 1, IntToStr(s));
        oblicz_dlugosci("dlugosci_ze_skala");
        double w = 0;
        for (const odcinek& p : m.profiles)
            if (included(p)) w += p.drawn_width * uf / 100;
        const odcinek& last = m.profiles.back();
        if (included(last)) {
            const std::size_t k = last.nodes.size() - 1;
            if (jest_obiekt2(last.nodes[k].obiekt, "budynkopodobne")) {
                const double v = StrToFloatDef(
                    fix_decimal_separator(wyciag_var(2, static_cast<uint16_t>(m.profiles.size() - 1),
                                                     static_cast<int>(k), false, 1)),
                    0);
                if (v == -1.5 || v > 0) w += std::fabs(v) * last.nodes[k].draw_factor * uf / 100;
            }
        }
        if ((f + w) / page_width <= 1) return;
    }
    grid.SetCell(1, 1, "500");
    oblicz_dlugosci("dlugosci_ze_skala");
}

}  // namespace

void TForm1::draw_make(const std::string& mode) {
    model_state& m = model();
    drawing_state& d = drawing();
    // The progress bar goes however the drawing ends, a failure included.
    const at_scope_end hide_progress([this] { progres->SetVisible(false); });
    check_scales();                                          // 1
    d.drawing_mode = mode;                                   // 2
    remember_title();                                        // 3
    d.recalculation_done = false;                            // 4
    if (!separate_preview_showing()) {                       // 5
        kasowanie_pustych();
        progres->SetVisible(true);
    }
    zeruj_studzienki();                                      // 6
    drawing_warnings();                                      // 7 to 9
    przelicz_przeplywy();                                    // 10
    node_name_index names;
    for (std::size_t i = 0; i < m.profiles.size(); ++i) {    // 11
        if (m.profiles[i].nodes.size() < 2) continue;
        const auto p = static_cast<uint16_t>(i);
        przelicz(p, !separate_preview_showing(), 255, names);
        for (std::size_t j = 0; j < m.profiles[i].nodes.size(); ++j)
            if (m.profiles[i].nodes[j].obiekt == "sump") odswiez_studzienke(p, static_cast<int>(j), -1, false);
        bend_centres(m.profiles[i]);
        refresh_annotations(p);
        koszt_zestawienie_rms();
    }
    if (!m.warnings.empty()) show_hint(msg("msg_WarningsFound", "Istnieją ostrzeżenia. Sprawdź je."_cp));  // 12
    d.recalculation_done = true;                             // 13
    oblicz_dlugosci("all");                                  // 14
    pro_stat();
    automatic_band_rows();                                   // 15
    title_column();                                          // 16
    fit_to_page();                                           // 17
    const std::string path = drawing_file();                 // 18
    if (file_in_use_check(path, true)) selection_lists::make_drawing(path);
    drawing_loaded = false;                                  // 19
    // 20: the handles are given while the file is written.
    const std::string user_file = folders().config_folder + "halvoren.ini";  // 21
    write_user_setting(user_file, [&user_file] {
        ini_write(user_file, "rysunek", "jednostka_last", IntToStr(topcje->cb_jedn->ItemIndex()));
    });
}

void TForm1::a_DrawMakeExecute(TObject*) { draw_make("in"); }

void TForm1::SpeedButton9Click(TObject*) {
    a_DrawMakeExecute(a_DrawMake);
    traport->ShowModal();
}

void TForm1::SpeedButton10Click(TObject*) {
    draw_make("out");
    const std::string path = ExpandFileName(drawing_file());
    const open_result opened = services().open_file(path);
    if (opened == open_result::opened) return;
    if (opened == open_result::missing) {
        MessageBox(format_language_text(msg("msg_FileMissing", "Pliku nie znaleziono: %s%s"), {"\r", path}),
                   MB_OK | MB_ICONWARNING);
        return;
    }
    // No program opens drawing files: the file's path is named and the
    // configuration folder shown, so that the user may open the file with a
    // program of their choice.
    const int answer = Application()->MessageBox(
        format_language_text(msg("msg_DXFApplicationMissingError",
                                 "Brak skojarzenia aplikacji z plikiem DXF. %sWybierz aplikację obsługującą pliki DXF."_cp),
                             {"\r"}) +
            "\r\r" + path,
        program_title, MB_OKCANCEL | MB_ICONWARNING);
    if (answer == IDOK) services().shell_open(folders().config_folder);
}

void TForm1::connect_drawing_handlers() {
    a_DrawMake->OnExecute = [this](TObject* s) { a_DrawMakeExecute(s); };
    a_Statistic->OnExecute = [this](TObject* s) { SpeedButton9Click(s); };
    a_DrawOpenCad->OnExecute = [this](TObject* s) { SpeedButton10Click(s); };
}
